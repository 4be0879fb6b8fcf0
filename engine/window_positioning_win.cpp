#include "engine/window_positioning.h"

BOOL SetWindowPosWithoutWaiting(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    // Moving or re-stacking a window of another thread waits until that thread has handled
    // the change; an unresponsive program would hold us (and the engine lock we may hold)
    // until it recovers. Posted requests are carried out in order once it does.
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) flags |= SWP_ASYNCWINDOWPOS;
    return SetWindowPos(window, insertAfter, x, y, width, height, flags);
}

bool IsWindowHung(HWND window) {
    return IsHungAppWindow(window) != FALSE;
}
