// The tray icon's menu, the Quick Menu launcher and the icon's return after a shell restart.
// Another process cannot read a popup menu, so the menu is driven by keys, as a user would
// with the keyboard, and each choice is checked by its effect.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "driver/driver.h"

using namespace pnrtest;

namespace {

std::string WindowEntry(const std::string& section, const std::string& title, const std::string& position,
                        const std::string& size) {
    return "[" + section + "]\nTitle=" + title +
           "\nClass=PnrTestWindow\nPath=C:\\pnr\\testwin.exe\nPosition=" + position + "\nSize=" + size +
           "\nRules=Window title does match \"" + title + "\"\n";
}

void WriteTimeDelay(const wchar_t* seconds) {
    CreateDirectoryW(PinoraDataFolder().c_str(), nullptr);
    const std::wstring settings = PinoraDataFolder() + L"\\config.ini";
    WritePrivateProfileStringW(L"Settings", L"Time Delay", seconds, settings.c_str());
    WritePrivateProfileStringW(L"Settings", L"Start with Windows", L"No", settings.c_str());
}

HWND FindWindowTitled(const wchar_t* title) {
    return FindWindowW(L"PnrTestWindow", title);
}

// Ends the program a test started through Pinora, which the test does not own.
void EndProcessOf(HWND window) {
    EndProcessOfWindow(window, 0);
}

// Ends every launched helper when the test ends, whichever way it ends.
struct LaunchedWindowsCleanup {
    LaunchedWindowsCleanup() { EndAll(); }
    ~LaunchedWindowsCleanup() { EndAll(); }
    static void EndAll() {
        for (int i = 0; i < 10; ++i) {
            HWND window = FindWindowTitled(L"PNR Launched Window");
            if (!window) return;
            EndProcessOf(window);
        }
    }
};

}  // namespace

TEST(TrayMenu, ChoosingAClusterTogglesItAndPlacesItsWindowAtOnce) {
    RemoveTree(PinoraDataFolder());
    WriteTimeDelay(L"0");
    WriteClusterFile(L"Alpha", "[Configuration]\nActivate on Startup=No\n");
    WriteClusterFile(L"Work", "[Configuration]\nActivate on Startup=No\n" +
                                  WindowEntry("Target", "PNR Tray Target", "300 200", "500 400"));
    TestWindows helper;
    // Open before the start, so that start-up's window list already holds it.
    HWND target = helper.Open(L"PNR Tray Target", Rect(10, 10, 400, 300));
    ASSERT_NE(target, nullptr);
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(SameRect(WindowRect(target), Rect(10, 10, 400, 300)));

    ASSERT_TRUE(ChooseCluster(app, 2));  // Alpha, Work
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(target), Rect(300, 200, 500, 400)); }, 3000ms))
        << Describe(WindowRect(target));

    // Chosen again, the cluster lets go: a drag away stays where the user left it.
    ASSERT_TRUE(ChooseCluster(app, 2));
    ASSERT_TRUE(helper.Drag(target, Rect(50, 60, 500, 400)));
    ASSERT_TRUE(app.Sync());
    Sleep(800);  // longer than a glide with no delay
    EXPECT_TRUE(SameRect(WindowRect(target), Rect(50, 60, 500, 400))) << Describe(WindowRect(target));

    // And a third time it holds the window again.
    ASSERT_TRUE(ChooseCluster(app, 2));
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(target), Rect(300, 200, 500, 400)); }, 3000ms))
        << Describe(WindowRect(target));
    app.Quit();
}

TEST(TrayMenu, EscapeClosesTheMenuWithoutACommand) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    HWND menu = OpenTrayMenu(app);
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return VisibleTrayMenu(app) == nullptr; }, 3000ms));
    ASSERT_TRUE(app.Sync());
    EXPECT_TRUE(app.IsRunning());
    // The menu opens again on the next right-click.
    menu = OpenTrayMenu(app);
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return VisibleTrayMenu(app) == nullptr; }, 3000ms));
    app.Quit();
}

TEST(TrayMenu, ClusterWithoutANameWarnsInBothSectionsBeforeTheMenuOpens) {
    RemoveTree(PinoraDataFolder());
    WriteClusterFile(L"", "[Configuration]\nShow in Quick Menu=Yes\n");
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());
    app.Post(kTrayCallback, 0, WM_RBUTTONUP);

    for (const wchar_t* text : {L"Problem appending clusters", L"Problem loading all clusters"}) {
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(app.ProcessId(), L"Error!")) != nullptr; }));
        EXPECT_EQ(MessageBoxText(box), text);
        EXPECT_EQ(VisibleTrayMenu(app), nullptr);
        CloseMessageBox(box);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleTrayMenu(app)) != nullptr; }, 3000ms));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return VisibleTrayMenu(app) == nullptr; }, 3000ms));
    app.Quit();
}

TEST(QuickMenu, ChoosingAnEntryStartsItsProgramAndPlacesTheNewWindow) {
    // The program lies in a folder with a blank. Unquoted, its command line would start the
    // decoy "C:\\pnr-e2e\\quick.exe" instead, which opens a window of the same title.
    const std::wstring folder = L"C:\\pnr-e2e\\quick launch";
    const std::wstring decoy = L"C:\\pnr-e2e\\quick.exe";
    const std::wstring program = folder + L"\\pnr_testwin.exe";
    CreateDirectoryW(L"C:\\pnr-e2e", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((BuildBinFolder() + L"\\pnr_testwin.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((BuildBinFolder() + L"\\pnr_testwin.exe").c_str(), decoy.c_str(), FALSE));

    RemoveTree(PinoraDataFolder());
    WriteClusterFile(L"Apps",
                     "[Configuration]\nShow in Quick Menu=Yes\nActivate on Startup=No\n[Launched]\n"
                     "Title=PNR Launched Window\nClass=PnrTestWindow\nPath=" +
                         Utf8(program) +
                         "\nLaunch with QuickMenu=Yes\nPosition=600 300\nSize=450 350\n"
                         "Rules=Window title does match \"PNR Launched Window\"\n");
    WriteClusterFile(L"Other", "[Configuration]\nShow in Quick Menu=No\n");
    LaunchedWindowsCleanup launchedWindows;
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());

    ASSERT_TRUE(ChooseQuickMenuEntry(app, 1));  // Apps
    HWND launched = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (launched = FindWindowTitled(L"PNR Launched Window")) != nullptr; }, 5000ms));
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(launched), Rect(600, 300, 450, 350)); }, 5000ms))
        << Describe(WindowRect(launched));
    EXPECT_EQ(ProgramOf(launched), program);

    app.Quit();
    RemoveTree(folder);
    DeleteFileW(decoy.c_str());
}

// A saved "URL" that a browser would read as a switch is left out, and the browser starts
// without it. The browser here is our window program under a browser's file name: it takes a
// "--window TITLE" switch, which would have named its window after the next argument.
TEST(QuickMenu, AUrlThatLooksLikeASwitchIsNotPassedToTheBrowser) {
    const std::wstring folder = L"C:\\pnr-e2e\\browser";
    const std::wstring browser = folder + L"\\chrome.exe";
    CreateDirectoryW(L"C:\\pnr-e2e", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((BuildBinFolder() + L"\\pnr_testwin.exe").c_str(), browser.c_str(), FALSE));
    RemoveTree(PinoraDataFolder());
    WriteClusterFile(L"Web",
                     "[Configuration]\nShow in Quick Menu=Yes\n[Browser]\nTitle=PNR Launched Window\n"
                     "Class=PnrTestWindow\nPath=" +
                         Utf8(browser) +
                         "\nURL=--window\nLaunch with QuickMenu=Yes\nPosition=600 300\nSize=450 350\n"
                         "Rules=Window title does match \"PNR Launched Window\"\n");
    PinoraApp app({/*resetData=*/false});
    ASSERT_TRUE(app.Start());

    ASSERT_TRUE(ChooseQuickMenuEntry(app, 1));  // Web
    HWND launched = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (HWND w = FindWindowW(L"PnrTestWindow", nullptr); w;
                 w = FindWindowExW(nullptr, w, L"PnrTestWindow", nullptr)) {
                if (ProgramOf(w) == browser) launched = w;
            }
            return launched != nullptr;
        },
        5000ms));
    if (launched) {
        EXPECT_EQ(WindowText(launched), L"PNR Launched Window");
        EndProcessOf(launched);
    }
    app.Quit();
    RemoveTree(folder);
}

TEST(TrayIcon, ShellRestartAddsTheIconAgain) {
    PinoraApp app;
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(TrayIconExists(app.NotifyWindow(), kTrayIconId));

    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof(icon);
    icon.hWnd = app.NotifyWindow();
    icon.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    ASSERT_FALSE(TrayIconExists(app.NotifyWindow(), kTrayIconId));

    app.Post(RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(app.NotifyWindow(), kTrayIconId); }, 3000ms));
    app.Quit();
}
