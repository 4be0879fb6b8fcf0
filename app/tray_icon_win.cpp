// The notification-area icon: its theme icon and its add, modify and delete calls.
#include "app/shell.h"

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
