// Monitors that come and go: a frame saved under another monitor layout never takes its window
// out of sight, and after a layout change or a resume from sleep (which move windows without
// reporting it) windows go back to their saved frames.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kElsewhere = Rect(40, 40, 320, 240);

class MonitorLayout : public DwmStandInScenario {};

TEST_F(MonitorLayout, AFrameOffEveryMonitorLeavesItsWindowInPlaceAndOneHalfOnScreenIsPlacedExactly) {
    const RECT offScreen = Rect(-3000, 100, 400, 300);
    const RECT halfOnScreen = Rect(-150, 100, 300, 200);
    WriteCluster(L"Work", true,
                 {{"PNR Off At Start", offScreen}, {"PNR Off Later", offScreen}, {"PNR Half", halfOnScreen}});
    TestWindows helper;
    HWND atStart = helper.Open(L"PNR Off At Start", kElsewhere);
    StartPinora();
    HWND later = OpenAnnounced(helper, L"PNR Off Later", Rect(600, 300, 320, 240));
    HWND half = OpenAnnounced(helper, L"PNR Half", Rect(900, 500, 320, 240));

    EXPECT_TRUE(WaitUntil([&] { return IsAt(half, halfOnScreen); })) << Describe(WindowRect(half));
    std::this_thread::sleep_for(300ms);  // a glide of the others would have ended by now
    EXPECT_TRUE(IsAt(atStart, kElsewhere)) << Describe(WindowRect(atStart));
    EXPECT_TRUE(IsAt(later, Rect(600, 300, 320, 240))) << Describe(WindowRect(later));
}

// Xvfb's screen cannot change, so the notices come without a change: the layout reads the same
// twice at once, and the pass follows the last notice by the settle wait.
TEST_F(MonitorLayout, ABurstOfDisplayNoticesGivesOneSettleSequenceAndAResumeAnother) {
    const RECT saved = Rect(300, 200, 500, 350);
    TestWindows helper;
    HWND window = PlacedWindow(helper, "PNR Shuffled", saved, kElsewhere);
    const size_t passesBefore = PassesOver(window);

    MoveWithoutEvent(window, kElsewhere);
    for (int notice = 0; notice < 10; ++notice) {
        PostMessageW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
        std::this_thread::sleep_for(30ms);
    }
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); }, 3000ms)) << Describe(WindowRect(window));
    std::this_thread::sleep_for(3500ms);  // past a third pass, had the second moved anything
    EXPECT_EQ(PassesOver(window), passesBefore + 2) << RequestLog();

    MoveWithoutEvent(window, kElsewhere);
    ASSERT_TRUE(App().Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); }, 3000ms)) << Describe(WindowRect(window));
}

}  // namespace
