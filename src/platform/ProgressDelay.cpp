#include "platform/ProgressDelay.h"

#include <QCoreApplication>
#include <QProgressBar>

void ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar) {
    for (int step = 1; step <= steps; ++step) {
        for (int turn = 1; turn <= turnsPerStep; ++turn)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (moveBar && bar)
            bar->setValue(step);
    }
}
