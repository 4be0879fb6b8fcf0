// Which top-level windows the engine may manage.
#include "engine/engine.h"
#include "engine/window_exclusions.h"
#include "engine/window_identity.h"

bool ReadEligibleWindow(HWND window, EligibleWindow* out) {
    if (!window || !IsWindow(window) || !IsWindowVisible(window)) return false;
    if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) return false;
    out->title = GetWindowTitleText(window);
    out->className = GetWindowClassName(window);
    if (IsExcludedWindowIdentity(out->title, out->className)) return false;
    // A window without a readable rectangle cannot be placed.
    return SUCCEEDED(GetVisibleFrame(window, &out->frame));
}

bool IsManageableWindow(HWND window) {
    EligibleWindow eligible;
    return ReadEligibleWindow(window, &eligible);
}
