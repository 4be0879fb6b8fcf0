// Live display changes: clusters tied to a display setup follow the monitors, and windows the
// system moves at a change come back within the settle sequence. A program can change the
// resolution of a Wine virtual desktop, not that of an X screen: display_changes.sh runs these
// scenarios in one, and elsewhere they are skipped.
#include <algorithm>
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kElsewhere = Rect(40, 40, 320, 240);

// Wine's monitor reports no ids; its device path is the same at every resolution, so its size
// tells its setups apart.
const std::string kWineMonitor = "- \\\\?\\DISPLAY#Default_Monitor#0000&0000#{E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}";

bool ChangeResolution(DWORD width, DWORD height, DWORD flags = 0) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, flags, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

bool ShowsTooltip(const std::wstring& text) {
    return WaitUntil([&] {
        const std::vector<std::wstring> shown = TrayTooltipTexts();
        return std::find(shown.begin(), shown.end(), text) != shown.end();
    });
}

class DisplayChange : public DwmStandInScenario {
  protected:
    void SetUp() override {
        if (!ChangeResolution(1280, 800, CDS_TEST)) GTEST_SKIP() << "the screen's resolution cannot change here";
        DwmStandInScenario::SetUp();
    }
    void TearDown() override {
        ChangeResolution(1920, 1080);
        DwmStandInScenario::TearDown();
    }
};

TEST_F(DisplayChange, ClustersTiedToASetupAreActiveExactlyWhileItIsConnected) {
    const RECT deskFrame = Rect(300, 200, 500, 350);
    const RECT couchFrame = Rect(100, 100, 400, 300);
    WriteClusterFile(L"Desk", "[Configuration]\nActivate on Startup=No\nDisplay Setups=1920x1080@0,0 " + kWineMonitor +
                                  "\n" + EntryText({"PNR Desk", deskFrame}));
    WriteClusterFile(L"Couch", "[Configuration]\nActivate on Startup=Yes\nDisplay Setups=1280x800@0,0 " + kWineMonitor +
                                   "\n" + EntryText({"PNR Couch", couchFrame}));
    TestWindows helper;
    HWND desk = helper.Open(L"PNR Desk", kElsewhere);
    HWND couch = helper.Open(L"PNR Couch", kElsewhere);
    StartPinora();
    // At start the tie outranks "Activate on Startup".
    EXPECT_TRUE(WaitUntil([&] { return IsAt(desk, deskFrame); })) << Describe(WindowRect(desk));
    EXPECT_TRUE(ShowsTooltip(L"Pinora (active)\nDesk"));

    ASSERT_TRUE(ChangeResolution(1280, 800));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(couch, couchFrame); })) << Describe(WindowRect(couch));
    EXPECT_TRUE(ShowsTooltip(L"Pinora (active)\nCouch"));

    MoveWithoutEvent(desk, kElsewhere);
    ASSERT_TRUE(ChangeResolution(1920, 1080));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(desk, deskFrame); })) << Describe(WindowRect(desk));
    EXPECT_TRUE(ShowsTooltip(L"Pinora (active)\nDesk"));
}

TEST_F(DisplayChange, AWindowTheSystemMovedIsBackByTwoSettlePassesAndGetsNoDragReturn) {
    const RECT saved = Rect(300, 200, 500, 350);
    TestWindows helper;
    HWND window = PlacedWindow(helper, "PNR Shuffled", saved, kElsewhere);
    const size_t passesBefore = PassesOver(window);

    ASSERT_TRUE(ChangeResolution(1280, 800));
    // The system's shuffle, reported as a drag's end: a drag-return would add a pass of its own.
    ASSERT_TRUE(helper.Drag(window, kElsewhere));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, OuterOf(saved)); }, 3000ms)) << Describe(WindowRect(window));
    std::this_thread::sleep_for(3500ms);  // past a third pass, had the second moved anything
    EXPECT_EQ(PassesOver(window), passesBefore + 2) << RequestLog();
}

}  // namespace
