#pragma once
// A stand-in for a configuration window that is not built yet: a real, empty window of the
// right class, title and size, centred, topmost and shown, that ends its thread's message
// loop when it is destroyed.
#include <windows.h>

LRESULT PlaceholderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int width, int height);
