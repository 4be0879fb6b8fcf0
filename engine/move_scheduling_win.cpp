// The move tables, the engine lock, and the operations that write the tables from outside the
// animator.
#include <atomic>
#include <cstdlib>
#include <system_error>
#include <thread>

#include "engine/animator.h"
#include "engine/engine.h"

// Lock order, everywhere in the engine: EngineMutex first, then at most one container mutex
// at a time (MoveJobTable, MovingFlags, LiveWindowList, ClusterMap, ActiveClusterMap), each
// held only inside its GuardedValue member and never around a window call. EngineMutex is
// recursive because the animator cancels moves while it already holds it.
// ClusterRebuildMutex (cluster_map_win.cpp) serialises the cluster-map rebuilds and
// activations: it is never taken with EngineMutex held, nor EngineMutex with it; while it is
// held, the container mutexes are taken one at a time as above.
//
// The engine lock and the move tables are never destroyed: detached animator and settle
// threads may still be waiting for them while the process runs its exit code.
std::recursive_mutex& EngineMutex = *new std::recursive_mutex;
GuardedValue<MoveJobMap>& MoveJobTable = *new GuardedValue<MoveJobMap>;
GuardedValue<MovingFlagMap>& MovingFlags = *new GuardedValue<MovingFlagMap>;
std::atomic<bool> AnimatorRunning{false};
uint64_t AnimatorRun = 0;

namespace {

void TakeEngineMutexForGood() {
    EngineMutex.lock();
}

// Under EngineMutex.
void StartAnimatorUnlessRunning() {
    if (AnimatorRunning) return;
    HoldEngineMutexFromExitOn();
    const uint64_t run = ++AnimatorRun;
    try {
        std::thread(RunAnimator, run).detach();
        AnimatorRunning = true;
    } catch (const std::system_error&) {
        // No thread, no moves: leave nothing behind that would block the next pass.
        MoveJobTable.Replace({});
        MovingFlags.Replace({});
    }
}

}  // namespace

void HoldEngineMutexFromExitOn() {
    // Registered after every process-wide container has been constructed, so it runs before
    // any of them is destroyed.
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(TakeEngineMutexForGood); });
}

void ScheduleMove(const WindowProfile& record, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t delaySeconds, int32_t durationMs, int32_t frameIntervalMs) {
    std::lock_guard<std::recursive_mutex> lock(EngineMutex);
    HWND window = record.hwnd;
    MovingFlags.Update([window](MovingFlagMap& flags) { flags[window] = true; });
    MoveJob job;
    job.record = record;
    job.targetFrame = FrameBounds{x, y, width, height};
    job.startTime = std::chrono::steady_clock::now() + std::chrono::seconds(delaySeconds);
    job.duration = durationMs;
    job.frameInterval = frameIntervalMs;
    MoveJobTable.Update([window, &job](MoveJobMap& jobs) { jobs[window] = std::move(job); });
    StartAnimatorUnlessRunning();
}

void CancelMove(HWND window) {
    std::lock_guard<std::recursive_mutex> lock(EngineMutex);
    MoveJobTable.Update([window](MoveJobMap& jobs) {
        const auto found = jobs.find(window);
        if (found == jobs.end()) return;
        found->second.started = true;
        found->second.done = true;
    });
    MovingFlags.Update([window](MovingFlagMap& flags) { flags.erase(window); });
}

void StopAnimator() {
    std::lock_guard<std::recursive_mutex> lock(EngineMutex);
    AnimatorRunning = false;
    ++AnimatorRun;
    MovingFlags.Replace({});
    MoveJobTable.Replace({});
}
