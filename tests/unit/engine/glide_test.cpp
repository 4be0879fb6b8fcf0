#include "engine/glide.h"

#include <gtest/gtest.h>

#include "engine/corner_preference.h"
#include "engine/move_job.h"

namespace {

using std::chrono::milliseconds;

TEST(Glide, TakesSixSeventhsOfTheDurationAndSettlesForTheLastSeventh) {
    EXPECT_EQ(GlideLengthMs(kMoveDurationMs), 285);
    EXPECT_EQ(SettleDelayMs(kMoveDurationMs), 47);
}

TEST(Glide, ProgressRunsFromZeroToOneOverTheGlideLengthAndStaysThere) {
    EXPECT_EQ(GlideProgress(0, 333), 0.0f);
    EXPECT_FLOAT_EQ(GlideProgress(57, 333), 57.0f / 285.0f);
    EXPECT_LT(GlideProgress(284, 333), 1.0f);
    EXPECT_EQ(GlideProgress(285, 333), 1.0f);
    EXPECT_EQ(GlideProgress(100000, 333), 1.0f);
}

TEST(Glide, AGlideOfNoLengthIsOverAtOnceInsteadOfDividingByZero) {
    EXPECT_EQ(GlideProgress(0, 0), 1.0f);
    EXPECT_EQ(GlideProgress(0, 1), 1.0f);
    EXPECT_EQ(GlideProgress(5, -70), 1.0f);
}

TEST(Glide, ElapsedTimeIsTruncatedToWholeMilliseconds) {
    EXPECT_EQ(WholeMilliseconds(std::chrono::nanoseconds(6999999)), 6);
    EXPECT_EQ(WholeMilliseconds(milliseconds(285)), 285);
}

TEST(Glide, EaseOutStartsFastLandsSoftlyAndEndsExactlyAtOne) {
    EXPECT_EQ(EaseOut(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(EaseOut(0.5f), 0.75f);
    EXPECT_EQ(EaseOut(1.0f), 1.0f);
    EXPECT_EQ(EaseOut(1.5f), 1.0f);
    float previous = 0.0f;
    for (int ms = 1; ms <= 285; ++ms) {
        const float eased = EaseOut(GlideProgress(ms, 333));
        EXPECT_GT(eased, previous) << ms;
        previous = eased;
    }
}

TEST(Glide, FramesLieBetweenStartAndTargetTruncatedTowardZero) {
    const FrameBounds start{100, 200, 300, 400};
    const FrameBounds target{0, 300, 301, 0};
    EXPECT_EQ(FrameBetween(start, target, 0.0f), start);
    EXPECT_EQ(FrameBetween(start, target, 1.0f), target);
    // 100 - 100 * 0.333 = 66.7 -> 66; 200 + 100 * 0.333 = 233.3 -> 233; 300.333 -> 300; 266.8 -> 266
    EXPECT_EQ(FrameBetween(start, target, 0.333f), (FrameBounds{66, 233, 300, 266}));
    // Negative coordinates (a monitor left of the primary one) truncate toward zero too.
    EXPECT_EQ(FrameBetween({-1920, 0, 10, 10}, {-1, 0, 10, 10}, 0.5f), (FrameBounds{-960, 0, 10, 10}));
}

TEST(Glide, ExtremeCoordinatesNeitherOverflowNorWrap) {
    const FrameBounds start{INT32_MIN, INT32_MAX, 0, 0};
    const FrameBounds target{INT32_MAX, INT32_MIN, 0, 0};
    const FrameBounds middle = FrameBetween(start, target, 0.5f);
    EXPECT_GT(middle.x, INT32_MIN / 2);
    EXPECT_LT(middle.x, INT32_MAX / 2);
    EXPECT_GT(FrameBetween(start, target, 0.99f).x, 0);
}

MoveJob RunningJob(FrameBounds start, FrameBounds target) {
    MoveJob job;
    job.startFrame = start;
    job.targetFrame = target;
    job.startTime = std::chrono::steady_clock::time_point(std::chrono::seconds(1000));
    job.duration = kMoveDurationMs;
    job.frameInterval = kMoveFrameIntervalMs;
    job.started = true;
    return job;
}

TEST(Glide, AJobArrivesExactlyAtItsTargetWhenTheGlideLengthHasPassed) {
    const MoveJob job = RunningJob({0, 0, 100, 100}, {285, 570, 200, 50});
    const GlideFrame early = GlideFrameAt(job, job.startTime + milliseconds(100));
    EXPECT_FALSE(early.arrived);
    EXPECT_GT(early.frame.x, 0);
    EXPECT_LT(early.frame.x, 285);
    const GlideFrame last = GlideFrameAt(job, job.startTime + milliseconds(285));
    EXPECT_TRUE(last.arrived);
    EXPECT_EQ(last.frame, job.targetFrame);
}

TEST(Glide, AZeroPixelMoveStillTakesItsWholeGlide) {
    const MoveJob job = RunningJob({10, 10, 100, 100}, {10, 10, 100, 100});
    const GlideFrame middle = GlideFrameAt(job, job.startTime + milliseconds(140));
    EXPECT_FALSE(middle.arrived);
    EXPECT_EQ(middle.frame, job.targetFrame);
    EXPECT_TRUE(GlideFrameAt(job, job.startTime + milliseconds(285)).arrived);
}

TEST(AnimatorSleep, IsTheShortestFrameIntervalCappedAtThirtyThreeAndNeverZero) {
    MoveJobMap jobs;
    EXPECT_EQ(AnimatorSleepMs(jobs), 33);
    jobs[reinterpret_cast<WindowHandle>(1)].frameInterval = 50;
    EXPECT_EQ(AnimatorSleepMs(jobs), 33);
    jobs[reinterpret_cast<WindowHandle>(2)].frameInterval = 7;
    EXPECT_EQ(AnimatorSleepMs(jobs), 7);
    jobs[reinterpret_cast<WindowHandle>(3)].frameInterval = 0;
    EXPECT_EQ(AnimatorSleepMs(jobs), 1);
}

TEST(CornerPreference, MapsEachCornerStyleToTheWindowManagersValue) {
    EXPECT_EQ(CornerPreferenceFor(CornerStyle::Round), 2);  // DWMWCP_ROUND
    EXPECT_EQ(CornerPreferenceFor(CornerStyle::Dull), 3);   // DWMWCP_ROUNDSMALL
    EXPECT_EQ(CornerPreferenceFor(CornerStyle::Sharp), 1);  // DWMWCP_DONOTROUND
    EXPECT_EQ(CornerPreferenceFor(static_cast<CornerStyle>(7)), 2);
    EXPECT_EQ(CornerPreferenceFor(static_cast<CornerStyle>(-1)), 2);
    EXPECT_EQ(kCornerPreferenceAttribute, 33u);
}

}  // namespace
