#include "platform/ProgressDelay.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QVariant>

#include "platform/DoEvents.h"

namespace {
bool running = false;

// Drops the user's presses and keys while the animation runs.
class InputHold : public QObject {
public:
    InputHold() { qApp->installEventFilter(this); }
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
        default:
            return false;
        }
    }
};
} // namespace

bool ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar, QVariant *counter) {
    if (running || !bar)
        return false;
    running = true;
    const QPointer<QProgressBar> shown(bar);
    InputHold hold;
    bar->setVisible(true);
    for (int step = 1; step <= steps && shown; ++step) {
        if (counter)
            *counter = step;
        // Input is taken and dropped as it comes: held back by the loop instead, the window system
        // would hand it over only after the animation.
        DoEvents::Loop(turnsPerStep);
        if (moveBar && shown)
            shown->setValue(step);
    }
    running = false;
    // A window closed meanwhile took its bar with it.
    return !shown.isNull();
}

void ResetProgressBar(QProgressBar *bar) {
    bar->setVisible(false);
    bar->setValue(0);
}
