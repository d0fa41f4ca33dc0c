#pragma once
// The busy animation of the list windows: the bar is shown and filled in 100 steps, each after 400
// turns of the event loop, before a command does its work. The windows keep painting meanwhile, but
// presses, keys and the close box of the bar's window are held back: a command started inside the
// animation would run in the middle of another and drive the shared loop counter past the bar.
class QProgressBar;

// False when the press must be dropped: an animation is already running, or the bar's window went
// away while it ran. The caller hides and resets the bar where its own steps say.
bool ProgressDelayLoop(QProgressBar *bar);

// Whether an animation is running now.
bool ProgressDelayRunning();

// Hides the bar and sets it back to 0.
void ResetProgressBar(QProgressBar *bar);
