// After the monitor layout changes or the system resumes from sleep, Windows has shuffled
// windows without reporting a single move. One placement pass after the configured "Time
// Delay" puts them back once their monitor is there again; a burst of notices gives one pass,
// after the last of them.
#include <algorithm>
#include <cstdint>

#include "engine/engine.h"

namespace {

constexpr int64_t kLongestDelayMs = 24LL * 60 * 60 * 1000;

UINT_PTR LayoutTimer = 0;  // main thread only

void CALLBACK OnLayoutTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    LayoutTimer = 0;
    RefreshLiveWindowList();
    ApplyProfiles(0);
}

}  // namespace

void RequestLayoutPass() {
    if (LayoutTimer) KillTimer(nullptr, LayoutTimer);
    const int64_t delayMs = std::clamp<int64_t>(static_cast<int64_t>(ReadTimeDelay()) * 1000, 0, kLongestDelayMs);
    LayoutTimer = SetTimer(nullptr, 0, static_cast<UINT>(delayMs), OnLayoutTimer);
}
