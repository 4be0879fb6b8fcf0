#pragma once
// One pending or running animated move, and the table of them the animator works through.
#include <chrono>
#include <cstdint>
#include <map>

#include "engine/glide.h"
#include "storage/profile.h"

struct MoveJob {
    WindowProfile record;    // the live window after matching, with its profile's settings
    FrameBounds startFrame;  // read when the job starts
    FrameBounds targetFrame;
    std::chrono::steady_clock::time_point startTime{};
    bool started = false;
    bool done = false;  // finished; waits only to be removed
    int32_t duration = 0;
    int32_t frameInterval = 0;
};

using MoveJobMap = std::map<WindowHandle, MoveJob>;
using MovingFlagMap = std::map<WindowHandle, bool>;

// How long the animator sleeps before its next pass: the shortest frame interval of any job,
// at most the longest sleep, and at least 1 ms so that a bad interval cannot make it spin.
int32_t AnimatorSleepMs(const MoveJobMap& jobs);

// Where a running job's window belongs at a moment, and whether its glide is over.
struct GlideFrame {
    FrameBounds frame;
    bool arrived = false;
};
GlideFrame GlideFrameAt(const MoveJob& job, std::chrono::steady_clock::time_point now);
