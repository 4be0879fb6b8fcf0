#pragma once
// The desktop window manager's corner preference (window attribute 33) for a profile's
// corner style.
#include <cstdint>

#include "storage/profile.h"

constexpr uint32_t kCornerPreferenceAttribute = 33;  // DWMWA_WINDOW_CORNER_PREFERENCE

// DWMWCP_ROUND (2) for Round and any unknown value, DWMWCP_ROUNDSMALL (3) for Dull,
// DWMWCP_DONOTROUND (1) for Sharp.
int32_t CornerPreferenceFor(CornerStyle style);
