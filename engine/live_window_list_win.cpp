// The engine's picture of every manageable window, foreground application first.
#include <objbase.h>

#include <algorithm>
#include <vector>

#include "engine/engine.h"
#include "engine/known_windows.h"
#include "engine/rule_match.h"
#include "engine/window_identity.h"

GuardedValue<LiveWindowSequence>& LiveWindowList = *new GuardedValue<LiveWindowSequence>;

namespace {

// The foreground window, its parents and its owner belong to the application the user is in;
// they lead the list so that index 0 is that application's window. The parents are those that
// IsChild would find (up the chain while the windows are child windows), gathered once per
// refresh instead of once per window.
class ForegroundRelation {
  public:
    ForegroundRelation() : foreground_(GetForegroundWindow()), owner_(GetWindow(foreground_, GW_OWNER)) {
        HWND desktop = GetDesktopWindow();
        for (HWND child = foreground_; child && (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD);) {
            HWND parent = GetAncestor(child, GA_PARENT);
            if (!parent || parent == desktop) break;
            parents_.push_back(parent);
            child = parent;
        }
    }

    bool IsRelated(HWND window) const {
        return window == foreground_ || (owner_ && window == owner_) ||
               std::find(parents_.begin(), parents_.end(), window) != parents_.end();
    }

  private:
    HWND foreground_;
    HWND owner_;
    std::vector<HWND> parents_;
};

// The first saved profile of any cluster, active or not, that recognises the window gives it
// its z-level; the match has already copied that profile's settings into the record.
void ApplyFirstMatchingProfile(WindowProfile& record, const ClusterMapValue& clusters) {
    for (const auto& [clusterName, entry] : clusters) {
        for (const auto& [title, profile] : entry.profiles) {
            if (MatchProfile(record, profile)) {
                record.zLevel = profile.zLevel;
                return;
            }
        }
    }
}

WindowProfile LiveRecordOf(HWND window, EligibleWindow&& eligible, KnownWindowCache& known) {
    WindowProfile record;
    record.hwnd = window;
    record.title = std::move(eligible.title);
    record.className = std::move(eligible.className);
    record.exePath = known.ExecutablePathOf(window);
    record.position = {eligible.frame.left, eligible.frame.top};
    record.size = {eligible.frame.right - eligible.frame.left, eligible.frame.bottom - eligible.frame.top};
    record.desktop = DesktopNameOf(window);
    return record;
}

LiveWindowSequence ReadLiveWindows() {
    const ClusterMapValue clusters = ClusterMap.Snapshot();
    const ForegroundRelation foreground;
    const std::vector<HWND> windows = TopLevelWindowsTopFirst();
    KnownWindowCache known(windows);
    LiveWindowSequence related;  // in enumeration order; each one goes in front of the earlier ones
    LiveWindowSequence others;
    for (HWND window : windows) {
        EligibleWindow eligible;
        if (!ReadEligibleTopLevelWindow(window, known, &eligible)) continue;
        WindowProfile record = LiveRecordOf(window, std::move(eligible), known);
        ApplyFirstMatchingProfile(record, clusters);
        (foreground.IsRelated(window) ? related : others).push_back(std::move(record));
    }
    std::reverse(related.begin(), related.end());
    related.insert(related.end(), std::make_move_iterator(others.begin()), std::make_move_iterator(others.end()));
    return related;
}

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM context) {
    try {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    } catch (...) {
        return FALSE;  // out of memory: work with what was collected
    }
    return TRUE;
}

}  // namespace

// The handles are collected before any of them is read, so the enumeration callback stays
// trivial and nothing can unwind through the system. EnumWindows gives the same windows in the
// same order, but Wine asks the window server once per window whether it still exists before
// passing it on (1.6 ms for 200 windows); the desktop's enumeration hands the list over as it
// is (0.07 ms). Wine adds its hidden message-only windows at the end, which no reader takes.
std::vector<HWND> TopLevelWindowsTopFirst() {
    std::vector<HWND> windows;
    EnumDesktopWindows(nullptr, CollectTopLevelWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void RefreshLiveWindowList() {
    // Desktop names may come through COM; a thread already in another apartment still works.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) {
        LiveWindowList.Replace({});
        return;
    }
    LiveWindowList.Replace(ReadLiveWindows());
    if (SUCCEEDED(com)) CoUninitialize();
}

WindowProfile FindLiveWindow(HWND window) {
    return LiveWindowList.Read([window](const LiveWindowSequence& list) {
        const auto found = std::find_if(list.begin(), list.end(),
                                        [window](const WindowProfile& record) { return record.hwnd == window; });
        return found == list.end() ? WindowProfile{} : *found;
    });
}

WindowProfile LiveWindowAt(int index) {
    return LiveWindowList.Read([index](const LiveWindowSequence& list) {
        return index < 0 || static_cast<size_t>(index) >= list.size() ? WindowProfile{} : list[index];
    });
}
