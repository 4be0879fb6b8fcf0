// Placing a window by its visible frame.
#include "engine/engine.h"
#include "engine/window_positioning.h"

bool SetVisibleFrame(HWND window, int x, int y, int width, int height) {
    RECT outer = {};
    RECT visible = {};
    if (!GetWindowRect(window, &outer) || FAILED(GetVisibleFrame(window, &visible))) return false;
    // The invisible resize borders around the visible frame differ per window and per state,
    // so they are measured anew on every call.
    const int left = x + (outer.left - visible.left);
    const int top = y + (outer.top - visible.top);
    const int outerWidth = width + ((outer.right - outer.left) - (visible.right - visible.left));
    const int outerHeight = height + ((outer.bottom - outer.top) - (visible.bottom - visible.top));
    SetWindowPosWithoutWaiting(window, nullptr, left, top, outerWidth, outerHeight,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    return true;
}
