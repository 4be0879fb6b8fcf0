#include "engine/monitor_reach.h"

#include <algorithm>

namespace {

// Wide enough that no sum of two 32-bit values overflows.
int64_t OverlapLength(int64_t start, int64_t length, int64_t areaStart, int64_t areaEnd) {
    return std::min(start + length, areaEnd) - std::max(start, areaStart);
}

int64_t NeededLength(int32_t length) {
    return std::min<int64_t>(length, kReachablePartPixels);
}

}  // namespace

bool IsFrameWithinReach(const FrameBounds& frame, const std::vector<MonitorArea>& monitors) {
    // A frame of no width or height is no place: the window would shrink to its smallest size.
    if (frame.width <= 0 || frame.height <= 0) return false;
    if (monitors.empty()) return true;
    return std::any_of(monitors.begin(), monitors.end(), [&frame](const MonitorArea& monitor) {
        return OverlapLength(frame.x, frame.width, monitor.left, monitor.right) >= NeededLength(frame.width) &&
               OverlapLength(frame.y, frame.height, monitor.top, monitor.bottom) >= NeededLength(frame.height);
    });
}
