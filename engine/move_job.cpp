#include "engine/move_job.h"

#include <algorithm>

int32_t AnimatorSleepMs(const MoveJobMap& jobs) {
    int32_t sleepMs = kLongestAnimatorSleepMs;
    for (const auto& [window, job] : jobs) sleepMs = std::min(sleepMs, job.frameInterval);
    return std::max<int32_t>(sleepMs, 1);
}

GlideFrame GlideFrameAt(const MoveJob& job, std::chrono::steady_clock::time_point now) {
    const float progress = GlideProgress(WholeMilliseconds(now - job.startTime), job.duration);
    return GlideFrame{FrameBetween(job.startFrame, job.targetFrame, EaseOut(progress)), progress >= 1.0f};
}
