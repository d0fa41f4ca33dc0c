#pragma once
// The busy animation of the trainee list and its report cards before a command does its work: the
// bar filled in 100 steps of 400 turns of the event loop, counted in the shared LoopIndex.
#include "platform/ProgressDelay.h"

// False when the press must be dropped (see the platform's loop).
bool ProgressDelayLoop(QProgressBar *bar);
