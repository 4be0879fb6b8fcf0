// Z-order: a claimed window that is activated is re-stacked directly below the lowest window
// with a higher Z-Level; windows that no active cluster claims keep the place they took.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kLevelOne = Rect(100, 100, 400, 300);
const RECT kLevelTwo = Rect(200, 150, 400, 300);
const RECT kLevelThree = Rect(300, 200, 400, 300);

HWND WindowAbove(HWND window) {
    return GetWindow(window, GW_HWNDPREV);
}

// True when a lies above b in the stacking order.
bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetWindow(b, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == a) return true;
    }
    return false;
}

class ZOrder : public EngineScenario {};

TEST_F(ZOrder, AnActivatedWindowEndsDirectlyBelowTheLowestWindowWithAHigherLevel) {
    WriteCluster(
        L"Stack", true,
        {{"PNR Level One", kLevelOne, 1}, {"PNR Level Two", kLevelTwo, 2}, {"PNR Level Three", kLevelThree, 3}});
    StartPinora();
    TestWindows helper;
    // Opened at their saved frames, so nothing glides; each new window lands on top.
    HWND one = OpenAnnounced(helper, L"PNR Level One", kLevelOne);
    HWND two = OpenAnnounced(helper, L"PNR Level Two", kLevelTwo);
    HWND three = OpenAnnounced(helper, L"PNR Level Three", kLevelThree);
    HWND unclaimed = OpenAnnounced(helper, L"PNR Unclaimed", Rect(50, 50, 300, 200));
    ASSERT_TRUE(App().Sync());

    // Level 1 raised to the top goes back below level 2, the lowest of the two above it.
    ASSERT_TRUE(helper.Activate(one));
    EXPECT_TRUE(WaitUntil([&] { return WindowAbove(one) == two; }));

    // Level 3 has nothing above it: it goes to the top of the normal windows.
    ASSERT_TRUE(helper.Activate(three));
    ASSERT_TRUE(App().Sync());
    EXPECT_TRUE(IsAbove(three, unclaimed));
    EXPECT_TRUE(IsAbove(three, two));

    // Level 2 goes directly below level 3.
    ASSERT_TRUE(helper.Activate(two));
    EXPECT_TRUE(WaitUntil([&] { return WindowAbove(two) == three; }));
    EXPECT_TRUE(IsAbove(two, one));

    // A window no cluster claims keeps the top it was raised to.
    ASSERT_TRUE(helper.Activate(unclaimed));
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(IsAbove(unclaimed, three));
}

TEST_F(ZOrder, AWindowClaimedOnlyByAnInactiveClusterIsNeverRestacked) {
    WriteCluster(L"Active", true, {{"PNR Level One", kLevelOne, 1}});
    WriteCluster(L"Inactive", false, {{"PNR Dormant", kLevelTwo, -5}});
    StartPinora();
    TestWindows helper;
    HWND one = OpenAnnounced(helper, L"PNR Level One", kLevelOne);
    HWND dormant = OpenAnnounced(helper, L"PNR Dormant", kLevelTwo);
    ASSERT_TRUE(App().Sync());

    ASSERT_TRUE(helper.Activate(dormant));
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(IsAbove(dormant, one));
}

TEST_F(ZOrder, AWindowIsRestackedAfterItsGlideEnds) {
    WriteCluster(L"Stack", true, {{"PNR Level One", kLevelOne, 1}, {"PNR Level Two", kLevelTwo, 2}});
    StartPinora();
    TestWindows helper;
    HWND two = OpenAnnounced(helper, L"PNR Level Two", kLevelTwo);
    // Opened elsewhere and on top: it glides home and then settles below level 2.
    HWND one = OpenAnnounced(helper, L"PNR Level One", Rect(700, 500, 400, 300));
    ASSERT_TRUE(IsAbove(one, two));

    EXPECT_TRUE(WaitUntil([&] { return IsAt(one, kLevelOne) && WindowAbove(one) == two; }))
        << Describe(WindowRect(one));
}

}  // namespace
