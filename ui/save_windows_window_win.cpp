// The "Save Open Windows" dialog: a name for the new cluster, proposed free and valid, and
// "Save", which writes the open windows into the new cluster file in one step. It runs on a
// thread of its own, like the configuration windows.
#include <windows.h>

#include <atomic>
#include <system_error>
#include <thread>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/own_windows.h"
#include "base/process.h"
#include "engine/engine.h"
#include "storage/catalogue.h"
#include "storage/ini.h"
#include "ui/cluster_name_check.h"
#include "ui/save_windows.h"

namespace {

constexpr wchar_t kClassName[] = L"PinoraSaveWindowsWindow";
constexpr int kWidth = 360, kHeight = 142;
constexpr int kTextChars = 256;

constexpr wchar_t kOffered[] = L"Every open window is saved. The new cluster stays inactive until you activate it.";
constexpr wchar_t kNameTaken[] = L"A cluster of this name exists.";
constexpr wchar_t kNameRefused[] = L"A cluster cannot be named so.";
constexpr wchar_t kNothingOpen[] = L"There are no open windows to save.";
constexpr wchar_t kNotWritten[] = L"The cluster could not be saved: its file could not be written.";

struct ControlSpec {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int x, y, width, height;
    int id;
};

const ControlSpec kControls[] = {
    {L"STATIC", L"Cluster name:", SS_LEFT | SS_CENTERIMAGE, 12, 14, 80, 20, 0},
    {L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 94, 12, 244, 22, IDC_SAVE_WINDOWS_NAME},
    {L"STATIC", kOffered, SS_LEFT, 12, 42, 326, 30, IDC_SAVE_WINDOWS_NOTE},
    {L"BUTTON", L"Save", BS_DEFPUSHBUTTON | WS_TABSTOP, 182, 80, 75, 23, IDOK},
    {L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 263, 80, 75, 23, IDCANCEL},
};

// Never destroyed: the dialog's detached thread may still run while the process exits.
GuardedValue<std::wstring>& SavedClusterName = *new GuardedValue<std::wstring>;
std::atomic<bool> DialogThreadRunning{false};

HWND Control(HWND window, int id) {
    return GetDlgItem(window, id);
}

std::wstring TypedName(HWND window) {
    wchar_t buffer[kTextChars] = {};
    GetWindowTextW(Control(window, IDC_SAVE_WINDOWS_NAME), buffer, kTextChars);
    return buffer;
}

std::vector<std::wstring> ClusterNames() {
    return ListClusterNames(AppDataPath, L"\\Pinora\\Clusters\\*.ini");
}

LocalTime Now() {
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

void ShowNote(HWND window, const wchar_t* text) {
    SetWindowTextW(Control(window, IDC_SAVE_WINDOWS_NOTE), text);
}

// The name rules of New: "Save" is offered only for a name New would take.
void OnNameChanged(HWND window) {
    const std::wstring name = TypedName(window);
    const bool free = CanCreateCluster(name, ClusterNames());
    EnableWindow(Control(window, IDOK), free);
    if (free) return ShowNote(window, kOffered);
    ShowNote(window, CanCreateCluster(name, {}) ? kNameTaken : kNameRefused);
}

void TellClusterManagement(const std::wstring& name) {
    SavedClusterName.Replace(name);
    if (const HWND clusterWindow = FindOwnWindow(L"PinoraClusterConfigWindow")) {
        PostMessageW(clusterWindow, WM_PNR_CLUSTER_SAVED, 0, 0);
    }
}

void OnSave(HWND window) {
    if (!IsWindowEnabled(Control(window, IDOK))) return;
    switch (SaveOpenWindowsAs(TypedName(window))) {
        case SaveOutcome::Saved:
            DestroyWindow(window);
            return;
        case SaveOutcome::NothingOpen:
            return ShowNote(window, kNothingOpen);
        case SaveOutcome::NotWritten:
            MessageBoxW(window, kNotWritten, L"Pinora", MB_OK | MB_ICONWARNING);
            return;
        case SaveOutcome::NameRefused:
            return ShowNote(window, kNameRefused);
        default:
            return ShowNote(window, kNameTaken);
    }
}

LRESULT OnCreate(HWND window) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControls) {
        const HWND control = CreateWindowExW(
            0, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, spec.x, spec.y, spec.width, spec.height,
            window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), AppInstance, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
    }
    const HWND name = Control(window, IDC_SAVE_WINDOWS_NAME);
    SetWindowTextW(name, ProposedClusterName(Now(), ClusterNames()).c_str());
    SendMessageW(name, EM_SETSEL, 0, -1);
    SetFocus(name);
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDC_SAVE_WINDOWS_NAME:
            if (HIWORD(wParam) == EN_CHANGE) OnNameChanged(window);
            break;
        case IDOK:
            OnSave(window);
            break;
        case IDCANCEL:
            DestroyWindow(window);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CALLBACK SaveWindowsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsFrequentMessage(message, lParam)) Diag(L"Save windows callback triggered.\n");
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_COMMAND:
            return OnCommand(window, wParam);
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = SaveWindowsWindowProc;
        wc.hInstance = AppInstance;
        wc.hIcon = LoadIconW(AppInstance, MAKEINTRESOURCEW(IDI_PINORA_LIGHT));
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    return registered;
}

void RunDialog() {
    if (!RegisterWindowClass()) return;
    const POINT origin = ScreenCenteredOrigin(kWidth, kHeight);
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, kClassName, L"Save Open Windows", WS_CAPTION | WS_SYSMENU,
                                        origin.x, origin.y, kWidth, kHeight, nullptr, nullptr, AppInstance, nullptr);
    if (!window) return;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG msg;
    // The dialog keys: Tab between the controls, Enter saves, Escape cancels.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void DialogThreadBody() {
    NameCurrentThread(L"Save Windows Thread");
    RunDialog();
    DialogThreadRunning = false;
}

}  // namespace

void OpenSaveWindowsDialog() {
    // One dialog at a time; a second request raises it.
    if (DialogThreadRunning.exchange(true)) {
        if (const HWND open = FindOwnWindow(kClassName)) SetForegroundWindow(open);
        return;
    }
    try {
        std::thread(DialogThreadBody).detach();
    } catch (const std::system_error&) {
        DialogThreadRunning = false;  // no thread, no dialog: the request is dropped quietly
    }
}

// One write: the file is created whole or not at all, never over an existing one.
SaveOutcome SaveOpenWindowsAs(const std::wstring& name) {
    if (!CanCreateCluster(name, ClusterNames())) {
        return CanCreateCluster(name, {}) ? SaveOutcome::NameTaken : SaveOutcome::NameRefused;
    }
    const std::vector<CapturedWindow> windows = CaptureOpenWindows();
    if (windows.empty()) return SaveOutcome::NothingOpen;
    if (!CreateClusterFile(name, CapturedClusterDocument(windows))) {
        return ClusterFileExists(name) ? SaveOutcome::NameTaken : SaveOutcome::NotWritten;
    }
    Diag(L"Saved the open windows as a cluster.\n");
    UpdateClusterMap(L"", L"");
    TellClusterManagement(name);
    return SaveOutcome::Saved;
}

std::wstring LastSavedCluster() {
    return SavedClusterName.Snapshot();
}
