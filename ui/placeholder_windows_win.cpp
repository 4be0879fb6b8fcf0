// Placeholder procedures for the configuration windows until each window is built: a real,
// empty window of the right class, title and size, centred, topmost and shown, that ends its
// thread's message loop when it is destroyed.
#include "ui/shell_link.h"
#include "engine/engine.h"
#include "ui/windows.h"

std::atomic<bool> InspectorOpen{false};
std::atomic<HWND> RulesWindowHandle{nullptr};

void ShowInInspector(WindowProfile, int) {}

namespace {

LRESULT PlaceholderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int width, int height) {
    switch (message) {
        case WM_CREATE: {
            const POINT origin = ScreenCenteredOrigin(width, height);
            SetWindowPos(window, HWND_TOPMOST, origin.x, origin.y, width, height, 0);
            ShowWindow(window, SW_SHOW);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PlaceholderWindowProc(window, message, wParam, lParam, kSettingsWindowWidth, kSettingsWindowHeight);
}

LRESULT CALLBACK ClusterConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PlaceholderWindowProc(window, message, wParam, lParam, kClusterWindowWidth, kClusterWindowHeight);
}

LRESULT CALLBACK InspectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) InspectorOpen = true;
    if (message == WM_DESTROY) InspectorOpen = false;
    return PlaceholderWindowProc(window, message, wParam, lParam, kInspectorWindowWidth, kInspectorWindowHeight);
}

LRESULT CALLBACK RulesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}
