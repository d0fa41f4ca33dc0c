#pragma once
// The busy animation of the trainee list before a command does its work: the bar shown and filled
// in 100 steps of 400 turns of the event loop (the platform's loop). The window keeps painting;
// presses, keys and the close box of the bar's window are dropped, not kept for later: a command
// pressed during the animation would otherwise run right after the one that started it.
class QProgressBar;

// False when the press must be dropped: an animation is already running, or the bar's window went
// away while it ran. The caller hides and resets the bar where its own steps say.
bool ProgressDelayLoop(QProgressBar *bar);

// Hides the bar and sets it back to 0.
void ResetProgressBar(QProgressBar *bar);
