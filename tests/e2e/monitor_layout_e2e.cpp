// Monitors that come and go: a frame saved under another monitor layout never takes its window
// out of sight, and after a layout change or a resume from sleep (which move windows without
// reporting it) windows go back to their saved frames.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kElsewhere = Rect(40, 40, 320, 240);

// Another program, or the system, moves the window and reports nothing.
void MoveWithoutEvent(HWND window, const RECT& outer) {
    SetWindowPos(window, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class MonitorLayout : public DwmStandInScenario {
  protected:
    // Every placement pass that reaches a claimed window sets its corner style.
    size_t PassesOver(HWND window) const {
        return CountOf(RequestLog(), "set " + std::to_string(reinterpret_cast<intptr_t>(window)) + " 33 ");
    }
};

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

TEST_F(MonitorLayout, AWindowMovedWithoutAnEventReturnsOnceAfterADisplayChangeAndAfterAResume) {
    const RECT saved = Rect(300, 200, 500, 350);
    WriteTimeDelay(2);
    WriteCluster(L"Work", true, {{"PNR Shuffled", saved}});
    StartPinoraWithStandIn();
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Shuffled", kElsewhere);
    ASSERT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); })) << Describe(WindowRect(window));
    std::this_thread::sleep_for(500ms);  // the glide's settling is over
    const size_t passesBefore = PassesOver(window);

    MoveWithoutEvent(window, kElsewhere);
    for (int notice = 0; notice < 3; ++notice) {
        PostMessageW(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(1920, 1080));
        std::this_thread::sleep_for(100ms);
    }
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(IsAt(window, kElsewhere)) << "placed before the configured delay";
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); }, 4000ms)) << Describe(WindowRect(window));
    std::this_thread::sleep_for(2500ms);  // a second pass would have come by now
    EXPECT_EQ(PassesOver(window), passesBefore + 1) << RequestLog();

    MoveWithoutEvent(window, kElsewhere);
    ASSERT_TRUE(App().Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); }, 4000ms)) << Describe(WindowRect(window));
}

}  // namespace
