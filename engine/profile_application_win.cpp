// The engine's main pass: every live window that an active profile claims gets its corner
// style, and a move to its saved frame when it is not there.
#include <dwmapi.h>

#include <utility>
#include <vector>

#include "engine/corner_preference.h"
#include "engine/engine.h"
#include "engine/rule_match.h"
#include "engine/glide.h"
#include "engine/monitor_reach.h"
#include "engine/window_positioning.h"

namespace {

constexpr int kConfiguredDelay = 2;

// Hung windows are skipped along with the states the user chose: nothing done to them now
// could take effect before the program recovers, and the next pass catches up.
bool IsLeftAlone(HWND window) {
    return IsMaximizedOrMinimized(window) || IsFullscreenWindow(window) || IsIconic(window) || IsWindowHung(window);
}

void SendCornerPreference(HWND window, CornerStyle style) {
    const DWORD preference = static_cast<DWORD>(CornerPreferenceFor(style));
    DwmSetWindowAttribute(window, kCornerPreferenceAttribute, &preference, sizeof(preference));
}

bool FrameEquals(const RECT& frame, const WindowProfile& profile) {
    return profile.position.x == frame.left && profile.position.y == frame.top &&
           profile.size.width == frame.right - frame.left && profile.size.height == frame.bottom - frame.top;
}

BOOL CALLBACK CollectMonitorArea(HMONITOR, HDC, LPRECT area, LPARAM areas) {
    try {
        reinterpret_cast<std::vector<MonitorArea>*>(areas)->push_back(
            {area->left, area->top, area->right, area->bottom});
    } catch (...) {
        return FALSE;  // out of memory: judge by what was collected
    }
    return TRUE;
}

// The monitors as they are when a pass first has a window to move; most passes move nothing
// and never ask.
class PassMonitors {
  public:
    const std::vector<MonitorArea>& Areas() {
        if (!read_) {
            EnumDisplayMonitors(nullptr, nullptr, CollectMonitorArea, reinterpret_cast<LPARAM>(&areas_));
            read_ = true;
        }
        return areas_;
    }

  private:
    bool read_ = false;
    std::vector<MonitorArea> areas_;
};

// The first profile of one cluster, by title, that claims the record (which then carries the
// profile's settings); null when none does.
const WindowProfile* FirstClaimingProfile(WindowProfile& record, const ClusterEntry& cluster) {
    for (const auto& [title, profile] : cluster.profiles) {
        if (MatchProfile(record, profile)) return &profile;
    }
    return nullptr;
}

enum class Placement { FrameUnknown, InPlace, OnItsWay };

// FrameUnknown when the window's frame cannot be read, so that another cluster may try.
Placement PlaceByProfile(const WindowProfile& record, const WindowProfile& profile, int delaySeconds,
                         PassMonitors& monitors) {
    HWND window = record.hwnd;
    if (window) SendCornerPreference(window, profile.corners);
    RECT frame = {};
    if (FAILED(GetVisibleFrame(window, &frame))) return Placement::FrameUnknown;
    if (FrameEquals(frame, profile)) {
        Diag(L"Window is where it should be.\n");
        return Placement::InPlace;
    }
    const bool moving = MovingFlags.Read([window](const MovingFlagMap& flags) {
        const auto found = flags.find(window);
        return found != flags.end() && found->second;
    });
    if (moving) {
        Diag(L"Window was already moving (aborted).\n");
        return Placement::OnItsWay;
    }
    const FrameBounds target{profile.position.x, profile.position.y, profile.size.width, profile.size.height};
    if (!IsFrameWithinReach(target, monitors.Areas())) {
        // Saved under another monitor layout: the move would take the window out of sight.
        Diag(L"Saved frame is off every monitor (window left in place).\n");
        return Placement::InPlace;
    }
    ScheduleMove(record, profile.position.x, profile.position.y, profile.size.width, profile.size.height, delaySeconds,
                 kMoveDurationMs, kMoveFrameIntervalMs);
    return Placement::OnItsWay;
}

// Matching costs no system call, while each state test asks the window server; with many
// windows on the desktop and few of them claimed, the tests run only for claimed windows.
// True when the window was sent on its way back, or is still on it.
bool ApplyToLiveWindow(WindowProfile record, const ClusterMapValue& activeClusters, int delaySeconds,
                       PassMonitors& monitors) {
    bool stateTested = false;
    for (const auto& [name, cluster] : activeClusters) {
        const WindowProfile* profile = FirstClaimingProfile(record, cluster);
        if (!profile) continue;
        if (!std::exchange(stateTested, true) && IsLeftAlone(record.hwnd)) return false;
        const Placement placement = PlaceByProfile(record, *profile, delaySeconds, monitors);
        if (placement != Placement::FrameUnknown) return placement == Placement::OnItsWay;
    }
    return false;
}

}  // namespace

int ApplyProfiles(int delay) {
    Diag(L"Applying profiles.\n");
    if (delay == kConfiguredDelay) delay = ReadTimeDelay();
    const LiveWindowSequence liveWindows = LiveWindowList.Snapshot();
    const ClusterMapValue activeClusters = ActiveClusterMap.Snapshot();
    PassMonitors monitors;
    int onTheirWay = 0;
    for (const WindowProfile& record : liveWindows) {
        if (ApplyToLiveWindow(record, activeClusters, delay, monitors)) ++onTheirWay;
    }
    return onTheirWay;
}
