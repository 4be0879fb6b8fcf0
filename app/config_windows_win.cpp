// Opening and raising the configuration windows. Each window runs on a detached thread of
// its own; a new one opens only while none of the four is open, and a request for the open
// one raises it instead.
#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/shell.h"
#include "base/own_windows.h"
#include "engine/engine.h"
#include "ui/config_windows.h"

namespace {

// Handle slots, refreshed before every decision that depends on them. Only windows of this
// process count: another program's window may carry one of our class names.
std::atomic<HWND> SettingsWindowSlot{nullptr};
std::atomic<HWND> ClusterWindowSlot{nullptr};
std::atomic<HWND> InspectorWindowSlot{nullptr};
std::atomic<HWND> RulesWindowSlot{nullptr};

std::atomic<bool> ClusterWindowCreating{false};
std::atomic<bool> InspectorWindowCreating{false};

struct ConfigWindowSpec {
    const wchar_t* className;
    const wchar_t* title;
    const wchar_t* threadName;
    const wchar_t* openingLine;
    int width;
    int height;
};

const ConfigWindowSpec kSettings{L"PinoraConfigWindow",          L"Pinora Config",
                                 L"Configuration Window Thread", L"Opening configuration window.\n",
                                 kSettingsWindowWidth,           kSettingsWindowHeight};
const ConfigWindowSpec kCluster{
    L"PinoraClusterConfigWindow",        L"Pinora Cluster Management", L"Cluster Config Window Thread",
    L"Opening Cluster Config window.\n", kClusterWindowWidth,          kClusterWindowHeight};
const ConfigWindowSpec kInspector{L"PinoraWindow",         L"Pinora",
                                  L"Pinora Window Thread", L"Opening Pinora window.\n",
                                  kInspectorWindowWidth,   kInspectorWindowHeight};

void RefreshSlots() {
    SettingsWindowSlot = FindOwnWindow(L"PinoraConfigWindow");
    ClusterWindowSlot = FindOwnWindow(L"PinoraClusterConfigWindow");
    InspectorWindowSlot = FindOwnWindow(L"PinoraWindow");
    RulesWindowSlot = FindOwnWindow(L"PinoraRulesWindow");
}

bool AnyConfigWindowOpen() {
    return SettingsWindowSlot.load() || ClusterWindowSlot.load() || InspectorWindowSlot.load() ||
           RulesWindowSlot.load();
}

HWND CreateConfigWindow(const ConfigWindowSpec& spec) {
    return CreateWindowExW(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE, spec.className, spec.title,
                           WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                           spec.width, spec.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void RunThreadMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SettingsThreadBody() {
    NameCurrentThread(kSettings.threadName);
    Diag(kSettings.openingLine);
    if (FindOwnWindow(kSettings.className)) return;
    // The local handle decides: the main thread may refresh the slot at any moment.
    const HWND window = CreateConfigWindow(kSettings);
    SettingsWindowSlot = window;
    if (window) RunThreadMessageLoop();
    SettingsWindowSlot = nullptr;
}

void ClusterThreadBody() {
    NameCurrentThread(kCluster.threadName);
    Diag(kCluster.openingLine);
    if (ClusterWindowCreating.exchange(true)) return;
    // The Cluster Management window serves its own message loop from inside its creation;
    // creation returns once the window has closed. A window that returns early is served here.
    HWND window = CreateConfigWindow(kCluster);
    if (window && IsWindow(window)) RunThreadMessageLoop();
    ClusterWindowSlot = nullptr;
    ClusterWindowCreating = false;
}

void InspectorThreadBody() {
    NameCurrentThread(kInspector.threadName);
    Diag(kInspector.openingLine);
    if (InspectorWindowCreating.exchange(true)) return;
    const HWND window = CreateConfigWindow(kInspector);
    InspectorWindowSlot = window;
    InspectorWindowCreating = false;
    if (window) RunThreadMessageLoop();
    InspectorWindowSlot = nullptr;
}

// Topmost, centred (the centre is worked out once per opener) and back at the default size.
// The window's own thread carries the request out: a window that does not answer must not
// stall the main thread, which serves the tray, the hot key and every window event.
void RaiseConfigWindow(HWND window, const ConfigWindowSpec& spec, std::once_flag& once, POINT& centre) {
    if (!window) return;
    std::call_once(once, [&] { centre = ScreenCenteredOrigin(spec.width, spec.height); });
    SetWindowPos(window, HWND_TOPMOST, centre.x, centre.y, spec.width, spec.height, SWP_ASYNCWINDOWPOS);
}

// A thread that cannot be started means no window; the request is dropped quietly.
void StartDetached(void (*body)()) {
    try {
        std::thread(body).detach();
    } catch (const std::system_error&) {
    }
}

}  // namespace

void OpenOrRaiseSettingsWindow() {
    static std::once_flag once;
    static POINT centre;
    RefreshSlots();
    if (!AnyConfigWindowOpen()) {
        StartDetached(SettingsThreadBody);
    } else if (SettingsWindowSlot.load()) {
        RaiseConfigWindow(SettingsWindowSlot, kSettings, once, centre);
    }
}

void OpenOrRaiseClusterWindow() {
    static std::once_flag once;
    static POINT centre;
    RefreshSlots();
    if (!AnyConfigWindowOpen()) {
        StartDetached(ClusterThreadBody);
    } else {
        RaiseConfigWindow(ClusterWindowSlot, kCluster, once, centre);
    }
}

void OpenOrRaiseInspectorWindow() {
    static std::once_flag once;
    static POINT centre;
    RefreshSlots();
    if (AnyConfigWindowOpen()) {
        RaiseConfigWindow(InspectorWindowSlot, kInspector, once, centre);
        Diag(L"Rules window already open.\n");
        return;
    }
    Diag(L"Window was not open yet...\n");
    if (ClusterMap.Read([](const ClusterMapValue& map) { return map.empty(); })) return;
    Diag(L"Clusters populated...\n");
    if (LiveWindowList.Read([](const LiveWindowSequence& list) { return list.empty(); })) RefreshLiveWindowList();
    if (LiveWindowList.Read([](const LiveWindowSequence& list) { return list.empty(); })) {
        Diag(L"Windows do not exist.\n");
        return;
    }
    Diag(L"Windows exist.\n");
    StartDetached(InspectorThreadBody);
}
