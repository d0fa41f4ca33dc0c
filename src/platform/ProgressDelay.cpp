#include "platform/ProgressDelay.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QVariant>

#include "platform/DoEvents.h"

namespace {
bool running = false;

// Drops the user's input to one window while the animation runs.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~InputHold() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!watched->isWidgetType() || !m_window)
            return false;
        if (static_cast<QWidget *>(watched)->window() != m_window)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
        }
    }

private:
    QPointer<QWidget> m_window;
};
} // namespace

bool ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar, QVariant *counter) {
    if (running || !bar)
        return false;
    running = true;
    QPointer<QProgressBar> shown(bar);
    InputHold hold(bar->window());
    bar->setVisible(true);
    for (int step = 1; step <= steps; ++step) {
        if (counter)
            *counter = step;
        for (int turn = 1; turn <= turnsPerStep; ++turn)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (moveBar && shown)
            shown->setValue(step);
    }
    // What the user pressed meanwhile was held back by the loop: it arrives now and is dropped.
    DoEvents::Once();
    running = false;
    return !shown.isNull();
}

void ResetProgressBar(QProgressBar *bar) {
    bar->setVisible(false);
    bar->setValue(0);
}
