#pragma once
// Moving and re-stacking other programs' windows without ever waiting for them.
#include <windows.h>

// SetWindowPos that never blocks on the window's thread: a window of another thread gets the
// request posted (SWP_ASYNCWINDOWPOS), so a hung program cannot stall the caller.
BOOL SetWindowPosWithoutWaiting(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);

// True when the system reports that the window's thread has stopped answering.
bool IsWindowHung(HWND window);
