// The Settings window: the time delay and "Start with Windows". Nothing is stored until
// "Apply", which is enabled only while the shown values differ from the stored ones.
#include <windows.h>
#include <shellapi.h>

#include <cassert>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/process.h"
#include "engine/engine.h"
#include "ui/settings_form.h"
#include "ui/shell_link.h"
#include "ui/config_windows.h"

namespace {

constexpr int kNoId = 0;
constexpr int kTextChars = 256;

struct ControlDescription {
    const wchar_t* className;
    const wchar_t* text;  // null for the time delay input, which shows the stored delay
    DWORD style;
    int x, y, width, height;
    int id;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The label leaves eight blanks for the time delay input; the disabled, empty combo box in that
// gap is the input's frame. The one-pixel edit just above the input only hands the focus on.
const ControlDescription kControls[] = {
    {L"BUTTON", L"OK", kChild | WS_TABSTOP, 121, 94, 110, 23, IDC_SETTINGS_OK},
    {L"BUTTON", L"Browse Local Files", kChild | WS_TABSTOP, 7, 67, 224, 23, IDC_SETTINGS_BROWSE},
    {L"STATIC",
     L"Time Delay:"
     L"        "
     L"second(s)",
     kChild | WS_CLIPSIBLINGS | SS_CENTERIMAGE, 17, 9, 175, 20, kNoId},
    {L"COMBOBOX", L"", kChild | WS_DISABLED | WS_CLIPSIBLINGS, 99, 8, 24, 24, kNoId},
    {L"EDIT", L"", kChild, 102, 11, 18, 1, IDC_SETTINGS_FOCUS_DECOY},
    {L"EDIT", nullptr, kChild | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL | ES_CENTER, 102, 12, 18, 17,
     IDC_SETTINGS_TIME_DELAY},
    {L"BUTTON", L"Start with Windows", kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_RIGHT, 18, 39, 204, 20,
     IDC_SETTINGS_START_WITH_WINDOWS},
    {L"BUTTON", L"Apply", kChild | WS_TABSTOP | WS_DISABLED, 7, 94, 110, 23, IDC_SETTINGS_APPLY},
};

// The window lives on its own thread, which alone reads and writes this.
struct SettingsWindowState {
    std::vector<HWND> controls;  // the controls with an id, in creation order
    StoredSettings stored;
};
thread_local SettingsWindowState State;

HWND Item(HWND window, int id) {
    return GetDlgItem(window, id);
}

std::wstring InputText(HWND window) {
    wchar_t text[kTextChars] = {};
    GetWindowTextW(Item(window, IDC_SETTINGS_TIME_DELAY), text, kTextChars);
    return text;
}

int32_t CheckState(HWND window) {
    return static_cast<int32_t>(SendMessageW(Item(window, IDC_SETTINGS_START_WITH_WINDOWS), BM_GETCHECK, 0, 0));
}

void StoreShownValues(HWND window) {
    State.stored = ShownSettings(InputText(window), CheckState(window));
}

void CreateControls(HWND window, const std::wstring& timeDelayText) {
    std::vector<HWND> unnumbered;
    for (const ControlDescription& c : kControls) {
        assert(c.id == kNoId || c.id == IDC_SETTINGS_BASE + 4 * static_cast<int>(State.controls.size()));
        const HWND control = CreateWindowExW(0, c.className, c.text ? c.text : timeDelayText.c_str(), c.style, c.x, c.y,
                                             c.width, c.height, window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), AppInstance, nullptr);
        if (c.id == kNoId) {
            unnumbered.push_back(control);
        } else {
            State.controls.push_back(control);
        }
    }
    // The input is drawn above its frame, and the frame above the label.
    for (auto it = unnumbered.rbegin(); it != unnumbered.rend(); ++it) {
        SetWindowPos(*it, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

LRESULT OnCreate(HWND window) {
    static const POINT origin = ScreenCenteredOrigin(kSettingsWindowWidth, kSettingsWindowHeight);
    SetWindowPos(window, HWND_TOPMOST, origin.x, origin.y, kSettingsWindowWidth, kSettingsWindowHeight, 0);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_THICKFRAME));
    // The delay is the input's creation text, so that no change notification reaches the
    // enabling rule before the values are stored.
    CreateControls(window, std::to_wstring(ReadTimeDelay()));
    if (ReadStartWithWindows(kTextChars)) {
        SendMessageW(Item(window, IDC_SETTINGS_START_WITH_WINDOWS), BM_SETCHECK, BST_CHECKED, 0);
    }
    StoreShownValues(window);
    ShowWindow(window, SW_SHOW);
    return 0;
}

LRESULT OnDestroy() {
    State = {};
    PostQuitMessage(0);
    return 0;
}

// The decoy edit passes the focus straight on to the time delay input.
LRESULT OnFocusChange(HWND window, HWND other) {
    if (!State.controls.empty() && other && other == Item(window, IDC_SETTINGS_FOCUS_DECOY)) {
        SetFocus(Item(window, IDC_SETTINGS_TIME_DELAY));
        Diag(L"Moved focus to real input box\n");
    }
    return 0;
}

void UpdateApplyButton(HWND window) {
    if (State.controls.empty()) return;
    const bool enabled = ApplyEnabled(InputText(window), CheckState(window), State.stored);
    EnableWindow(Item(window, IDC_SETTINGS_APPLY), enabled ? TRUE : FALSE);
}

void OnApply(HWND window) {
    const HWND apply = Item(window, IDC_SETTINGS_APPLY);
    // Only an enabled "Apply" stores: the input then holds a number.
    if (!IsWindowEnabled(apply)) return;
    const bool checked = CheckState(window) == BST_CHECKED;
    const std::wstring delayText = DelayTextToStore(InputText(window));
    WriteSetting(L"Time Delay", delayText.c_str());
    // A delay out of range was stored as the nearest end of it: the input shows what was stored.
    if (delayText != InputText(window)) SetWindowTextW(Item(window, IDC_SETTINGS_TIME_DELAY), delayText.c_str());
    WriteSetting(L"Start with Windows", checked ? L"Yes" : L"No");
    ApplyAutostart(checked);
    EnableWindow(apply, FALSE);
    StoreShownValues(window);
}

void OnOk(HWND window) {
    ShowWindow(window, SW_HIDE);
    PostMessageW(window, WM_CLOSE, 0, 0);
}

void OnBrowse(HWND window) {
    if (AppDataPath[0] == L'\0') return;
    const std::wstring folder = std::wstring(AppDataPath) + L"/Pinora";
    ShellExecuteW(window, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT OnCommand(HWND window, int id, int code) {
    switch (id) {
        case IDC_SETTINGS_OK:
            if (code == BN_CLICKED) OnOk(window);
            break;
        case IDC_SETTINGS_BROWSE:
            if (code == BN_CLICKED) OnBrowse(window);
            break;
        case IDC_SETTINGS_APPLY:
            if (code == BN_CLICKED) OnApply(window);
            break;
        case IDC_SETTINGS_TIME_DELAY:
            if (code == EN_CHANGE) UpdateApplyButton(window);
            break;
        case IDC_SETTINGS_START_WITH_WINDOWS:
            if (code == BN_CLICKED) UpdateApplyButton(window);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            return OnDestroy();
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return OnFocusChange(window, reinterpret_cast<HWND>(wParam));
        case WM_COMMAND:
            return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
