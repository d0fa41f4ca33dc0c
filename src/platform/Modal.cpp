#include "platform/Modal.h"

#include <QDialog>

namespace Modal {
namespace {
Handler &handler() {
    static Handler h;
    return h;
}
} // namespace

void SetHandler(Handler h) { handler() = std::move(h); }

int Exec(QDialog &dialog) {
    if (handler())
        return handler()(dialog);
    return dialog.exec();
}
} // namespace Modal
