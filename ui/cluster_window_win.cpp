// The Cluster Management window. Placeholder until the window is built.
#include "ui/placeholder_window.h"
#include "ui/windows.h"

LRESULT CALLBACK ClusterConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PlaceholderWindowProc(window, message, wParam, lParam, kClusterWindowWidth, kClusterWindowHeight);
}
