// Which top-level windows the engine may manage.
#include "engine/engine.h"
#include "engine/known_windows.h"
#include "engine/window_exclusions.h"
#include "engine/window_identity.h"

namespace {

// Title and class have been read into out.
bool HasApplicationIdentityAndFrame(HWND window, EligibleWindow* out) {
    if (IsExcludedWindowIdentity(out->title, out->className)) return false;
    // A window without a readable rectangle cannot be placed.
    return SUCCEEDED(GetVisibleFrame(window, &out->frame));
}

}  // namespace

bool ReadEligibleWindow(HWND window, EligibleWindow* out) {
    if (!window || !IsWindow(window) || !IsWindowVisible(window)) return false;
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) return false;
    out->title = GetWindowTitleText(window);
    out->className = GetWindowClassName(window);
    return HasApplicationIdentityAndFrame(window, out);
}

bool ReadEligibleTopLevelWindow(HWND window, KnownWindowCache& known, EligibleWindow* out) {
    // The parent of a top-level window is the desktop, which is always visible, so the window's
    // own style answers both tests in one read.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & WS_CHILD)) return false;
    out->title = GetWindowTitleText(window);
    out->className = known.ClassNameOf(window);
    return HasApplicationIdentityAndFrame(window, out);
}

bool IsManageableWindow(HWND window) {
    EligibleWindow eligible;
    return ReadEligibleWindow(window, &eligible);
}
