// Placement: claimed windows glide back to their saved frames when they appear, are renamed
// or have been dragged away; windows the user maximised or minimised are left alone.
#include <algorithm>
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kSaved = Rect(300, 200, 500, 350);
const RECT kElsewhere = Rect(40, 40, 320, 240);
const RECT kDropped = Rect(900, 500, 320, 240);

// Every distinct frame the window shows until it sits at the target (or time runs out).
std::vector<RECT> FramesUntil(HWND window, const RECT& target) {
    std::vector<RECT> frames{WindowRect(window)};
    WaitUntil(
        [&] {
            const RECT now = WindowRect(window);
            if (!SameRect(now, frames.back())) frames.push_back(now);
            return SameRect(now, target);
        },
        5000ms, 1ms);
    return frames;
}

std::string DescribeAll(const std::vector<RECT>& frames) {
    std::string text;
    for (const RECT& frame : frames) text += Describe(frame) + "\n";
    return text;
}

// Each value moves from its start toward its target and never back.
bool MovesMonotonically(const std::vector<RECT>& frames, const RECT& target) {
    auto monotone = [&](auto value) {
        const long start = value(frames.front());
        const long end = value(target);
        long previous = start;
        for (const RECT& frame : frames) {
            const long v = value(frame);
            if (end >= start ? (v < previous || v > end) : (v > previous || v < end)) return false;
            previous = v;
        }
        return true;
    };
    return monotone([](const RECT& r) { return r.left; }) && monotone([](const RECT& r) { return r.top; }) &&
           monotone([](const RECT& r) { return r.right - r.left; }) &&
           monotone([](const RECT& r) { return r.bottom - r.top; });
}

class Placement : public EngineScenario {
  protected:
    void StartWithSavedGlideWindow(int timeDelay) {
        WriteTimeDelay(timeDelay);
        WriteCluster(L"Work", true, {{"PNR Glide", kSaved, 0, "Sharp"}});
        StartPinora();
    }

    HWND OpenPlaced(TestWindows& helper) {
        HWND window = OpenAnnounced(helper, L"PNR Glide", kElsewhere);
        EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); }));
        return window;
    }
};

TEST_F(Placement, AClaimedWindowThatAppearsGlidesSmoothlyToItsSavedFrame) {
    StartWithSavedGlideWindow(2);
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Glide", kElsewhere);
    ASSERT_NE(window, nullptr);

    const std::vector<RECT> frames = FramesUntil(window, kSaved);
    ASSERT_TRUE(IsAt(window, kSaved)) << Describe(WindowRect(window));
    EXPECT_GE(frames.size(), 5u) << "too few intermediate frames";
    EXPECT_TRUE(MovesMonotonically(frames, kSaved)) << DescribeAll(frames);
    // It stays there: the landing is exact, not one frame short.
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(IsAt(window, kSaved)) << Describe(WindowRect(window));
}

TEST_F(Placement, ADraggedWindowReturnsAfterTheTimeDelayAndAgainAfterEachLaterDrag) {
    StartWithSavedGlideWindow(2);
    TestWindows helper;
    HWND window = OpenPlaced(helper);

    ASSERT_TRUE(helper.Drag(window, kDropped));
    std::this_thread::sleep_for(700ms);
    EXPECT_TRUE(IsAt(window, kDropped)) << "pulled back before the delay";
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); }, 6000ms)) << Describe(WindowRect(window));

    // The animator ended after the last job, so the next drag is scheduled anew.
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(helper.Drag(window, kElsewhere));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); }, 6000ms)) << Describe(WindowRect(window));
}

TEST_F(Placement, WithNoTimeDelayADraggedWindowReturnsAtOnce) {
    StartWithSavedGlideWindow(0);
    TestWindows helper;
    HWND window = OpenPlaced(helper);

    ASSERT_TRUE(helper.Drag(window, kDropped));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); }, 2000ms)) << Describe(WindowRect(window));
}

TEST_F(Placement, GrabbingTheWindowAgainDuringTheDelayLeavesItWhereItWasDropped) {
    StartWithSavedGlideWindow(1);
    TestWindows helper;
    HWND window = OpenPlaced(helper);

    ASSERT_TRUE(helper.Drag(window, kDropped));
    ASSERT_TRUE(helper.RaiseEvent(window, EVENT_SYSTEM_MOVESIZESTART));
    std::this_thread::sleep_for(2000ms);
    EXPECT_TRUE(IsAt(window, kDropped)) << Describe(WindowRect(window));
}

TEST_F(Placement, AWindowMaximisedDuringTheDelayIsLeftAloneAndPlacedOnceRestored) {
    StartWithSavedGlideWindow(1);
    TestWindows helper;
    HWND window = OpenPlaced(helper);

    ASSERT_TRUE(helper.Drag(window, kDropped));
    ASSERT_TRUE(helper.Maximize(window));
    std::this_thread::sleep_for(2000ms);
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_FALSE(IsAt(window, kSaved));

    // The dropped job is gone, so the restore is placed like any new appearance.
    ASSERT_TRUE(helper.Restore(window));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); })) << Describe(WindowRect(window));
}

TEST_F(Placement, AMinimisedWindowIsLeftAloneUntilItIsRestored) {
    StartWithSavedGlideWindow(0);
    TestWindows helper;
    HWND window = helper.Open(L"PNR Glide", kElsewhere);
    ASSERT_TRUE(helper.Minimize(window));
    // Another window's appearance runs a full placement pass.
    OpenAnnounced(helper, L"PNR Other", kDropped);
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(IsIconic(window));

    ASSERT_TRUE(helper.Restore(window));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); })) << Describe(WindowRect(window));
}

TEST_F(Placement, TwoWindowsScheduledTogetherBothArriveEvenWhenAThirdClosesMidGlide) {
    const RECT savedSecond = Rect(1000, 100, 400, 300);
    const RECT savedClosing = Rect(600, 600, 300, 200);
    WriteCluster(L"Work", true, {{"PNR First", kSaved}, {"PNR Second", savedSecond}, {"PNR Closing", savedClosing}});
    TestWindows helper;
    // Opened before Pinora starts, so that its start-up pass schedules all three together.
    HWND first = helper.Open(L"PNR First", kElsewhere);
    HWND second = helper.Open(L"PNR Second", kDropped);
    HWND closing = helper.Open(L"PNR Closing", Rect(10, 700, 300, 200));
    StartPinora();

    ASSERT_TRUE(WaitUntil([&] { return !IsAt(closing, Rect(10, 700, 300, 200)); }));
    ASSERT_TRUE(helper.Close(closing));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(first, kSaved) && IsAt(second, savedSecond); }))
        << Describe(WindowRect(first)) << " " << Describe(WindowRect(second));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(closing); }));
    EXPECT_TRUE(App().Sync());

    // Still placing windows afterwards.
    ASSERT_TRUE(helper.Drag(first, kDropped));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(first, kSaved); }, 6000ms)) << Describe(WindowRect(first));
}

TEST_F(Placement, ARenamedWindowIsPlacedAtOnceByTheProfileOfItsNewTitle) {
    WriteCluster(L"Work", true, {{"PNR Renamed", kSaved}});
    StartPinora();
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Before", kElsewhere);
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(IsAt(window, kElsewhere)) << "no profile claims the old title";

    ASSERT_TRUE(helper.Rename(window, L"PNR Renamed"));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, kSaved); })) << Describe(WindowRect(window));
}

TEST_F(Placement, AnInactiveClusterPlacesNothing) {
    WriteCluster(L"Idle", false, {{"PNR Glide", kSaved}});
    StartPinora();
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Glide", kElsewhere);
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(IsAt(window, kElsewhere)) << Describe(WindowRect(window));
}

}  // namespace
