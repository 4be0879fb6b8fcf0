// The Settings window. Placeholder until the window is built.
#include "ui/placeholder_window.h"
#include "ui/windows.h"

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PlaceholderWindowProc(window, message, wParam, lParam, kSettingsWindowWidth, kSettingsWindowHeight);
}
