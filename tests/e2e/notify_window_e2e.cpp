// The notification window: quitting, closing, opening and raising configuration windows,
// the Help box and messages that must change nothing.
#include <gtest/gtest.h>

#include "driver/driver.h"

using namespace pnrtest;

namespace {

constexpr UINT kQuit = 1001, kConfigure = 1002, kHelp = 1003, kManage = 1006;

RECT DesktopRect() {
    return WindowRect(GetDesktopWindow());
}

RECT CentredRect(int width, int height) {
    const RECT desktop = DesktopRect();
    return Rect((desktop.right - width) / 2, (desktop.bottom - height) / 2, width, height);
}

size_t CountWindows(const PinoraApp& app, const wchar_t* className) {
    size_t n = 0;
    for (HWND w : TopLevelWindowsOf(app.ProcessId(), className)) n += IsWindowVisible(w) ? 1 : 0;
    return n;
}

}  // namespace

TEST(NotifyWindow, QuitRemovesTheTrayIconAndEndsWithExitCodeZero) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(TrayIconExists(app.NotifyWindow(), 1000));
    const auto started = std::chrono::steady_clock::now();
    app.Command(kQuit);
    ASSERT_TRUE(WaitUntil([&] { return !TrayIconExists(app.NotifyWindow(), 1000); }, 3000ms));
    EXPECT_EQ(app.WaitForExit(5000ms), 0u);
    // The quit sequence pauses for a second before the process ends.
    EXPECT_GE(std::chrono::steady_clock::now() - started, 900ms);
}

TEST(NotifyWindow, CloseMessageEndsTheProgram) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    app.Post(WM_CLOSE);
    EXPECT_EQ(app.WaitForExit(5000ms), 0u);
}

TEST(NotifyWindow, ConfigureOpensOneSettingsWindowAndRaisesItWhenOpen) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    app.Command(kConfigure);
    HWND settings = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (settings = FindWindowW(L"PinoraConfigWindow", nullptr)) != nullptr; }));
    EXPECT_EQ(WindowText(settings), L"Pinora Config");

    // Moved away and shrunk by the user, then "Configure" again.
    SetWindowPos(settings, HWND_NOTOPMOST, 5, 5, 100, 100, SWP_NOACTIVATE);
    app.Command(kConfigure);
    ASSERT_TRUE(app.Sync());
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(settings), CentredRect(258, 167)); }))
        << Describe(WindowRect(settings));
    EXPECT_TRUE(IsTopmost(settings));
    EXPECT_EQ(CountWindows(app, L"PinoraConfigWindow"), 1u);

    // "Manage" while another configuration window is open does nothing.
    app.Command(kManage);
    ASSERT_TRUE(app.Sync());
    Sleep(300);
    EXPECT_EQ(CountWindows(app, L"PinoraClusterConfigWindow"), 0u);
}

// Another program's window that carries one of our class names is not ours: it neither keeps
// the configuration windows from opening nor gets raised, and its hanging freezes nothing.
TEST(NotifyWindow, AnotherProgramsWindowOfOurClassIsNeitherTakenForOursNorRaised) {
    TestWindows helper;
    const RECT foreignFrame = Rect(30, 40, 200, 150);
    HWND foreign = helper.Open(L"Foreign", foreignFrame, L"PinoraConfigWindow");
    ASSERT_NE(foreign, nullptr);
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(helper.Hang(foreign, 8000ms));

    app.Command(kConfigure);
    // A posted command is handled only once the main thread is free again.
    app.Command(kHelp);
    HWND help = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (help = FindMessageBox(app.ProcessId(), L"Pinora Help")) != nullptr; }, 3000ms))
        << "Pinora's main thread froze";
    if (help) CloseMessageBox(help);
    HWND settings = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        const auto own = TopLevelWindowsOf(app.ProcessId(), L"PinoraConfigWindow");
        settings = own.empty() ? nullptr : own.front();
        return settings != nullptr;
    }));
    // "Configure" again raises Pinora's own window.
    SetWindowPos(settings, HWND_NOTOPMOST, 5, 5, 100, 100, SWP_NOACTIVATE);
    app.Command(kConfigure);
    ASSERT_TRUE(app.Sync(3000ms));
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(settings), CentredRect(258, 167)); }))
        << Describe(WindowRect(settings));
    EXPECT_TRUE(SameRect(WindowRect(foreign), foreignFrame)) << Describe(WindowRect(foreign));
}

TEST(NotifyWindow, ManageOpensTheClusterManagementWindow) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    app.Command(kManage);
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowW(L"PinoraClusterConfigWindow", nullptr)) != nullptr; }));
    EXPECT_EQ(WindowText(window), L"Pinora Cluster Management");
    // With the Cluster Management window open, "Configure" does nothing.
    app.Command(kConfigure);
    ASSERT_TRUE(app.Sync());
    Sleep(300);
    EXPECT_EQ(CountWindows(app, L"PinoraConfigWindow"), 0u);
}

TEST(NotifyWindow, ASecondHelpWhileTheHelpBoxIsOpenShowsNoSecondBox) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    app.Command(kHelp);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(app.ProcessId(), L"Pinora Help")) != nullptr; }));
    EXPECT_EQ(MessageBoxText(box).rfind(L"How to use Pinora (subject to change):", 0), 0u);
    app.Command(kHelp);
    Sleep(300);
    size_t boxes = 0;
    for (HWND w : TopLevelWindowsOf(app.ProcessId(), L"#32770")) boxes += WindowText(w) == L"Pinora Help";
    EXPECT_EQ(boxes, 1u);
    // "About" is independent of "Help".
    app.Command(1004);
    EXPECT_TRUE(WaitUntil([&] { return FindMessageBox(app.ProcessId(), L"About Pinora") != nullptr; }));
    HWND about = FindMessageBox(app.ProcessId(), L"About Pinora");
    EXPECT_NE(MessageBoxText(about).find(L"" PNR_PROJECT_VERSION), std::wstring::npos);
    // "No" leaves the web site alone.
    PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    CloseMessageBox(about);
}

TEST(NotifyWindow, UnknownMessagesAndIdsChangeNothing) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    const auto settingsBefore = ReadFileBytes(PinoraDataFolder() + L"\\config.ini");
    const size_t windowsBefore = TopLevelWindowsOf(app.ProcessId()).size();

    app.Post(WM_HOTKEY, 2, 0);
    app.Post(WM_SETTINGCHANGE, 0, 0);
    for (UINT id : {999u, 1000u, 1007u, 1499u, 1500u, 1501u, 2001u, 2500u, 4242u}) app.Command(id);
    app.Post(kTrayCallback, 0, WM_LBUTTONDBLCLK);
    app.Post(kTrayCallback, 0, WM_MOUSEMOVE);
    ASSERT_TRUE(app.Sync());
    Sleep(300);

    EXPECT_TRUE(app.IsRunning());
    EXPECT_EQ(TopLevelWindowsOf(app.ProcessId()).size(), windowsBefore);
    EXPECT_EQ(ReadFileBytes(PinoraDataFolder() + L"\\config.ini"), settingsBefore);
    EXPECT_TRUE(TrayIconExists(app.NotifyWindow(), 1000));
}
