// Which windows of another program Pinora recognises and manages, seen through placement: a
// saved entry whose rule claims every window of pnr_testwin.exe by its executable name pulls
// each manageable one to the saved frame and leaves the others where they are.
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

const RECT kSaved = Rect(640, 420, 300, 200);

class LiveWindowsScenario : public EngineScenario {
  protected:
    void SetUp() override {
        EngineScenario::SetUp();
        WriteClusterFile(L"Helpers",
                         "[Configuration]\nActivate on Startup=Yes\n"
                         "[Every helper window]\nTitle=any\nClass=any\nPath=any\nZ-Level=3\n"
                         "Position=640 420\nSize=300 200\n"
                         "Rules=Executable name does match \"pnr_testwin.exe\"");
        StartPinora();
    }
};

}  // namespace

TEST_F(LiveWindowsScenario, OnlyManageableWindowsAreRecognisedByTheirExecutableName) {
    TestWindows helper;
    const RECT start = Rect(30, 30, 200, 150);
    HWND untitled = OpenAnnounced(helper, L"", start);
    HWND excludedClass = helper.Open(L"Dragged image", start, L"SysDragImage", {kOpenRaiseCreateEvent});
    HWND popupHost = OpenAnnounced(helper, L"PopupHost", start);
    HWND clock = OpenAnnounced(helper, L"The System Clock", start);
    HWND containsPopupHost = OpenAnnounced(helper, L"My PopupHost window", start);
    HWND toolWindow = helper.Open(L"Palette", start, L"PnrTestWindow", {kOpenRaiseCreateEvent | kOpenToolWindow});

    EXPECT_TRUE(WaitUntil([&] { return IsAt(containsPopupHost, kSaved); }, 5000ms))
        << Describe(WindowRect(containsPopupHost));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(toolWindow, kSaved); }, 5000ms)) << Describe(WindowRect(toolWindow));
    // Any glide of the others would have started with the first ones.
    Sleep(500);
    for (HWND left : {untitled, excludedClass, popupHost, clock}) {
        EXPECT_TRUE(IsAt(left, start)) << WindowText(left).size() << " " << Describe(WindowRect(left));
    }
}

TEST_F(LiveWindowsScenario, AnOwnedDialogIsManagedLikeItsOwner) {
    TestWindows helper;
    HWND owner = OpenAnnounced(helper, L"Owner window", Rect(30, 30, 400, 300));
    ASSERT_TRUE(WaitUntil([&] { return IsAt(owner, kSaved); }, 5000ms));
    HWND dialog =
        helper.Open(L"Owned dialog", Rect(60, 60, 200, 120), L"PnrTestWindow", {kOpenRaiseCreateEvent, owner});
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsAt(dialog, kSaved); }, 5000ms)) << Describe(WindowRect(dialog));
}
