#include "trainees/ProgressDelayLoop.h"

#include "shell/Module1.h"

bool ProgressDelayLoop(QProgressBar *bar) { return ProgressDelayLoop(bar, 100, 400, true, &Module1::LoopIndex); }
