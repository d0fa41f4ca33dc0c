#include "platform/DoEvents.h"

#include <QCoreApplication>

namespace DoEvents {
void Once() { QCoreApplication::processEvents(); }
void Loop(int turns) {
    for (int i = 0; i < turns; ++i)
        QCoreApplication::processEvents();
}
} // namespace DoEvents
