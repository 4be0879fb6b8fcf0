// The move tables as ScheduleMove, CancelMove, the animator and StopAnimator leave them. The
// handles are not windows: the jobs wait far in the future, so no window is ever touched.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "engine/engine.h"

namespace {

using namespace std::chrono_literals;

const HWND kFirst = reinterpret_cast<HWND>(0x1230);
const HWND kSecond = reinterpret_cast<HWND>(0x4560);

WindowProfile RecordOf(HWND window) {
    WindowProfile record;
    record.hwnd = window;
    record.title = L"Scheduled";
    return record;
}

MoveJob JobOf(HWND window) {
    return MoveJobTable.Read([window](const MoveJobMap& jobs) {
        const auto found = jobs.find(window);
        return found == jobs.end() ? MoveJob{} : found->second;
    });
}

bool FlagOf(HWND window) {
    return MovingFlags.Read([window](const MovingFlagMap& flags) {
        const auto found = flags.find(window);
        return found != flags.end() && found->second;
    });
}

bool WaitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

class MoveScheduling : public testing::Test {
  protected:
    void TearDown() override { StopAnimator(); }
};

TEST_F(MoveScheduling, ASchedulePutsAWaitingJobAndAFlagInPlaceAndStartsTheAnimator) {
    const auto before = std::chrono::steady_clock::now();
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);

    const MoveJob job = JobOf(kFirst);
    EXPECT_EQ(job.record.title, L"Scheduled");
    EXPECT_EQ(job.targetFrame, (FrameBounds{10, 20, 300, 400}));
    EXPECT_GE(job.startTime, before + 60s);
    EXPECT_FALSE(job.started);
    EXPECT_FALSE(job.done);
    EXPECT_EQ(job.duration, 333);
    EXPECT_EQ(job.frameInterval, 7);
    EXPECT_TRUE(FlagOf(kFirst));
    EXPECT_TRUE(AnimatorRunning);
}

TEST_F(MoveScheduling, ASecondScheduleReplacesThePendingJobAndRestartsItsDelay) {
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);
    const auto firstStart = JobOf(kFirst).startTime;
    ScheduleMove(RecordOf(kFirst), 50, 60, 70, 80, 120, 333, 7);

    const MoveJob job = JobOf(kFirst);
    EXPECT_EQ(job.targetFrame, (FrameBounds{50, 60, 70, 80}));
    EXPECT_GE(job.startTime, firstStart + 60s);
    EXPECT_EQ(MoveJobTable.Read([](const MoveJobMap& jobs) { return jobs.size(); }), 1u);
}

TEST_F(MoveScheduling, ACancelledJobIsDoneAtOnceAndTheAnimatorEndsWhenNothingIsLeft) {
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);
    CancelMove(kFirst);
    EXPECT_FALSE(FlagOf(kFirst));

    ASSERT_TRUE(WaitUntil([] { return !AnimatorRunning; }));
    EXPECT_TRUE(MoveJobTable.Snapshot().empty());
    EXPECT_TRUE(MovingFlags.Snapshot().empty());
}

TEST_F(MoveScheduling, CancellingAWindowWithoutAJobOnlyClearsItsFlag) {
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);
    MovingFlags.Update([](MovingFlagMap& flags) { flags[kSecond] = true; });
    CancelMove(kSecond);

    EXPECT_FALSE(FlagOf(kSecond));
    EXPECT_FALSE(JobOf(kFirst).done);
    EXPECT_EQ(MoveJobTable.Read([](const MoveJobMap& jobs) { return jobs.count(kSecond); }), 0u);
}

TEST_F(MoveScheduling, AJobKeepsTheAnimatorAliveWhileItWaitsAndTheOthersFinish) {
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);
    ScheduleMove(RecordOf(kSecond), 10, 20, 300, 400, 60, 333, 7);
    CancelMove(kSecond);

    ASSERT_TRUE(WaitUntil([] { return JobOf(kSecond).duration == 0; }));  // removed
    EXPECT_TRUE(AnimatorRunning);
    EXPECT_TRUE(FlagOf(kFirst));
}

TEST_F(MoveScheduling, StoppingTheAnimatorEmptiesBothTablesAndTheNextScheduleStartsItAgain) {
    ScheduleMove(RecordOf(kFirst), 10, 20, 300, 400, 60, 333, 7);
    StopAnimator();
    EXPECT_FALSE(AnimatorRunning);
    EXPECT_TRUE(MoveJobTable.Snapshot().empty());
    EXPECT_TRUE(MovingFlags.Snapshot().empty());

    ScheduleMove(RecordOf(kSecond), 10, 20, 300, 400, 60, 333, 7);
    EXPECT_TRUE(AnimatorRunning);
    // The thread of the first start ends without touching the new run's job.
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(FlagOf(kSecond));
    EXPECT_FALSE(JobOf(kSecond).done);
}

}  // namespace
