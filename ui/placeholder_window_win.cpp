#include "ui/placeholder_window.h"

#include "engine/engine.h"

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
