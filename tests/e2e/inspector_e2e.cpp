// The Inspector window, driven as a user would: opened with the hot key and the tray icon on
// the window in front, its fields typed into, and "Glue" pressed; checked by what it shows,
// where the inspected window goes and what the cluster file holds.
#include <shlobj.h>

#include "driver/controls.h"
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kTrayCallback = 2000;
constexpr int kCluster = 4000, kCorners = 4012, kX = 4016, kY = 4020, kWidth = 4024, kHeight = 4028, kGlue = 4032,
              kName = 4040, kZ = 4048, kDesktop = 4052;

RECT CentredRect(int width, int height) {
    const RECT desktop = WindowRect(GetDesktopWindow());
    return Rect((desktop.right - width) / 2, (desktop.bottom - height) / 2, width, height);
}

size_t VisibleInspectors(const PinoraApp& app) {
    size_t count = 0;
    for (HWND w : TopLevelWindowsOf(app.ProcessId(), L"PinoraWindow")) count += IsWindowVisible(w) ? 1 : 0;
    return count;
}

std::string ClusterFile(const std::wstring& cluster) {
    return ReadFileBytes(ClusterFolderPath() + L"\\" + cluster + L".ini").value_or("");
}

// Types into a field and lets the window handle what the edit told it.
void Type(HWND inspector, int id, const std::wstring& text) {
    SetText(Control(inspector, id), text);
    SyncWindow(inspector);
}

class Inspector : public EngineScenario {
  protected:
    HWND OpenWithHotKey() {
        PressKeys({VK_MENU, VK_OEM_3});
        return WaitForWindowOf(App().ProcessId(), L"PinoraWindow");
    }

    // Glue, then wait for the window to close (its writes are done by then).
    void Glue(HWND inspector) {
        Click(Control(inspector, kGlue));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(inspector); }, 5000ms));
    }
};

TEST_F(Inspector, HotKeyAndTrayOpenOneInspectorOnTheWindowInFrontThatFollowsTypedNumbers) {
    WriteCluster(L"Alpha", false, {});
    WriteCluster(L"Beta", false, {});
    WriteCluster(L"Gamma", false, {});
    StartPinora();
    TestWindows helper;
    HWND notes = helper.Open(L"PNR-Notes draft one", Rect(100, 120, 500, 350));
    helper.Activate(notes);

    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(WindowText(inspector), L"Pinora");
    EXPECT_TRUE(SameRect(WindowRect(inspector), CentredRect(398, 248))) << Describe(WindowRect(inspector));
    EXPECT_TRUE(IsTopmost(inspector));
    EXPECT_EQ(WindowText(Control(inspector, kName)), L"PNR-Notes");
    EXPECT_EQ(CueBanner(Control(inspector, kName)), L"PNR-Notes");
    EXPECT_EQ(CueBanner(Control(inspector, kX)), L"100");
    EXPECT_EQ(CueBanner(Control(inspector, kY)), L"120");
    EXPECT_EQ(CueBanner(Control(inspector, kWidth)), L"500");
    EXPECT_EQ(CueBanner(Control(inspector, kHeight)), L"350");
    EXPECT_EQ(CueBanner(Control(inspector, kZ)), L"0");
    EXPECT_EQ(WindowText(Control(inspector, kDesktop)), L"Move to \"\" desktop");
    EXPECT_EQ(Control(inspector, kCorners), nullptr);  // Windows 10: no corner box

    // A tray click while it is open leaves the one window where it belongs.
    SetWindowPos(inspector, HWND_NOTOPMOST, 5, 5, 200, 100, SWP_NOACTIVATE);
    App().Post(kTrayCallback, 0, WM_LBUTTONUP);
    ASSERT_TRUE(App().Sync());
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(inspector), CentredRect(398, 248)); }));
    EXPECT_TRUE(IsTopmost(inspector));
    EXPECT_EQ(VisibleInspectors(App()), 1u);

    // The cluster chooser wraps both ways.
    HWND cluster = Control(inspector, kCluster);
    EXPECT_EQ(WindowText(cluster), L"Alpha");
    EXPECT_TRUE(IsEnabled(cluster));
    StepUpDown(cluster, -1);
    EXPECT_EQ(WindowText(cluster), L"Gamma");
    StepUpDown(cluster, 2);
    EXPECT_EQ(WindowText(cluster), L"Beta");

    // "Glue" is offered only for what the cluster file can hold and load again.
    HWND glue = Control(inspector, kGlue);
    EXPECT_TRUE(IsEnabled(glue));
    for (const wchar_t* name : {L"Notes [draft]", L"Notes]", L"   "}) {
        Type(inspector, kName, name);
        EXPECT_FALSE(IsEnabled(glue)) << Utf8(name);
    }
    Type(inspector, kName, L"");  // stands for its cue banner
    EXPECT_TRUE(IsEnabled(glue));
    Type(inspector, kX, L"12a");
    EXPECT_FALSE(IsEnabled(glue));

    // Numbers move the window about a second later; a lone "-" holds the move back.
    Type(inspector, kX, L"-");
    Sleep(1500);
    EXPECT_TRUE(SameRect(WindowRect(notes), Rect(100, 120, 500, 350))) << Describe(WindowRect(notes));
    Type(inspector, kX, L"300");  // the empty fields stand for their cue banners
    EXPECT_TRUE(IsEnabled(glue));
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(notes), Rect(300, 120, 500, 350)); }, 4000ms))
        << Describe(WindowRect(notes));
    EXPECT_EQ(CueBanner(Control(inspector, kX)), L"300");

    // With all five fields cleared nothing moves.
    helper.Move(notes, Rect(50, 60, 500, 350));
    Type(inspector, kX, L"");
    Sleep(1500);
    EXPECT_TRUE(SameRect(WindowRect(notes), Rect(50, 60, 500, 350))) << Describe(WindowRect(notes));
}

}  // namespace
