// The hidden notification window: the program's central dispatcher for tray clicks, the hot
// key, menu commands, the theme broadcast and reload requests.
#include <algorithm>
#include <string>

#include "app/shell.h"
#include "build_config.h"
#include "engine/engine.h"
#include "app/quick_menu.h"
#include "app/layout_commands.h"
#include "app/cluster_hot_keys.h"
#include "app/command_receiver.h"

namespace {

bool HelpBoxOpen = false;   // main thread only
bool AboutBoxOpen = false;  // main thread only

bool IsQuietMessage(UINT message, LPARAM lParam) {
    return IsFrequentMessage(message, lParam) || message == WM_MENUSELECT || message == WM_ENTERIDLE;
}

// The hooks go first: an event handled after the animator has stopped (they queue up during
// the pause below) would start a glide that the exit then freezes half way.
void RunQuitSequence() {
    Diag(L"Quitting Pinora.\n");
    RemoveWinEventHooks();
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
    UnregisterHotKey(NotifyWindow, HOTKEY_ID_OPEN);
    UnregisterClusterHotKeys();
    StopAnimator();
    UnregisterDesktopHook(NotifyWindow);
    Sleep(1000);
    PostQuitMessage(0);
}

void ShowHelpBox() {
    if (HelpBoxOpen) return;
    HelpBoxOpen = true;
    const int answer = MessageBoxW(NotifyWindow,
                                   L"How to use Pinora (subject to change):\n\r"
                                   L"Create a context group (aka a cluster)\n\r"
                                   L"Activate the cluster (Click your new cluster in \"Clusters\" submenu)\n\r"
                                   L"Click the tray icon to enable the inspector window\n\r"
                                   L"Save a window profile to a cluster with the preferred settings\n\r"
                                   L"\n\rNeed more help?",
                                   L"Pinora Help", MB_YESNO | MB_TOPMOST);
    if (answer == IDYES) ShellExecuteW(nullptr, L"open", PINORA_HELP_URL, nullptr, nullptr, SW_SHOWNORMAL);
    HelpBoxOpen = false;
}

void ShowAboutBox() {
    if (AboutBoxOpen) return;
    AboutBoxOpen = true;
    const std::wstring text = std::wstring(L"Pinora - Window Management Utility\nVersion ") + PINORA_VERSION_TEXT;
    MessageBoxW(NotifyWindow, text.c_str(), L"About Pinora", MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
    AboutBoxOpen = false;
}

void ToggleClusterByCommand(WPARAM commandId) {
    for (const auto& [name, entry] : ClusterMap.Snapshot()) {
        if (static_cast<WPARAM>(entry.commandId) == commandId) {
            UpdateClusterMap(name, L"toggle");
            UpdateTrayTooltip();
            ApplyProfiles(0);
            return;
        }
    }
}

// The name is copied out first: a launch may pump messages (a shell prompt), and a tray
// right-click meanwhile rebuilds QuickMenuIdMap.
void LaunchQuickMenuCluster(WPARAM commandId) {
    const auto found = std::find_if(QuickMenuIdMap.begin(), QuickMenuIdMap.end(),
                                    [commandId](const auto& item) { return item.second == commandId; });
    if (found == QuickMenuIdMap.end()) return;
    const std::wstring name = found->first;
    for (const auto& [title, profile] : CopyClusterEntry(ClusterMap, name).profiles) {
        if (profile.launchWithQuickMenu) LaunchWindowProfile(profile);
    }
    UpdateClusterMap(name, L"activate");
    UpdateTrayTooltip();
    ApplyProfiles(0);
}

void OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDM_QUIT:
            RunQuitSequence();
            return;
        case IDM_CONFIGURE:
            OpenOrRaiseSettingsWindow();
            return;
        case IDM_HELP:
            ShowHelpBox();
            return;
        case IDM_ABOUT:
            ShowAboutBox();
            return;
        case IDM_CHECK_UPDATES:
            CheckForUpdatesInteractively();
            return;
        case IDM_MANAGE:
            OpenOrRaiseClusterWindow();
            return;
        default:
            break;
    }
    if (RunLayoutCommand(wParam)) return;
    // Cluster and Quick Menu ids are tested on the whole wParam, and only while clusters exist.
    if (ClusterMap.Read([](const ClusterMapValue& map) { return map.empty(); })) return;
    if (wParam > IDM_CLUSTER_BASE && wParam < IDM_QUICKMENU_BASE) {
        ToggleClusterByCommand(wParam);
    } else if (wParam > IDM_QUICKMENU_BASE && wParam < 2000) {
        LaunchQuickMenuCluster(wParam);
    }
}

void OnSettingChange(LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    if (!area || lstrcmpW(area, L"ImmersiveColorSet") != 0) return;
    TrayIconData.hIcon = ThemeTrayIcon();
    Shell_NotifyIconW(NIM_MODIFY, &TrayIconData);
}

void OnTrayCallback(LPARAM lParam) {
    switch (lParam) {
        case WM_LBUTTONUP:
            OpenOrRaiseInspectorWindow();
            break;
        case WM_RBUTTONUP:
            ShowTrayMenu();
            break;
        default:
            break;
    }
}

}  // namespace

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsQuietMessage(message, lParam)) Diag(L"General window hook triggered.\n");
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SETTINGCHANGE:
            OnSettingChange(lParam);
            return 0;
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_HOTKEY:
            if (wParam == HOTKEY_ID_OPEN) OpenOrRaiseInspectorWindow();
            OnClusterHotKey(wParam);
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_DEVICECHANGE:
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
            return OnDisplayNoticeMessage(message, wParam, lParam);
        case WM_PNR_RELOAD:
            UpdateClusterMap(L"", L"reload");
            RegisterClusterHotKeys(HotKeyReport::Quiet);
            return 0;
        case WM_PNR_HOT_KEYS_CHANGED:
            RegisterClusterHotKeys(HotKeyReport::Quiet);
            return 0;
        case WM_COPYDATA:
            return OnCommandData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_PNR_UPDATE_TOOLTIP:
            UpdateTrayTooltip();
            return 0;
        case TRAY_CALLBACK_MESSAGE:
            OnTrayCallback(lParam);
            return 0;
        default:
            if (message != WM_NULL && message == TaskbarCreatedMessage()) {
                AddTrayIconAgain();
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
