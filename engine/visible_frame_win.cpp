// Placing a window by its visible frame.
#include "engine/engine.h"
#include "engine/window_positioning.h"

namespace {

// The invisible resize borders around the visible frame differ per window and per state, so
// they are measured anew on every call. Our own posted moves may be carried out between the
// two reads; a measurement taken while the outer rectangle held still is preferred, and the
// last one is used when the window never held still.
bool MeasureFrames(HWND window, RECT* outer, RECT* visible) {
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        RECT outerAfter = {};
        if (!GetWindowRect(window, outer) || FAILED(GetVisibleFrame(window, visible)) ||
            !GetWindowRect(window, &outerAfter)) {
            return false;
        }
        if (EqualRect(outer, &outerAfter)) return true;
    }
    return true;
}

}  // namespace

bool SetVisibleFrame(HWND window, int x, int y, int width, int height) {
    RECT outer = {};
    RECT visible = {};
    if (!MeasureFrames(window, &outer, &visible)) return false;
    const int left = x + (outer.left - visible.left);
    const int top = y + (outer.top - visible.top);
    const int outerWidth = width + ((outer.right - outer.left) - (visible.right - visible.left));
    const int outerHeight = height + ((outer.bottom - outer.top) - (visible.bottom - visible.top));
    SetWindowPosWithoutWaiting(window, nullptr, left, top, outerWidth, outerHeight,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    return true;
}
