#include "platform/ProgressDelay.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressBar>

void ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar) {
    // The close box is not held back: a bar gone with its window ends the animation.
    const QPointer<QProgressBar> shown(bar);
    for (int step = 1; step <= steps; ++step) {
        for (int turn = 1; turn <= turnsPerStep; ++turn)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (bar && !shown)
            return;
        if (moveBar && bar)
            bar->setValue(step);
    }
}
