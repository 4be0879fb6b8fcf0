#include "engine/new_window_watch.h"

#include <chrono>
#include <map>
#include <vector>

#include "engine/engine.h"

namespace {

using Clock = std::chrono::steady_clock;

// Measured under Wine: Notepad shows its window 6 to 31 ms after creating it, Regedit 21 to
// 62 ms; other programs take longer, and some never show a window they create.
constexpr UINT kWatchIntervalMs = 50;
constexpr auto kLongestWatch = std::chrono::seconds(5);
// A program that creates hidden windows by the hundred must not make each tick expensive.
constexpr size_t kMostWatched = 256;

std::map<HWND, Clock::time_point>& WatchDeadlines() {
    static std::map<HWND, Clock::time_point> deadlines;
    return deadlines;
}
UINT_PTR WatchTimer = 0;

// Forgets the windows that are gone or have been watched long enough, and returns those that
// are now visible.
std::vector<HWND> TakeVisibleWindows() {
    auto& deadlines = WatchDeadlines();
    const auto now = Clock::now();
    std::vector<HWND> visible;
    for (auto it = deadlines.begin(); it != deadlines.end();) {
        if (IsWindowVisible(it->first)) {
            visible.push_back(it->first);
            it = deadlines.erase(it);
        } else if (!IsWindow(it->first) || now >= it->second) {
            it = deadlines.erase(it);
        } else {
            ++it;
        }
    }
    return visible;
}

void StopTimerWhenIdle() {
    if (!WatchDeadlines().empty() || !WatchTimer) return;
    KillTimer(nullptr, WatchTimer);
    WatchTimer = 0;
}

void CALLBACK OnWatchTimer(HWND, UINT, UINT_PTR, DWORD) {
    const std::vector<HWND> visible = TakeVisibleWindows();
    StopTimerWhenIdle();
    // Through the whole event reaction, so the window is filtered like any new one.
    for (HWND window : visible) OnWinEvent(nullptr, EVENT_OBJECT_CREATE, window, OBJID_WINDOW, CHILDID_SELF, 0, 0);
}

}  // namespace

void WatchHiddenNewWindow(HWND window) {
    auto& deadlines = WatchDeadlines();
    if (deadlines.size() >= kMostWatched && deadlines.count(window) == 0) return;
    deadlines[window] = Clock::now() + kLongestWatch;
    if (!WatchTimer) WatchTimer = SetTimer(nullptr, 0, kWatchIntervalMs, OnWatchTimer);
}

void StopWatchingNewWindow(HWND window) {
    WatchDeadlines().erase(window);
    StopTimerWhenIdle();
}

bool WatchingHiddenNewWindows() {
    return WatchTimer != 0 || !WatchDeadlines().empty();
}
