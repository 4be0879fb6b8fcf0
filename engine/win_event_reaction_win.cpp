// The reaction to system window events: new, restored, renamed, dragged and activated
// windows are placed, re-stacked or released from their animation.
#include <map>
#include <memory>

#include "engine/engine.h"
#include "ui/windows.h"

namespace {

// Our own code editor windows; events from them are of no interest.
const wchar_t kExcludedTitleFragment[] = L" - PNR - C/C++ - Visual Studio Code";

constexpr int kNoDelay = 0;
constexpr int kConfiguredDelay = 2;
constexpr int kInspectorRulesOnlyMode = 1;
constexpr int kInspectorLocationMode = 4;

// Both live on the main thread, where the system delivers every event.
HWND LastForegroundWindow = nullptr;
std::map<HWND, bool>& FullscreenSeen() {
    static std::map<HWND, bool> seen;
    return seen;
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
    auto copy = std::make_unique<WindowProfile>(record);
    if (PostMessageW(rulesWindow, WM_PNR_LOAD_PROFILE, reinterpret_cast<WPARAM>(copy.get()), 1)) copy.release();
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
    auto& fullscreenSeen = FullscreenSeen();
    const auto mark = fullscreenSeen.find(window);
    if (mark == fullscreenSeen.end() || !mark->second) return;
    fullscreenSeen.erase(mark);
    // Back from fullscreen: the window may still be settling, so the pass runs twice.
    ApplyProfiles(kConfiguredDelay);
    ApplyProfiles(kConfiguredDelay);
}

void OnNameChange() {
    RefreshLiveWindowList();
    const WindowProfile foreground = LiveWindowAt(0);
    ApplyProfiles(kNoDelay);
    UpdateInspector(foreground, kInspectorRulesOnlyMode);
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
            UpdateInspector(record, kInspectorRulesOnlyMode);
            return;
        case EVENT_SYSTEM_MOVESIZEEND:
            ApplyProfiles(kConfiguredDelay);
            return;
        case EVENT_SYSTEM_MINIMIZEEND:
        case EVENT_OBJECT_CREATE:
            RefreshLiveWindowList();
            ApplyProfiles(kNoDelay);
            return;
        case EVENT_OBJECT_LOCATIONCHANGE:
            OnLocationChange(window, record);
            return;
        case EVENT_OBJECT_NAMECHANGE:
            OnNameChange();
            return;
        default:
            return;
    }
}

}  // namespace

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG, DWORD, DWORD) {
    if (!window) return;
    if (objectId != OBJID_WINDOW && (objectId == OBJID_CLIENT || !IsChildOfLastForeground(window))) return;
    if (!IsManageableWindow(window) && !IsChildOfLastForeground(window)) return;
    const WindowProfile record = FindLiveWindow(window);
    if (record.title.find(kExcludedTitleFragment) != std::wstring::npos) return;
    if (IsMaximizedOrMinimized(window)) return;
    if (IsFullscreenWindow(window)) FullscreenSeen()[window] = true;
    if (IsIconic(window)) return;
    Dispatch(event, window, record);
}
