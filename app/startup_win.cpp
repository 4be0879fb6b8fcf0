// Process start-up, the main message loop and the shutdown after it.
#include "app/shell.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include <set>
#include <vector>

#include "app/cluster_hot_keys.h"
#include "app/command_receiver.h"
#include "engine/display_watch.h"
#include "engine/engine.h"
#include "storage/ini.h"
#include "ui/config_windows.h"

HWND NotifyWindow = nullptr;
NOTIFYICONDATAW TrayIconData = {};

namespace {

std::vector<HWINEVENTHOOK> WinEventHookList;

struct WindowClassSpec {
    const wchar_t* name;
    WNDPROC procedure;
    HICON icon;
    int brushColor;
    const wchar_t* failureMessage;
};

void ShowStartupError(const wchar_t* text, const wchar_t* caption, UINT icon) {
    MessageBoxW(nullptr, text, caption, icon);
}

// Icon 101 or 102, falling back to a shared default-size image and then to the system icon.
HICON LoadAppIcon(int id) {
    HICON icon = LoadIconW(AppInstance, MAKEINTRESOURCEW(id));
    if (!icon) {
        icon = static_cast<HICON>(
            LoadImageW(AppInstance, MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    }
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    return icon;
}

bool RegisterWindowClasses(HICON notifyIcon, HICON appIcon) {
    const WindowClassSpec classes[] = {
        {L"PinoraNotifyWindow", NotifyWindowProc, notifyIcon, COLOR_WINDOW, L"Main Window Registration Failed!"},
        {L"PinoraClusterConfigWindow", ClusterConfigWindowProc, appIcon, COLOR_BTNFACE,
         L"Cluster Config Window Registration Failed!"},
        {L"PinoraWindow", InspectorWindowProc, appIcon, COLOR_BTNFACE, L"Pinora Window Registration Failed!"},
        {L"PinoraRulesWindow", RulesWindowProc, appIcon, COLOR_BTNFACE, L"Pinora Rules Window Registration Failed!"},
        {L"PinoraConfigWindow", SettingsWindowProc, appIcon, COLOR_BTNFACE,
         L"Pinora Configuration Window Registration Failed!"},
    };
    for (const auto& spec : classes) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = spec.procedure;
        wc.hInstance = AppInstance;
        wc.hIcon = spec.icon;
        wc.hIconSm = spec.icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(spec.brushColor + 1));
        wc.lpszClassName = spec.name;
        if (!RegisterClassExW(&wc)) {
            ShowStartupError(spec.failureMessage, L"Error!", MB_ICONWARNING);
            return false;
        }
    }
    return true;
}

void CreateDataFolders() {
    const std::wstring folders[] = {AppDataRoot(), ClusterFolder()};
    for (const auto& folder : folders) {
        if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) CreateDirectoryW(folder.c_str(), nullptr);
    }
}

void PrepareSettingsFile() {
    DWORD attributes = GetFileAttributesW(SettingsFilePath().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) WriteDefaultSettings();
    ApplyAutostart(ReadStartWithWindows(32));
}

void AddTrayIcon() {
    TrayIconData = {};
    TrayIconData.cbSize = sizeof(NOTIFYICONDATAW);
    TrayIconData.hWnd = NotifyWindow;
    TrayIconData.uID = TRAY_ICON_ID;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    TrayIconData.hIcon = ThemeTrayIcon();
    wcsncpy_s(TrayIconData.szTip, L"Pinora", _TRUNCATE);
    TrayIconData.uVersion = NOTIFYICON_VERSION_4;  // never sent: the icon keeps the classic callback
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}

// The controls library is loaded by name, not linked, so that loading it (it registers every
// control class and sets up theming: about 10 ms under Wine) comes after the tray icon, which
// needs none of it. The program's manifest still selects version 6. The library stays loaded
// for the life of the process.
bool InitCommonControlsOnceTheIconShows() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const HMODULE library = LoadLibraryW(L"comctl32.dll");
    const auto init =
        library ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))
                : nullptr;
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return init && init(&controls);
}

// Activated together on the map just built: a rebuild per cluster would read every file once
// for each of them.
void ActivateStartupClusters() {
    std::set<std::wstring> names;
    for (const auto& [name, entry] : ClusterMap.Snapshot()) {
        if (ReadClusterValue(name, L"Configuration", L"Activate on Startup", L"No") == L"Yes") names.insert(name);
    }
    if (!names.empty()) ActivateClusters(names);
}

void InstallWinEventHooks() {
    const DWORD ranges[][2] = {
        {EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND},     {EVENT_SYSTEM_CAPTURESTART, EVENT_SYSTEM_MOVESIZEEND},
        {EVENT_SYSTEM_MINIMIZEEND, EVENT_SYSTEM_MINIMIZEEND},   {EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE},
        {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE}, {EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW},
    };
    for (const auto& range : ranges) {
        WinEventHookList.push_back(SetWinEventHook(range[0], range[1], nullptr, OnWinEvent, 0, 0,
                                                   WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    }
    // Events are queued for this thread only once it has looked at its queue after the hooks
    // exist; this look removes nothing.
    MSG ignored;
    PeekMessageW(&ignored, nullptr, 0, 0, PM_NOREMOVE);
}

int RunMessageLoop() {
    MSG msg = {};
    BOOL result;
    while ((result = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return result == 0 ? static_cast<int>(msg.wParam) : 0;
}

void ShutDown(HRESULT comResult) {
    FreeDesktopLibrary();
    if (SUCCEEDED(comResult)) CoUninitialize();
    RemoveWinEventHooks();
    UnregisterDisplayNotices();
    for (const wchar_t* name : {L"PinoraClusterConfigWindow", L"PinoraNotifyWindow", L"PinoraConfigWindow",
                                L"PinoraRulesWindow", L"PinoraWindow"}) {
        UnregisterClassW(name, AppInstance);
    }
    CleanUpUpdates();
}

}  // namespace

void RemoveWinEventHooks() {
    for (HWINEVENTHOOK hook : WinEventHookList) {
        if (hook) UnhookWinEvent(hook);
    }
    WinEventHookList.clear();
}

int RunPinora(HINSTANCE instance) {
    AppInstance = instance;
    const HRESULT comResult = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Diag(L"Starting main process\n");

    // The mutex handle is kept, never closed, until the process ends. A copy running elevated
    // owns a mutex that a normal copy may not open: refused counts as running too.
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, L"PNRRunningMutex");
    const DWORD mutexError = GetLastError();
    if (mutexError == ERROR_ALREADY_EXISTS || (!mutex && mutexError == ERROR_ACCESS_DENIED)) {
        ShowStartupError(L"Application is already running.\nOpen the tray to find the Pinora icon.", L"Error",
                         MB_ICONERROR);
        return 0;
    }

    SetUpUpdates();

    OsVersion = ReadOsVersion();
    IsWindows11 = OsVersion.build >= 22000;
    LoadDesktopLibrary();

    SHGetSpecialFolderPathW(nullptr, AppDataPath, CSIDL_APPDATA, FALSE);

    const HICON iconLight = LoadAppIcon(IDI_PINORA_LIGHT);
    const HICON iconDark = LoadAppIcon(IDI_PINORA_DARK);
    const HICON notifyIcon = TaskbarUsesLightTheme() ? iconLight : iconDark;

    if (!RegisterWindowClasses(notifyIcon, iconLight)) return 0;

    NotifyWindow = CreateWindowExW(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, L"PinoraNotifyWindow",
                                   L"Pinora Notification Handler", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                   600, 400, nullptr, nullptr, AppInstance, nullptr);
    if (!NotifyWindow) {
        ShowStartupError(L"Notify Window Creation Failed!", L"Error!", MB_ICONWARNING);
        return 0;
    }

    CreateDataFolders();
    PrepareSettingsFile();
    // The hooks come before the first look at the desktop, so that every window created after
    // it arrives as an event once the message loop runs; and before the tray icon, whose
    // addition is the first time start-up answers other programs' messages, so that a program
    // waiting for that answer never opens a window in between. Events for windows this
    // start-up places anyway find them at their frame, or already moving, and do nothing.
    InstallWinEventHooks();
    AddTrayIcon();
    if (!InitCommonControlsOnceTheIconShows()) {
        ShowStartupError(L"Failed to initialize common controls.", L"Error", MB_ICONERROR);
        Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
        return 0;
    }
    RegisterDisplayNotices(NotifyWindow);

    UpdateClusterMap(L"", L"");
    RefreshLiveWindowList();
    Diag(L"Initial Window State Check\n");
    ActivateStartupClusters();
    FollowConnectedSetup();
    ApplyProfiles(0);
    for (const WindowProfile& record : LiveWindowList.Snapshot()) RestoreZOrder(record);
    UpdateTrayTooltip();

    RegisterHotKey(NotifyWindow, HOTKEY_ID_OPEN, MOD_ALT, VK_OEM_3);
    RegisterClusterHotKeys(HotKeyReport::TakenAtStartUp);
    StartTakingCommands(NotifyWindow);
    NameCurrentThread(L"Main Pinora Thread");

    const int exitCode = RunMessageLoop();
    ShutDown(comResult);
    return exitCode;
}
