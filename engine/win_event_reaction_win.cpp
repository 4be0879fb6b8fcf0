// The reaction to system window events: new, restored, renamed, dragged and activated
// windows are placed, re-stacked or released from their animation.
#include <memory>
#include <utility>

#include "engine/display_watch.h"
#include "engine/engine.h"
#include "engine/fullscreen_marks.h"
#include "engine/inspector_link.h"
#include "engine/posted_profiles.h"
#include "engine/new_window_watch.h"
#include "engine/started_programs.h"

namespace {

// Windows of a code editor open on this program's own sources; their events are ignored.
const wchar_t kExcludedTitleFragment[] = L" - PNR - C/C++ - Visual Studio Code";

constexpr int kNoDelay = 0;
constexpr int kConfiguredDelay = 2;
constexpr int kInspectorRulesOnlyMode = 1;
constexpr int kInspectorLocationMode = 4;

// Both live on the main thread, where the system delivers every event.
HWND LastForegroundWindow = nullptr;
FullscreenMarks& FullscreenSeen() {
    static FullscreenMarks seen;
    return seen;
}

bool WindowExists(FullscreenMarks::Window window) {
    return IsWindow(static_cast<HWND>(window)) != FALSE;
}

// A child of the window the user last activated (a caret, a menu, a dialog's part) speaks
// for that window. Nothing is related before any window was activated.
bool IsChildOfLastForeground(HWND window) {
    return LastForegroundWindow && GetParent(window) == LastForegroundWindow;
}

bool IsMarkedMoving(HWND window) {
    return MovingFlags.Read([window](const MovingFlagMap& flags) {
        const auto found = flags.find(window);
        return found != flags.end() && found->second;
    });
}

// Location changes arrive for every step of every window being moved. Unless the Inspector
// follows them, the window is part of the last activated one, or fullscreen is involved, their
// reaction has nothing to do, and the filter's reads of the window are skipped.
bool MayConcernFullscreen(HWND window) {
    return FullscreenSeen().IsMarked(window) || IsFullscreenWindow(window);
}

void CancelMoveIfMoving(HWND window) {
    if (IsMarkedMoving(window)) CancelMove(window);
}

// Keeps the Inspector window and the Rules editor on the window the user works with. The
// editor gets a copy it owns; a copy that cannot be delivered is freed here.
void UpdateInspector(const WindowProfile& record, int mode) {
    if (!InspectorOpen) return;
    HWND rulesWindow = RulesWindowHandle;
    if (!rulesWindow) {
        ShowInInspector(record, mode);
        return;
    }
    PostProfileCopy(rulesWindow, record, 1);
}

void OnCaptureOrForeground(DWORD event, HWND window, WindowProfile record) {
    Diag(L"Captured input.\n");
    RestoreZOrder(record);
    if (event == EVENT_SYSTEM_FOREGROUND) {
        LastForegroundWindow = window;
        RefreshLiveWindowList();
        record = LiveWindowAt(0);
    }
    CancelMoveIfMoving(window);
    UpdateInspector(record, kInspectorRulesOnlyMode);
}

void OnLocationChange(HWND window, const WindowProfile& record) {
    if (IsChildOfLastForeground(window)) {
        RestoreZOrder(FindLiveWindow(LastForegroundWindow));
        Diag(L"Captured input.\n");
    }
    UpdateInspector(record, kInspectorLocationMode);
    if (!FullscreenSeen().Consume(window) || SystemMovesWindows()) return;
    // Back from fullscreen: the window may still be settling, so the pass runs twice.
    ApplyProfiles(kConfiguredDelay);
    ApplyProfiles(kConfiguredDelay);
}

// The re-read-and-place pass of new, restored and renamed windows reads every window on the
// desktop, and some programs rename their windows hundreds of times a second. The first
// request runs at once; requests that follow while the main thread still has events queued
// are merged into one pass, run when the queue has drained (a thread timer fires only then).
UINT_PTR MergeTimer = 0;
bool PassRequested = false;
bool InspectorUpdateRequested = false;

void RunPlacementPass() {
    const bool updateInspector = std::exchange(InspectorUpdateRequested, false);
    RefreshLiveWindowList();
    const WindowProfile foreground = LiveWindowAt(0);
    ApplyProfiles(kNoDelay);
    if (updateInspector) UpdateInspector(foreground, kInspectorRulesOnlyMode);
}

void RequestPlacementPass(bool updateInspector);

void CALLBACK OnMergeTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    MergeTimer = 0;
    if (std::exchange(PassRequested, false)) RequestPlacementPass(false);
}

void RequestPlacementPass(bool updateInspector) {
    InspectorUpdateRequested = InspectorUpdateRequested || updateInspector;
    if (MergeTimer) {
        PassRequested = true;
        return;
    }
    RunPlacementPass();
    MergeTimer = SetTimer(nullptr, 0, 0, OnMergeTimer);
}

void Dispatch(DWORD event, HWND window, const WindowProfile& record) {
    switch (event) {
        case EVENT_SYSTEM_FOREGROUND:
        case EVENT_SYSTEM_CAPTURESTART:
        case EVENT_SYSTEM_CAPTUREEND:
            OnCaptureOrForeground(event, window, record);
            return;
        case EVENT_SYSTEM_MOVESIZESTART:
            CancelMoveIfMoving(window);
            StopSettling(window);
            UpdateInspector(record, kInspectorRulesOnlyMode);
            return;
        case EVENT_SYSTEM_MOVESIZEEND:
            // The system's own moves are put right by the display settle passes.
            if (!SystemMovesWindows()) ApplyProfiles(kConfiguredDelay);
            return;
        case EVENT_OBJECT_CREATE:
        case EVENT_OBJECT_SHOW:
            StopWatchingNewWindow(window);
            RequestPlacementPass(false);
            return;
        case EVENT_SYSTEM_MINIMIZEEND:
            RequestPlacementPass(false);
            return;
        case EVENT_OBJECT_LOCATIONCHANGE:
            OnLocationChange(window, record);
            return;
        case EVENT_OBJECT_NAMECHANGE:
            RequestPlacementPass(true);
            return;
        default:
            return;
    }
}

bool IsTopLevelWindow(HWND window) {
    return GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

// Windows raises the show event for every object that appears (carets, cursors, controls);
// only top-level windows count.
bool IsShowOfAnythingButATopLevelWindow(DWORD event, HWND window, LONG objectId) {
    return event == EVENT_OBJECT_SHOW && (objectId != OBJID_WINDOW || !IsTopLevelWindow(window));
}

// Most programs create their window hidden and show it later, and the creation event may be
// handled before the show. Such a window is watched until it appears. This test comes before
// the eligibility test, which reads visibility again: a window shown between the two reads is
// then watched, where it would otherwise be neither watched nor handled.
bool IsHiddenNewTopLevelWindow(DWORD event, HWND window, LONG objectId) {
    return event == EVENT_OBJECT_CREATE && objectId == OBJID_WINDOW && IsWindow(window) && !IsWindowVisible(window) &&
           IsTopLevelWindow(window);
}

}  // namespace

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG, DWORD, DWORD) {
    if (!window || IsShowOfAnythingButATopLevelWindow(event, window, objectId)) return;
    const bool childOfForeground = IsChildOfLastForeground(window);
    if (objectId != OBJID_WINDOW && (objectId == OBJID_CLIENT || !childOfForeground)) return;
    if (event == EVENT_OBJECT_LOCATIONCHANGE && !childOfForeground && !InspectorOpen && !MayConcernFullscreen(window)) {
        return;
    }
    if (!childOfForeground && IsHiddenNewTopLevelWindow(event, window, objectId)) {
        WatchHiddenNewWindow(window);
        return;
    }
    if (!IsManageableWindow(window) && !childOfForeground) return;
    const WindowProfile record = FindLiveWindow(window);
    if (record.title.find(kExcludedTitleFragment) != std::wstring::npos) return;
    if (IsMaximizedOrMinimized(window)) return;
    if (IsFullscreenWindow(window)) FullscreenSeen().Mark(window, WindowExists);
    if (IsIconic(window)) return;
    Dispatch(event, window, record);
}
