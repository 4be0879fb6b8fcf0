// The Cluster Management window: every cluster file, the windows saved in the selected one,
// and the options of the selected cluster or window. It keeps no copy of the files: what it
// shows is read from them at creation, at each selection and after its own commands.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <mutex>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/own_windows.h"
#include "base/process.h"
#include "engine/engine.h"
#include "storage/catalogue.h"
#include "storage/ini.h"
#include "ui/cluster_hot_key.h"
#include "ui/cluster_ties.h"
#include "ui/cluster_window.h"
#include "ui/config_windows.h"
#include "ui/save_windows.h"

namespace {

constexpr int kTextChars = 256;
constexpr DWORD kOptionBox = WS_DISABLED | WS_TABSTOP | BS_RIGHT | BS_AUTOCHECKBOX;

struct ControlSpec {
    const wchar_t* className;
    const wchar_t* caption;
    int x, y, width, height;
    DWORD style;  // beyond WS_CHILD | WS_VISIBLE
    int id;       // 0: the control needs none
    bool hidden;  // hidden right after creation: the Windows pane's options
};

// In creation order. The two panes share check-box slots; the frame around the name box is a
// disabled combo box with two thin lists masking its right edge, and a one-pixel decoy edit
// that hands the focus on to the name box.
const ControlSpec kControls[] = {
    {L"BUTTON", L"", 8, 0, 242, 236, WS_CLIPSIBLINGS | BS_GROUPBOX, 0, false},
    {L"STATIC", L" Cluster Config ", 72, 0, 106, 20, SS_CENTER, 0, false},
    {L"BUTTON", L"", 249, 0, 100, 236, BS_GROUPBOX, 0, false},
    {L"STATIC", L" Clusters ", 267, 0, 62, 20, 0, 0, false},
    {L"BUTTON", L"", 348, 0, 99, 206, BS_GROUPBOX, 0, false},
    {L"STATIC", L" Windows ", 364, 0, 67, 20, 0, 0, false},
    {L"STATIC", L" ", 247, 9, 4, 225, 0, 0, false},
    {L"STATIC", L" ", 346, 9, 4, 195, 0, 0, false},
    {L"STATIC", L"Name:", 17, 28, 46, 20, SS_CENTERIMAGE, 0, false},
    {L"COMBOBOX", L"", 63, 27, 176, 24, WS_DISABLED | WS_CLIPSIBLINGS, 0, false},
    {L"EDIT", L"", 65, 30, 170, 1, 0, 0, false},
    {L"LISTBOX", L"", 235, 30, 3, 20, WS_DISABLED, 0, false},
    {L"LISTBOX", L"", 235, 32, 3, 20, WS_DISABLED, 0, false},
    {L"EDIT", L"", 65, 30, 172, 18, WS_TABSTOP | ES_RIGHT, IDC_CLUSTER_NAME, false},
    {L"BUTTON", L"Activate on Startup", 18, 56, 222, 20, kOptionBox, IDC_ACTIVATE_ON_STARTUP, false},
    {L"BUTTON", L"Launch with QuickMenu", 18, 56, 222, 20, kOptionBox, IDC_LAUNCH_WITH_QUICKMENU, true},
    {L"BUTTON", L"Show in Quick Menu", 18, 84, 222, 20, kOptionBox, IDC_SHOW_IN_QUICK_MENU, false},
    {L"BUTTON", L"SuperGlue (disabled)", 18, 80, 222, 20, kOptionBox, IDC_SUPERGLUE, true},
    {L"BUTTON", L"Sharp Corners", 18, 104, 222, 20, WS_DISABLED | WS_TABSTOP | BS_RIGHT | BS_AUTO3STATE,
     IDC_SHARP_CORNERS, true},
    {L"BUTTON", L"Move to saved desktop", 18, 128, 222, 20, kOptionBox, IDC_MOVE_TO_DESKTOP, true},
    {L"BUTTON", L"Only with these monitors", 18, 104, 222, 20, WS_DISABLED | WS_TABSTOP | BS_RIGHT | BS_3STATE,
     IDC_ONLY_WITH_THESE_MONITORS, false},
    {L"STATIC", L"", 18, 125, 222, 28, SS_RIGHT, IDC_DISPLAY_SETUP_TEXT, false},
    {L"STATIC", L"Hot key:", 17, 158, 56, 22, SS_CENTERIMAGE, IDC_HOT_KEY_LABEL, false},
    {HOTKEY_CLASSW, L"", 75, 158, 114, 22, WS_DISABLED | WS_TABSTOP | WS_BORDER, IDC_CLUSTER_HOT_KEY, false},
    {L"BUTTON", L"Clear", 194, 157, 46, 24, WS_DISABLED | WS_TABSTOP, IDC_CLEAR_HOT_KEY, false},
    {L"STATIC", L"", 18, 183, 222, 16, SS_RIGHT | SS_ENDELLIPSIS, IDC_HOT_KEY_NOTE, false},
    {L"LISTBOX", L"", 258, 20, 81, 130, WS_VSCROLL | LBS_NOTIFY, IDC_CLUSTER_LIST, false},
    {L"LISTBOX", L"", 357, 20, 81, 176, WS_VSCROLL | LBS_NOTIFY, IDC_WINDOW_LIST, false},
    {L"BUTTON", L"New", 17, 203, 75, 23, WS_DISABLED | WS_TABSTOP, IDC_CLUSTER_NEW, false},
    {L"BUTTON", L"Rules", 97, 203, 75, 23, WS_DISABLED | WS_TABSTOP, IDC_CLUSTER_RULES, false},
    {L"BUTTON", L"Delete", 177, 203, 75, 23, WS_DISABLED | WS_TABSTOP, IDC_CLUSTER_DELETE, false},
    {L"BUTTON", L"Apply", 257, 203, 83, 23, WS_DISABLED | WS_TABSTOP, IDC_CLUSTER_APPLY, false},
    {L"BUTTON", L"OK", 356, 212, 91, 23, WS_TABSTOP, IDC_CLUSTER_OK, false},
    {L"BUTTON", L"Open Missing Windows", 257, 154, 83, 44, WS_DISABLED | WS_TABSTOP | BS_MULTILINE,
     IDC_OPEN_MISSING_WINDOWS, false},
};

// Table positions the creation refers to.
constexpr size_t kOptionsFrame = 0, kOptionsLabel = 1, kNameLabel = 8, kNameFrame = 9, kDecoyEdit = 10;

// Never destroyed: a detached configuration thread may still run while the process exits.
constexpr wchar_t kConfiguration[] = L"Configuration";

ClusterWindowState* StateOf(HWND window) {
    return reinterpret_cast<ClusterWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND CreateControl(HWND window, const ControlSpec& spec) {
    const HWND control = CreateWindowExW(0, spec.className, spec.caption, WS_CHILD | WS_VISIBLE | spec.style, spec.x,
                                         spec.y, spec.width, spec.height, window,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), AppInstance, nullptr);
    if (control && spec.hidden) ShowWindow(control, SW_HIDE);
    return control;
}

void SendToBottom(HWND control) {
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CreateControls(ClusterWindowState& state) {
    HWND created[std::size(kControls)] = {};
    for (size_t i = 0; i <= kDecoyEdit; ++i) created[i] = CreateControl(state.window, kControls[i]);
    state.optionsLabel = created[kOptionsLabel];
    state.decoyEdit = created[kDecoyEdit];
    // The frame, its label and the options frame lie under everything created after them.
    for (size_t i : {kNameFrame, kNameLabel, kOptionsFrame}) SendToBottom(created[i]);
    UpdateWindow(state.window);
    for (size_t i = kDecoyEdit + 1; i < std::size(kControls); ++i) CreateControl(state.window, kControls[i]);
}

void ShowItem(const ClusterWindowState& state, int id, bool shown, bool enabled) {
    ShowWindow(Item(state, id), shown ? SW_SHOW : SW_HIDE);
    EnableItem(state, id, enabled);
}

bool IsYes(const std::wstring& cluster, const std::wstring& section, const wchar_t* key) {
    return ReadClusterValue(cluster, section, key, L"No") == L"Yes";
}

void ShowClusterFlags(ClusterWindowState& state, const std::wstring& cluster) {
    SetChecked(state, IDC_ACTIVATE_ON_STARTUP, IsYes(cluster, kConfiguration, L"Activate on Startup"));
    SetChecked(state, IDC_SHOW_IN_QUICK_MENU, IsYes(cluster, kConfiguration, L"Show in Quick Menu"));
    ShowClusterTie(state, cluster);
    ShowClusterHotKey(state, cluster);
}

WPARAM CornerCheckState(const std::wstring& corners) {
    if (corners == L"Sharp") return BST_CHECKED;
    return corners == L"Dull" ? BST_INDETERMINATE : BST_UNCHECKED;
}

void ShowWindowOptions(const ClusterWindowState& state, const std::wstring& cluster, const std::wstring& section) {
    const std::wstring desktop = ReadClusterValue(cluster, section, L"Desktop", L"saved");
    SetWindowTextW(Item(state, IDC_MOVE_TO_DESKTOP), (L"Move to \"" + desktop + L"\" desktop").c_str());
    SetChecked(state, IDC_MOVE_TO_DESKTOP, IsYes(cluster, section, L"Move to Desktop"));
    SetChecked(state, IDC_LAUNCH_WITH_QUICKMENU, IsYes(cluster, section, L"Launch with QuickMenu"));
    SendMessageW(Item(state, IDC_SHARP_CORNERS), BM_SETCHECK,
                 CornerCheckState(ReadClusterValue(cluster, section, L"Corners", L"Round")), 0);
    SetChecked(state, IDC_SUPERGLUE, IsYes(cluster, section, L"SuperGlue"));
}

// The option boxes of each pane share their places; only the active pane's are shown.
struct PaneOption {
    int id;
    bool windowsPane;
    bool enabled;  // when shown
};
const PaneOption kPaneOptions[] = {
    {IDC_ACTIVATE_ON_STARTUP, false, true},  {IDC_SHOW_IN_QUICK_MENU, false, true},
    {IDC_LAUNCH_WITH_QUICKMENU, true, true}, {IDC_SUPERGLUE, true, false},
    {IDC_MOVE_TO_DESKTOP, true, true},       {IDC_ONLY_WITH_THESE_MONITORS, false, true},
    {IDC_DISPLAY_SETUP_TEXT, false, true},   {IDC_HOT_KEY_LABEL, false, true},
    {IDC_CLUSTER_HOT_KEY, false, true},      {IDC_CLEAR_HOT_KEY, false, true},
    {IDC_HOT_KEY_NOTE, false, true},
};

void ShowPane(ClusterWindowState& state, ClusterPane pane) {
    const bool windows = pane == ClusterPane::Windows;
    for (const PaneOption& option : kPaneOptions) {
        const bool shown = option.windowsPane == windows;
        ShowItem(state, option.id, shown, shown && option.enabled);
    }
    // Corner styles exist from Windows 11 on; earlier systems never show the box.
    if (IsWindows11) ShowItem(state, IDC_SHARP_CORNERS, windows, windows);
    state.pane = pane;
    SetWindowTextW(state.optionsLabel, windows ? L" Window Config " : L" Cluster Config ");
}

void SwitchToWindowsPane(ClusterWindowState& state) {
    ShowPane(state, ClusterPane::Windows);
    // With the Rules editor open there is nothing for Rules to open.
    const HWND editor = FindOwnWindow(L"PinoraRulesWindow");
    if (editor) RulesWindowHandle = editor;
    EnableItem(state, IDC_CLUSTER_RULES, editor == nullptr);
}

void OnListSelection(ClusterWindowState& state, int listId) {
    if (listId == IDC_CLUSTER_LIST) {
        ShowSelectedCluster(state);
    } else {
        ShowSelectedWindow(state);
    }
}

void OnCommand(ClusterWindowState& state, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDC_CLUSTER_NAME && code == EN_CHANGE) return OnNameChanged(state);
    if (id == IDC_CLUSTER_HOT_KEY && code == EN_CHANGE) return OnHotKeyEdited(state);
    if (code == LBN_SELCHANGE) {
        if (id == IDC_CLUSTER_LIST || id == IDC_WINDOW_LIST) OnListSelection(state, id);
        return;
    }
    if (wParam != static_cast<WPARAM>(id)) return;  // buttons act on plain clicks only
    switch (id) {
        case IDC_ACTIVATE_ON_STARTUP:
        case IDC_LAUNCH_WITH_QUICKMENU:
        case IDC_SHOW_IN_QUICK_MENU:
        case IDC_SUPERGLUE:
        case IDC_SHARP_CORNERS:
        case IDC_MOVE_TO_DESKTOP:
            return OnOptionClick(state, id);
        case IDC_ONLY_WITH_THESE_MONITORS:
            StepTieBox(state);  // three states, of which a click gives two
            return OnOptionClick(state, id);
        case IDC_CLUSTER_NEW:
            return OnNew(state);
        case IDC_CLUSTER_RULES:
            return OnRules(state);
        case IDC_CLUSTER_DELETE:
            return OnDelete(state);
        case IDC_CLUSTER_APPLY:
            return OnApply(state);
        case IDC_CLUSTER_OK:
            SendMessageW(state.window, WM_CLOSE, 0, 0);  // nothing pending is applied
            return;
        case IDC_OPEN_MISSING_WINDOWS:
            return OnOpenMissingWindows(state);
        case IDC_CLEAR_HOT_KEY:
            return ClearHotKey(state);
        default:
            return;
    }
}

void RunMessageLoop(HWND window) {
    MSG msg;
    while (GetMessageW(&msg, window, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Creation runs the window's whole life: its message loop ends once the window is gone.
LRESULT OnCreate(HWND window) {
    static std::once_flag once;
    static POINT origin;
    std::call_once(once, [] { origin = ScreenCenteredOrigin(kClusterWindowWidth, kClusterWindowHeight); });
    SetWindowPos(window, nullptr, origin.x, origin.y, kClusterWindowWidth, kClusterWindowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~WS_THICKFRAME);

    ClusterWindowState state;
    state.window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    CreateControls(state);
    state.pane = ClusterPane::Clusters;
    ShowWindow(window, SW_SHOW);
    RefreshClusterManagement(window);
    RunMessageLoop(window);
    return 0;
}

void OnFocusChange(const ClusterWindowState& state, HWND other) {
    if (!other || other != state.decoyEdit) return;
    SetFocus(Item(state, IDC_CLUSTER_NAME));
    Diag(L"Moved focus to real input box\n");
}

// Closing the window closes the Rules editor opened from it.
void OnDestroy() {
    const HWND editor = FindOwnWindow(L"PinoraRulesWindow");
    RulesWindowHandle = editor;
    CloseRulesEditor();
    PostQuitMessage(0);
}

}  // namespace

HWND Item(const ClusterWindowState& state, int id) {
    return GetDlgItem(state.window, id);
}

std::wstring ControlText(HWND control) {
    wchar_t buffer[kTextChars] = {};
    GetWindowTextW(control, buffer, kTextChars);
    return buffer;
}

std::wstring CueBannerOf(HWND edit) {
    wchar_t buffer[kTextChars] = {};
    SendMessageW(edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(buffer), kTextChars);
    buffer[kTextChars - 1] = L'\0';
    return buffer;
}

void SetCueBanner(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    InvalidateRect(edit, nullptr, TRUE);  // the cue only repaints with the edit
}

std::wstring SelectedItemText(HWND list) {
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return L"";
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::min<size_t>(static_cast<size_t>(length), kTextChars - 1));
    return text;
}

std::vector<std::wstring> ListItemTexts(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == LB_ERR) continue;
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        items.push_back(std::move(text));
    }
    return items;
}

void EnableItem(const ClusterWindowState& state, int id, bool enabled) {
    EnableWindow(Item(state, id), enabled ? TRUE : FALSE);
}

void SetChecked(const ClusterWindowState& state, int id, bool checked) {
    SendMessageW(Item(state, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(const ClusterWindowState& state, int id) {
    return SendMessageW(Item(state, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ShowCurrentName(ClusterWindowState& state, const std::wstring& name, ApplyButton apply) {
    const HWND nameBox = Item(state, IDC_CLUSTER_NAME);
    // Emptying the box is no name the user typed: the name check keeps out of it.
    state.programSetsName = true;
    SetWindowTextW(nameBox, L"");
    state.programSetsName = false;
    SetCueBanner(nameBox, name);
    EnableItem(state, IDC_CLUSTER_NEW, false);
    if (apply != ApplyButton::Keep) EnableItem(state, IDC_CLUSTER_APPLY, apply == ApplyButton::Enable);
}

// A cluster may hold thousands of windows: the list is drawn once, after the last item.
void FillList(HWND list, const std::vector<std::wstring>& items) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (!items.empty()) {
        EnableWindow(list, TRUE);
        SendMessageW(list, LB_INITSTORAGE, items.size(), 0);
        for (const std::wstring& item : items) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

size_t FillWindowList(const ClusterWindowState& state, const std::wstring& cluster) {
    std::vector<std::wstring> sections;
    for (WindowProfile& profile : LoadWindowProfiles(cluster)) sections.push_back(std::move(profile.sectionName));
    const HWND list = Item(state, IDC_WINDOW_LIST);
    FillList(list, sections);
    if (!sections.empty()) SendMessageW(list, LB_SETCURSEL, 0, 0);
    return sections.size();
}

void RefreshClusterManagement(HWND window) {
    ClusterWindowState* state = StateOf(window);
    if (!state) return;
    Diag(L"Updating configuration window info.\n");
    const std::vector<std::wstring> names = ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
    const HWND clusterList = Item(*state, IDC_CLUSTER_LIST);
    SendMessageW(clusterList, LB_RESETCONTENT, 0, 0);
    SendMessageW(Item(*state, IDC_WINDOW_LIST), LB_RESETCONTENT, 0, 0);
    EnableItem(*state, IDC_OPEN_MISSING_WINDOWS, !names.empty());
    if (names.empty()) {
        ShowCurrentName(*state, L"New Cluster");
        for (int id : {IDC_ACTIVATE_ON_STARTUP, IDC_SHOW_IN_QUICK_MENU}) {
            EnableItem(*state, id, false);
            SetChecked(*state, id, false);
        }
        ShowClusterTie(*state, L"");
        ShowClusterHotKey(*state, L"");
        for (int id : {IDC_CLUSTER_LIST, IDC_WINDOW_LIST, IDC_CLUSTER_NEW, IDC_CLUSTER_RULES, IDC_CLUSTER_DELETE,
                       IDC_CLUSTER_APPLY}) {
            EnableItem(*state, id, false);
        }
        return;
    }
    FillList(clusterList, names);
    SendMessageW(clusterList, LB_SETCURSEL, 0, 0);
    EnableItem(*state, IDC_CLUSTER_DELETE, true);
    const std::wstring first = SelectedItemText(clusterList);
    ShowCurrentName(*state, first);
    EnableItem(*state, IDC_ACTIVATE_ON_STARTUP, true);
    EnableItem(*state, IDC_SHOW_IN_QUICK_MENU, true);
    ShowClusterFlags(*state, first);
    FillWindowList(*state, first);
}

void SwitchToClustersPane(ClusterWindowState& state) {
    ShowPane(state, ClusterPane::Clusters);
    EnableItem(state, IDC_CLUSTER_RULES, false);
}

void ShowSelectedCluster(ClusterWindowState& state) {
    SwitchToClustersPane(state);
    const std::wstring cluster = SelectedItemText(Item(state, IDC_CLUSTER_LIST));
    ShowCurrentName(state, cluster);
    ShowClusterFlags(state, cluster);
    FillWindowList(state, cluster);
    DisarmDelete(state);
}

void ShowSelectedWindow(ClusterWindowState& state) {
    SwitchToWindowsPane(state);
    const std::wstring section = SelectedItemText(Item(state, IDC_WINDOW_LIST));
    ShowCurrentName(state, section);
    ShowWindowOptions(state, SelectedItemText(Item(state, IDC_CLUSTER_LIST)), section);
    DisarmDelete(state);
}

void DisarmDelete(ClusterWindowState& state) {
    state.deleteArmed = false;
    SetWindowTextW(Item(state, IDC_CLUSTER_DELETE), L"Delete");
}

LRESULT CALLBACK ClusterConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsFrequentMessage(message, lParam)) Diag(L"Cluster config callback triggered.\n");
    ClusterWindowState* state = StateOf(window);
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            if (state) OnFocusChange(*state, reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_COMMAND:
            if (state) OnCommand(*state, wParam);
            return 0;
        case WM_PNR_CLUSTER_SAVED:
            if (state) ShowSavedCluster(*state);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
