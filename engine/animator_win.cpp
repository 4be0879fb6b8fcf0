// The smooth move animator: one thread, alive only while moves are scheduled, that glides
// each window's visible frame to its target and re-stacks the window shortly after it lands.
#include <chrono>
#include <map>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/animator.h"
#include "engine/engine.h"
#include "engine/window_positioning.h"
#include "engine/inspector_link.h"

namespace {

using Clock = std::chrono::steady_clock;
using EngineLock = std::lock_guard<std::recursive_mutex>;

// What one animator thread keeps between passes.
struct AnimatorState {
    uint64_t run = 0;
    std::map<HWND, int32_t> frameCounters;
    std::vector<HWND> finished;  // this pass
};

std::optional<MoveJob> CurrentJob(HWND window) {
    return MoveJobTable.Read([window](const MoveJobMap& jobs) -> std::optional<MoveJob> {
        const auto found = jobs.find(window);
        if (found == jobs.end()) return std::nullopt;
        return found->second;
    });
}

void StoreJob(HWND window, const MoveJob& job) {
    MoveJobTable.Update([window, &job](MoveJobMap& jobs) { jobs[window] = job; });
}

std::vector<HWND> WindowsWithJobs() {
    return MoveJobTable.Read([](const MoveJobMap& jobs) {
        std::vector<HWND> windows;
        windows.reserve(jobs.size());
        for (const auto& [window, job] : jobs) windows.push_back(window);
        return windows;
    });
}

// A hung window is skipped like a maximized one: touching it could only queue up more work
// for a program that is not doing any.
bool MustBeLeftAlone(HWND window) {
    return IsMaximizedOrMinimized(window) || IsIconic(window) || IsFullscreenWindow(window) || IsWindowHung(window);
}

bool ReadStartFrame(HWND window, MoveJob& job) {
    RECT frame = {};
    if (FAILED(GetVisibleFrame(window, &frame))) return false;
    job.startFrame = FrameBounds{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
    job.started = true;
    StoreJob(window, job);
    return true;
}

bool SetVisibleFrame(HWND window, const FrameBounds& frame) {
    return SetVisibleFrame(window, frame.x, frame.y, frame.width, frame.height);
}

void ShowInInspectorIfForeground(HWND window, const MoveJob& job) {
    if (InspectorOpen && LiveWindowAt(0).hwnd == window) ShowInInspector(job.record, 0);
}

// The exact target, then the re-stacking once the window has settled.
void Land(HWND window, MoveJob& job) {
    SetVisibleFrame(window, job.targetFrame);
    StartSettleThread(job.record, SettleDelayMs(job.duration));
    ShowInInspectorIfForeground(window, job);
    job.done = true;
    StoreJob(window, job);
}

// A window that belongs on another virtual desktop is sent there and placed without a glide:
// it has left the screen the user watches. When no desktop carries the saved name (or no
// desktop library is loaded) the window stays where it is and glides as usual.
bool SentToSavedDesktop(HWND window, MoveJob& job) {
    if (!job.record.moveToDesktop || DesktopNameOf(window) == job.record.desktop) return false;
    if (!MoveWindowToDesktopByName(job.record, job.record.desktop)) return false;
    SetVisibleFrame(window, job.targetFrame);
    StartSettleThread(job.record, SettleDelayMs(job.duration));
    job.done = true;
    StoreJob(window, job);
    return true;
}

int32_t NextFrameNumber(AnimatorState& state, HWND window) {
    const auto [counter, first] = state.frameCounters.try_emplace(window, 0);
    if (!first) ++counter->second;
    return counter->second;
}

// One step for one window. The job is read afresh under the lock, so a cancel or a new
// schedule made since the pass began is always seen.
void StepWindow(HWND window, AnimatorState& state) {
    EngineLock lock(EngineMutex);
    if (state.run != AnimatorRun) return;
    std::optional<MoveJob> current = CurrentJob(window);
    if (!current) return;
    MoveJob& job = *current;
    if (job.done) {
        state.finished.push_back(window);
        return;
    }
    if (Clock::now() < job.startTime) return;
    if (MustBeLeftAlone(window) || (!job.started && !ReadStartFrame(window, job))) {
        CancelMove(window);  // removed at the next pass
        return;
    }
    if (SentToSavedDesktop(window, job)) {
        state.finished.push_back(window);
        return;
    }
    const GlideFrame glide = GlideFrameAt(job, Clock::now());
    SetVisibleFrame(window, glide.frame);
    ShowInInspectorIfForeground(window, job);
    const int32_t frameNumber = NextFrameNumber(state, window);
    if (glide.arrived) {
        Land(window, job);
    } else if (frameNumber > kLastFrameNumber) {
        job.done = true;  // the frame cap: no final snap, no re-stacking
        StoreJob(window, job);
    }
    if (job.done) state.finished.push_back(window);
}

// Only jobs that are still done go: one scheduled again since its step is kept.
void RemoveFinished(AnimatorState& state) {
    EngineLock lock(EngineMutex);
    if (state.run != AnimatorRun) return;
    for (HWND window : state.finished) {
        const bool removed = MoveJobTable.Update([window](MoveJobMap& jobs) {
            const auto found = jobs.find(window);
            if (found == jobs.end() || !found->second.done) return false;
            jobs.erase(found);
            return true;
        });
        if (removed) state.frameCounters.erase(window);
    }
}

// The loop's test and the shut-down happen under one lock, so a move scheduled at the same
// moment either is seen here or finds the animator stopped and starts a new thread.
bool KeepRunning(const AnimatorState& state) {
    EngineLock lock(EngineMutex);
    if (state.run != AnimatorRun) return false;  // stopped from outside: the tables are not ours now
    if (MoveJobTable.Read([](const MoveJobMap& jobs) { return !jobs.empty(); })) return true;
    AnimatorRunning = false;
    MovingFlags.Replace({});
    MoveJobTable.Replace({});
    return false;
}

}  // namespace

void RunAnimator(uint64_t run) {
    NameCurrentThread(L"Smooth Move Window Animator Thread");
    AnimatorState state;
    state.run = run;
    while (KeepRunning(state)) {
        Sleep(static_cast<DWORD>(MoveJobTable.Read(AnimatorSleepMs)));
        state.finished.clear();
        for (HWND window : WindowsWithJobs()) StepWindow(window, state);
        RemoveFinished(state);
    }
}

void StartSettleThread(const WindowProfile& record, int32_t delayMs) {
    try {
        std::thread([record, delayMs] {
            Sleep(static_cast<DWORD>(delayMs > 0 ? delayMs : 0));
            // Under the engine lock from the start, claim test included, so that once the
            // process has begun to exit this thread stops here.
            EngineLock lock(EngineMutex);
            RestoreZOrder(record);
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the window simply keeps its place in the stacking order.
    }
}
