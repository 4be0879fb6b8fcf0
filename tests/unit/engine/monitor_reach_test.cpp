// Whether a saved frame is within the user's reach on the monitors there are now.
#include "engine/monitor_reach.h"

#include <gtest/gtest.h>

namespace {

const MonitorArea kScreen = {0, 0, 1920, 1080};
const MonitorArea kRightScreen = {1920, 0, 3840, 1080};

struct ReachCase {
    const char* what;
    FrameBounds frame;
    std::vector<MonitorArea> monitors;
    bool reachable;
};

const ReachCase kCases[] = {
    {"wholly on the screen", {300, 200, 500, 350}, {kScreen}, true},
    {"far left of the only screen", {-3000, 100, 400, 300}, {kScreen}, false},
    {"half on the screen", {-150, 100, 300, 200}, {kScreen}, true},
    {"exactly 40 x 40 on the screen", {-360, 1040, 400, 300}, {kScreen}, true},
    {"39 pixels wide on the screen", {-361, 100, 400, 300}, {kScreen}, false},
    {"on a monitor that is gone", {2200, 100, 400, 300}, {kScreen}, false},
    {"on the second monitor", {2200, 100, 400, 300}, {kScreen, kRightScreen}, true},
    {"30 pixels on each of two monitors", {1890, 100, 60, 300}, {kScreen, kRightScreen}, false},
    {"a small frame wholly on the screen", {10, 10, 30, 20}, {kScreen}, true},
    {"a small frame partly off the screen", {-5, 10, 30, 20}, {kScreen}, false},
    {"a frame of no size on the screen", {10, 10, 0, 0}, {kScreen}, false},
    {"no width on the screen", {10, 10, 0, 300}, {kScreen}, false},
    {"a negative height on the screen", {10, 10, 400, -1}, {kScreen}, false},
    {"one pixel square on the screen", {10, 10, 1, 1}, {kScreen}, true},
    {"no size with no monitor known", {10, 10, 0, 0}, {}, false},
    {"values at the ends of their range", {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, {kScreen}, false},
    {"no monitor known", {-3000, 100, 400, 300}, {}, true},
};

TEST(MonitorReach, AFrameIsReachableWithFortyByFortyPixelsOnOneMonitor) {
    for (const ReachCase& c : kCases) {
        EXPECT_EQ(IsFrameWithinReach(c.frame, c.monitors), c.reachable) << c.what;
    }
}

}  // namespace
