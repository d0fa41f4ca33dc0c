#include "platform/FileDialog.h"

#include <QFileDialog>

namespace FileDialog {
namespace {
Handler &handler() {
    static Handler h;
    return h;
}
} // namespace

QString GetSaveFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) {
    if (handler())
        return handler()({title, folder, filter});
    // No overwrite question: callers may write under a name derived from the chosen one, so the
    // question would be about the wrong file.
    return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

void SetHandler(Handler h) { handler() = std::move(h); }

} // namespace FileDialog
