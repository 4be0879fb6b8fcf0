// The notification-area icon: its theme icon, its tooltip, and adding it again after the
// shell restarts.
#include <vector>

#include "app/shell.h"
#include "app/tray_tooltip.h"
#include "engine/engine.h"

bool TaskbarUsesLightTheme() {
    DWORD value = 1;  // a missing or unreadable value means a light taskbar
    DWORD size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                 L"SystemUsesLightTheme", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value != 0;
}

HICON ThemeTrayIcon() {
    int id = TaskbarUsesLightTheme() ? IDI_PINORA_LIGHT : IDI_PINORA_DARK;
    return LoadIconW(AppInstance, MAKEINTRESOURCEW(id));
}

// The tray-icon record belongs to the main thread, which also re-adds the icon and changes its
// theme art: a configuration window's thread asks the notification window instead.
void UpdateTrayTooltip() {
    if (GetWindowThreadProcessId(NotifyWindow, nullptr) != GetCurrentThreadId()) {
        if (NotifyWindow) PostMessageW(NotifyWindow, WM_PNR_UPDATE_TOOLTIP, 0, 0);
        return;
    }
    Diag(L"Updating tray tooltip.\n");
    const std::vector<std::wstring> activeNames = ActiveClusterMap.Read([](const ClusterMapValue& map) {
        std::vector<std::wstring> names;
        for (const auto& entry : map) names.push_back(entry.first);
        return names;
    });
    wcsncpy_s(TrayIconData.szTip, TrayTooltipText(activeNames).c_str(), _TRUNCATE);
    Shell_NotifyIconW(NIM_MODIFY, &TrayIconData);
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// A restarted shell has forgotten every icon; the record still holds the current tooltip.
void AddTrayIconAgain() {
    TrayIconData.hIcon = ThemeTrayIcon();
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}
