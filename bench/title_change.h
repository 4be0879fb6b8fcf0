#pragma once
// What a title change costs the engine, for the benchmarks that measure it.
#include <windows.h>

#include "bench/run_times.h"

// Dispatches this thread's messages for a while (the merged placement pass runs from them).
void PumpMessagesFor(DWORD milliseconds);

// OnWinEvent for a title change of the window after a quiet spell, which runs its re-read and
// placement pass at once; the pump after each run lets the merge window close again.
RunTimes FirstTitleChangeTimes(HWND window, int runs);
