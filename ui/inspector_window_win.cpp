// The Inspector window. Placeholder until the window is built.
#include "ui/placeholder_window.h"
#include "ui/windows.h"

std::atomic<bool> InspectorOpen{false};

void ShowInInspectorWindow(const WindowProfile&, int) {}

LRESULT CALLBACK InspectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) InspectorOpen = true;
    if (message == WM_DESTROY) InspectorOpen = false;
    return PlaceholderWindowProc(window, message, wParam, lParam, kInspectorWindowWidth, kInspectorWindowHeight);
}
