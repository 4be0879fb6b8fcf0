// Re-stacking a claimed window by its Z-Level: directly below the lowest manageable window
// with a higher level.
#include <map>
#include <vector>

#include "engine/engine.h"
#include "engine/rule_match.h"
#include "engine/window_positioning.h"

namespace {

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Only windows that an active cluster recognises are ever re-stacked.
bool IsClaimedByActiveCluster(HWND window) {
    const WindowProfile live = FindLiveWindow(window);
    return ActiveClusterMap.Read([&live](const ClusterMapValue& clusters) {
        for (const auto& [name, cluster] : clusters) {
            for (const auto& [title, profile] : cluster.profiles) {
                WindowProfile candidate = live;
                if (MatchProfile(candidate, profile)) return true;
            }
        }
        return false;
    });
}

std::map<HWND, int32_t> LiveLevels() {
    return LiveWindowList.Read([](const LiveWindowSequence& list) {
        std::map<HWND, int32_t> levels;
        for (const WindowProfile& record : list) levels.emplace(record.hwnd, record.zLevel);
        return levels;
    });
}

// The last manageable, non-topmost window above the level in the stacking order wins. Windows
// outside the live list count as level 0. The walk starts at the bottom and stops at the first
// window that qualifies, and the level is compared first, so the window server is asked about
// a window only when it could be the answer.
HWND LowestWindowAbove(HWND window, int32_t level) {
    const std::map<HWND, int32_t> levels = LiveLevels();
    const std::vector<HWND> topFirst = TopLevelWindowsTopFirst();
    for (auto other = topFirst.rbegin(); other != topFirst.rend(); ++other) {
        const auto found = levels.find(*other);
        const int32_t otherLevel = found == levels.end() ? 0 : found->second;
        if (level >= otherLevel || *other == window) continue;
        if (!IsTopmost(*other) && IsManageableWindow(*other)) return *other;
    }
    return nullptr;
}

}  // namespace

void RestoreZOrder(WindowProfile record) {
    HWND window = record.hwnd;
    if (!window || IsMaximizedOrMinimized(window) || IsFullscreenWindow(window) || IsIconic(window)) return;
    if (IsWindowHung(window) || !IsClaimedByActiveCluster(window)) return;
    std::lock_guard<std::recursive_mutex> lock(EngineMutex);
    HWND insertAfter = LowestWindowAbove(window, record.zLevel);
    // With nothing above it the window goes to the top of the normal windows. HWND_NOTOPMOST
    // alone would leave a normal window where it is, so it is used only for a topmost one,
    // which it turns into a normal window.
    if (!insertAfter) insertAfter = IsTopmost(window) ? HWND_NOTOPMOST : HWND_TOP;
    SetWindowPosWithoutWaiting(window, insertAfter, 0, 0, 0, 0,
                               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}
