#pragma once
// The list windows' fixed busy animation: steps x turnsPerStep yields to the event loop, the bar
// set to each step when it moves. Input to the windows waits until the animation is over, so no
// other handler runs inside it.
class QProgressBar;

void ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar);
