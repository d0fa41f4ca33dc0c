#pragma once
// The windows' fixed busy animation: the bar shown, then steps x turnsPerStep yields to the event
// loop, the bar set to each step when it moves. The windows keep painting; presses and keys are
// dropped, not kept for later, so no handler runs inside the animation and none runs right after
// it. The close box is not held back: the window closes, and the animation ends with its bar.
class QProgressBar;
class QVariant;

// False when the press must be dropped: an animation is already running, or the bar's window was
// closed while it ran. The step is counted in counter when one is given; it ends on the last step.
// The caller hides and resets the bar where its own steps say.
bool ProgressDelayLoop(QProgressBar *bar, int steps, int turnsPerStep, bool moveBar, QVariant *counter = nullptr);

// Hides the bar and sets it back to 0.
void ResetProgressBar(QProgressBar *bar);
