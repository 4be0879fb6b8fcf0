#pragma once
// Whether a saved frame can be seen on the monitors there are now. A frame saved under another
// monitor layout (a monitor unplugged, a laptop undocked) would take its window out of the
// user's reach. Plain geometry: the monitors come in as rectangles.
#include <cstdint>
#include <vector>

#include "engine/glide.h"

// A monitor's rectangle in screen pixels; right and bottom lie just outside it.
struct MonitorArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The part of a saved frame that must lie on one monitor for the user to reach the window.
constexpr int32_t kReachablePartPixels = 40;

// True when a part of the frame of at least kReachablePartPixels in each direction (the whole
// frame where it is smaller) lies on one of the monitors. With no monitor known there is
// nothing to judge by, and every frame of a positive size counts as reachable; a frame without
// a positive width and height never does.
bool IsFrameWithinReach(const FrameBounds& frame, const std::vector<MonitorArea>& monitors);
