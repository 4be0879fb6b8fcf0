#include "engine/glide.h"

#include <limits>

namespace {

int32_t TruncateToInt32(float value) {
    if (!(value == value)) return 0;  // NaN
    constexpr float kLowest = static_cast<float>(std::numeric_limits<int32_t>::min());
    constexpr float kHighest = 2147483520.0f;  // the largest float below 2^31
    if (value <= kLowest) return std::numeric_limits<int32_t>::min();
    if (value >= kHighest) return static_cast<int32_t>(kHighest);
    return static_cast<int32_t>(value);
}

int32_t Between(int32_t from, int32_t to, float eased) {
    const float distance = static_cast<float>(static_cast<int64_t>(to) - static_cast<int64_t>(from));
    return TruncateToInt32(static_cast<float>(from) + distance * eased);
}

}  // namespace

int64_t WholeMilliseconds(std::chrono::nanoseconds elapsed) {
    return elapsed.count() / 1000000;
}

float GlideProgress(int64_t elapsedMs, int32_t durationMs) {
    const int32_t length = GlideLengthMs(durationMs);
    if (length <= 0 || elapsedMs >= length) return 1.0f;
    if (elapsedMs <= 0) return 0.0f;
    return static_cast<float>(elapsedMs) / static_cast<float>(length);
}

float EaseOut(float progress) {
    if (progress >= 1.0f) return 1.0f;
    const float remaining = 1.0f - progress;
    return 1.0f - remaining * remaining;
}

FrameBounds FrameBetween(const FrameBounds& start, const FrameBounds& target, float eased) {
    return FrameBounds{Between(start.x, target.x, eased), Between(start.y, target.y, eased),
                       Between(start.width, target.width, eased), Between(start.height, target.height, eased)};
}
