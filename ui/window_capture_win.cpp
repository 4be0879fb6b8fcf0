// What "Save Open Windows" saves: the open windows as the engine sees them, in stacking order.
#include <dwmapi.h>

#include <algorithm>
#include <map>

#include "engine/corner_preference.h"
#include "engine/engine.h"
#include "engine/process_arguments.h"
#include "ui/capture_rules.h"
#include "ui/save_windows.h"

namespace {

// The shell's own windows, which no layout holds: taskbars, the desktop, Wine's tray window.
constexpr const wchar_t* kShellClasses[] = {
    L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd",   L"Progman",
    L"WorkerW",       L"NotifyIconOverflowWindow", L"__winex11_standalone_tray"};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    try {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// The live list puts the foreground application first; the stacking order is the desktop's.
void SortByStacking(LiveWindowSequence& windows) {
    std::vector<HWND> order;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&order));
    std::map<HWND, size_t> rank;
    for (size_t i = 0; i < order.size(); ++i) rank.emplace(order[i], i);
    const auto rankOf = [&rank](HWND window) {
        const auto found = rank.find(window);
        return found == rank.end() ? rank.size() : found->second;
    };
    std::stable_sort(windows.begin(), windows.end(),
                     [&](const WindowProfile& a, const WindowProfile& b) { return rankOf(a.hwnd) < rankOf(b.hwnd); });
}

bool IsOwnOrShellWindow(const WindowProfile& record) {
    DWORD processId = 0;
    GetWindowThreadProcessId(record.hwnd, &processId);
    if (processId == GetCurrentProcessId()) return true;
    return std::any_of(std::begin(kShellClasses), std::end(kShellClasses),
                       [&record](const wchar_t* name) { return record.className == name; });
}

// The live record without what a saved entry it matched lent it.
WindowProfile IdentityOf(const WindowProfile& live) {
    WindowProfile window;
    window.hwnd = live.hwnd;
    window.title = live.title;
    window.className = live.className;
    window.exePath = live.exePath;
    window.position = live.position;
    window.size = live.size;
    return window;
}

// The corners the window shows now; before Windows 11 there is no choice but round.
CornerStyle CurrentCorners(HWND window) {
    DWORD preference = 0;
    if (!IsWindows11 ||
        FAILED(DwmGetWindowAttribute(window, kCornerPreferenceAttribute, &preference, sizeof(preference)))) {
        return CornerStyle::Round;
    }
    if (preference == 1) return CornerStyle::Sharp;
    return preference == 3 ? CornerStyle::Dull : CornerStyle::Round;
}

}  // namespace

std::vector<CapturedWindow> CaptureOpenWindows() {
    RefreshLiveWindowList();
    LiveWindowSequence live = LiveWindowList.Snapshot();
    SortByStacking(live);
    std::vector<WindowProfile> shown;
    std::vector<WindowProfile> minimised;  // no place to save, but a rule must not claim them
    for (const WindowProfile& record : live) {
        if (IsOwnOrShellWindow(record)) continue;
        (IsIconic(record.hwnd) ? minimised : shown).push_back(IdentityOf(record));
    }
    const std::vector<std::wstring> rules = ChooseCaptureRules(shown, minimised);
    std::map<DWORD, std::wstring> argumentsOf;  // one read per process
    std::vector<CapturedWindow> captured;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (rules[i].empty()) continue;
        CapturedWindow window{shown[i], L"", rules[i]};
        window.record.desktop = DesktopNameOf(shown[i].hwnd);
        window.record.corners = CurrentCorners(shown[i].hwnd);
        DWORD processId = 0;
        GetWindowThreadProcessId(shown[i].hwnd, &processId);
        auto found = argumentsOf.find(processId);
        if (found == argumentsOf.end()) found = argumentsOf.emplace(processId, ReadProcessArguments(processId)).first;
        window.arguments = found->second;
        captured.push_back(std::move(window));
    }
    return captured;
}
