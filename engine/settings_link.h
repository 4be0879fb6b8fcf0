#pragma once
// What the engine reads of the program's settings; the application shell defines it.
#include <algorithm>
#include <cstdint>

// "Time Delay" of the settings file, in seconds (2 when the file or the key is missing), within
// the range below.
int ReadTimeDelay();

// An hour at most: a larger delay would stop every return and keep the animator waking for it.
constexpr int32_t kLongestTimeDelaySeconds = 3600;

constexpr int32_t ClampTimeDelay(int64_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(seconds, 0, kLongestTimeDelaySeconds));
}
