#pragma once
// The shape of a smooth move: how far a glide has come after a given time, its ease-out
// curve and the frame shown at each point. Plain arithmetic, shared by the animator and its
// tests.
#include <chrono>
#include <cstdint>

// A visible frame in screen pixels: left, top, width and height.
struct FrameBounds {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const FrameBounds& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const FrameBounds& o) const { return !(*this == o); }
};

// What profile application gives every move.
constexpr int32_t kMoveDurationMs = 333;
constexpr int32_t kMoveFrameIntervalMs = 7;
// The animator never sleeps longer than this between passes.
constexpr int32_t kLongestAnimatorSleepMs = 33;
// A job whose frame counter passes this ends without its final snap.
constexpr int32_t kLastFrameNumber = 9999;

// The glide itself takes six sevenths of the job's duration; the last seventh is the pause
// before the window is re-stacked.
constexpr int32_t GlideLengthMs(int32_t durationMs) {
    return durationMs * 6 / 7;
}
constexpr int32_t SettleDelayMs(int32_t durationMs) {
    return durationMs / 7;
}

// Whole milliseconds of a steady-clock interval, truncated.
int64_t WholeMilliseconds(std::chrono::nanoseconds elapsed);

// Progress u of a glide in [0, 1] after elapsedMs; 1 once the glide length has passed (and at
// once for a glide of no length).
float GlideProgress(int64_t elapsedMs, int32_t durationMs);

// Quadratic ease-out: fast start, soft landing; exactly 1 at the end.
float EaseOut(float progress);

// The frame at eased progress e between start and target, each value truncated toward zero.
FrameBounds FrameBetween(const FrameBounds& start, const FrameBounds& target, float eased);
