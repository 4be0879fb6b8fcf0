#include "engine/monitor_reach.h"

#include <algorithm>

namespace {

// Wide enough that no sum of two 32-bit values overflows.
int64_t OverlapLength(int64_t start, int64_t length, int64_t areaStart, int64_t areaEnd) {
    return std::min(start + length, areaEnd) - std::max(start, areaStart);
}

int64_t NeededLength(int32_t length) {
    return std::clamp<int64_t>(length, 0, kReachablePartPixels);
}

}  // namespace

bool IsFrameWithinReach(const FrameBounds& frame, const std::vector<MonitorArea>& monitors) {
    if (monitors.empty()) return true;
    return std::any_of(monitors.begin(), monitors.end(), [&frame](const MonitorArea& monitor) {
        return OverlapLength(frame.x, frame.width, monitor.left, monitor.right) >= NeededLength(frame.width) &&
               OverlapLength(frame.y, frame.height, monitor.top, monitor.bottom) >= NeededLength(frame.height);
    });
}
