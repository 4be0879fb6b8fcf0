// Which clusters are active: those marked "Activate on Startup" from the start, and the
// active flags kept across a reload of the cluster files.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kReloadMessage = WM_USER + 102;  // WM_PNR_RELOAD

const RECT kElsewhere = Rect(40, 40, 320, 240);
const RECT kDropped = Rect(900, 500, 320, 240);

class ClusterActivation : public EngineScenario {};

TEST_F(ClusterActivation, OnlyAnExactYesActivatesAClusterAtStart) {
    WriteTimeDelay(0);
    const RECT eagerFrame = Rect(300, 200, 500, 350);
    const RECT lazyFrame = Rect(1000, 100, 400, 300);
    WriteClusterFile(L"Eager", "[Configuration]\nActivate on Startup=Yes\n" + EntryText({"PNR Eager", eagerFrame}));
    WriteClusterFile(L"Lazy", "[Configuration]\nActivate on Startup=yes\n" + EntryText({"PNR Lazy", lazyFrame}));
    TestWindows helper;
    // Opened before the start, so that start-up's placement pass finds them.
    HWND eager = helper.Open(L"PNR Eager", kElsewhere);
    HWND lazy = helper.Open(L"PNR Lazy", kDropped);
    StartPinora();

    EXPECT_TRUE(WaitUntil([&] { return IsAt(eager, eagerFrame); })) << Describe(WindowRect(eager));
    ASSERT_TRUE(App().Sync());
    std::this_thread::sleep_for(800ms);  // longer than a glide with no delay
    EXPECT_TRUE(IsAt(lazy, kDropped)) << Describe(WindowRect(lazy));
}

TEST_F(ClusterActivation, AReloadKeepsTheClusterActiveAndTakesItsEditedFile) {
    WriteTimeDelay(0);
    const RECT savedFrame = Rect(300, 200, 500, 350);
    const RECT editedFrame = Rect(600, 300, 400, 250);
    WriteCluster(L"Work", true, {{"PNR Reloaded", savedFrame}});
    TestWindows helper;
    HWND window = helper.Open(L"PNR Reloaded", kElsewhere);
    StartPinora();
    ASSERT_TRUE(WaitUntil([&] { return IsAt(window, savedFrame); })) << Describe(WindowRect(window));

    WriteCluster(L"Work", false, {{"PNR Reloaded", editedFrame}});
    ASSERT_TRUE(App().Post(kReloadMessage));
    ASSERT_TRUE(App().Sync());
    // The reload itself places nothing; the next drag shows the cluster still holds the window,
    // now at its edited frame although the file no longer asks for activation at start.
    EXPECT_TRUE(IsAt(window, savedFrame)) << Describe(WindowRect(window));
    ASSERT_TRUE(helper.Drag(window, kDropped));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, editedFrame); }, 3000ms)) << Describe(WindowRect(window));
}

}  // namespace
