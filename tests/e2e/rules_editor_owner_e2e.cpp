// The Rules editor closes with the Inspector even when the Inspector closes before the editor's
// window exists: no editor without an owner keeps the hot key from opening the Inspector.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;
using RulesEditorOwner = EngineScenario;

TEST_F(RulesEditorOwner, InspectorClosedRightAfterRulesLeavesNoEditorAndTheHotKeyOpensItAgain) {
    WriteCluster(L"Solo", false, {});
    StartPinora();
    TestWindows helper;
    helper.Activate(helper.Open(L"PNR Owner window", Rect(300, 200, 400, 300)));
    PressKeys({VK_MENU, VK_OEM_3});
    HWND inspector = WaitForWindowOf(App().ProcessId(), L"PinoraWindow");
    ASSERT_NE(inspector, nullptr);
    // Both reach the Inspector's thread before the editor's thread can have made its window.
    PostMessageW(Control(inspector, 4036), BM_CLICK, 0, 0);  // "Rules"
    PostMessageW(inspector, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(inspector); }));
    std::this_thread::sleep_for(300ms);  // time for an editor made too late to appear
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindowsOf(App().ProcessId(), L"PinoraRulesWindow").empty(); }));
    PressKeys({VK_MENU, VK_OEM_3});
    EXPECT_NE(WaitForWindowOf(App().ProcessId(), L"PinoraWindow"), nullptr);
}
