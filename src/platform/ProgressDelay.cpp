#include "platform/ProgressDelay.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QVariant>

namespace {
bool running = false;

// Drops the user's input while the animation runs, and the close box of the bar's window.
class InputHold : public QObject {
public:
    explicit InputHold(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~InputHold() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
            return true;
        case QEvent::Close:
            if (watched != m_window)
                return false;
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
        // Input is taken and dropped as it comes: held back by the loop instead, the window system
        // would hand it over only after the animation.
        for (int turn = 1; turn <= turnsPerStep; ++turn)
            QCoreApplication::processEvents();
        if (moveBar && shown)
            shown->setValue(step);
    }
    running = false;
    return !shown.isNull();
}

void ResetProgressBar(QProgressBar *bar) {
    bar->setVisible(false);
    bar->setValue(0);
}
