#pragma once
// Engine-internal pieces shared by move scheduling and the animator thread.
#include <cstdint>

#include "storage/profile.h"

// Which start of the animator thread is the current one; changed under EngineMutex each time
// a thread is started or the animator is stopped from outside, so that a thread outlived by
// a stop ends without touching the tables again.
extern uint64_t AnimatorRun;

// Body of the animator thread for one start.
void RunAnimator(uint64_t run);

// Re-stacks the record's window after delayMs on a short detached thread.
void StartSettleThread(const WindowProfile& record, int32_t delayMs);

// From the first started thread on, the process's exit code takes EngineMutex for good, so no
// engine thread touches containers that are being destroyed.
void HoldEngineMutexFromExitOn();
