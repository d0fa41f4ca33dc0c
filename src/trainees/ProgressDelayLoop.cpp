#include "trainees/ProgressDelayLoop.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>

#include "platform/DoEvents.h"
#include "platform/ProgressDelay.h"
#include "shell/Module1.h"

namespace {
constexpr int Steps = 100;
constexpr int TurnsPerStep = 400;

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
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->window() != m_window)
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

bool ProgressDelayLoop(QProgressBar *bar) {
    if (running || !bar)
        return false;
    running = true;
    QPointer<QProgressBar> shown(bar);
    InputHold hold(bar->window());
    bar->setVisible(true);
    ProgressDelayLoop(bar, Steps, TurnsPerStep, true);
    Module1::LoopIndex = Steps;
    // What the user pressed meanwhile was held back by the loop: it arrives now and is dropped.
    DoEvents::Once();
    running = false;
    return !shown.isNull();
}

void ResetProgressBar(QProgressBar *bar) {
    bar->setVisible(false);
    bar->setValue(0);
}
