#include "platform/DoEvents.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <thread>

namespace DoEvents {
void Once() { QCoreApplication::processEvents(); }
void Loop(int turns) {
    for (int i = 0; i < turns; ++i)
        QCoreApplication::processEvents();
}

namespace {
int g_scopes = 0;

// The window system's close requests are not input to Qt, so they are refused here while a wait runs:
// a window must not go away under the work that waits for the file.
class CloseRefuser : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Close && event->spontaneous() && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            event->ignore();
            return true;
        }
        return false;
    }
};
CloseRefuser *g_refuser = nullptr;
} // namespace

void Wait(int ms) {
    if (!QCoreApplication::instance()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    const BusyScope busy;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

BusyScope::BusyScope() {
    if (g_scopes++ == 0 && QCoreApplication::instance()) {
        g_refuser = new CloseRefuser;
        QCoreApplication::instance()->installEventFilter(g_refuser);
    }
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        m_cursor = true;
    }
}

BusyScope::~BusyScope() {
    if (m_cursor)
        QGuiApplication::restoreOverrideCursor();
    if (--g_scopes == 0 && g_refuser) {
        delete g_refuser;
        g_refuser = nullptr;
    }
}
} // namespace DoEvents
