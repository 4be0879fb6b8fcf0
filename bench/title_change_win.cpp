#include "bench/title_change.h"

#include <algorithm>
#include <vector>

#include "engine/engine.h"

void PumpMessagesFor(DWORD milliseconds) {
    const DWORD until = GetTickCount() + milliseconds;
    MSG msg;
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    }
}

RunTimes FirstTitleChangeTimes(HWND window, int runs) {
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        values.push_back(MeasureRuns(1, [&] {
                             OnWinEvent(nullptr, EVENT_OBJECT_NAMECHANGE, window, OBJID_WINDOW, CHILDID_SELF, 0, 0);
                         }).fastest);
        PumpMessagesFor(30);
    }
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}
