// Whole layouts: the open windows saved as a cluster in one step, and a cluster's missing
// windows opened again, with our window program and with programs Wine ships.
#include <thread>

#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kManage = 1006, kOpenMissingFirstCluster = 2001;
constexpr int kClusterList = 3006, kOpenMissingButton = 3020, kSaveName = 7000;

// One kind of window in the layout: how to start it, how to find it, where it is put.
struct LayoutWindow {
    std::wstring commandLine;
    const wchar_t* className;
    std::wstring title;  // empty: any title
    RECT frame;
};

std::vector<HWND> WindowsOf(const LayoutWindow& kind) {
    std::vector<HWND> found;
    for (HWND w : VisibleTopLevelWindows()) {
        if (ClassOf(w) == kind.className && (kind.title.empty() || WindowText(w) == kind.title)) found.push_back(w);
    }
    return found;
}

bool AloneAtItsFrame(const LayoutWindow& kind) {
    const std::vector<HWND> windows = WindowsOf(kind);
    return windows.size() == 1 && IsAt(windows[0], kind.frame);
}

void EndAll(const std::vector<LayoutWindow>& kinds) {
    for (const LayoutWindow& kind : kinds) {
        for (HWND w : WindowsOf(kind)) EndProcessOfWindow(w, 0);
    }
}

std::wstring TestProgram(const std::wstring& arguments) {
    return L"\"" + BuildBinFolder() + L"\\pnr_testwin.exe\" " + arguments;
}

class OpenWindows : public EngineScenario {};

// Five windows, three of them of one program with different titles, saved, closed and opened
// again with one command: each comes back at its frame, the one that moves itself included,
// and a second command, while they start or once they are there, starts nothing more.
TEST_F(OpenWindows, ASavedDesktopComesBackWithOneCommand) {
    const std::wstring document = AppDataFolder() + L"\\pnr-layout.txt";
    ASSERT_TRUE(WriteFileBytes(document, "notes"));
    const std::vector<LayoutWindow> layout = {
        {TestProgram(L"--window \"Alpha - PnrEdit\""), L"PnrTestWindow", L"Alpha - PnrEdit", Rect(100, 100, 400, 300)},
        {TestProgram(L"--window \"Beta - PnrEdit\""), L"PnrTestWindow", L"Beta - PnrEdit", Rect(560, 100, 400, 300)},
        {TestProgram(L"--window \"Gamma - PnrEdit\" --moves-itself-to 700,500"), L"PnrTestWindow", L"Gamma - PnrEdit",
         Rect(1020, 100, 400, 300)},
        {L"notepad.exe " + document, L"Notepad", L"", Rect(100, 480, 500, 350)},
        {L"regedit.exe", L"RegEdit_RegEdit", L"", Rect(700, 480, 700, 450)},
    };
    StartPinora();
    App().Command(kManage);
    const HWND management = WaitForWindowOf(App().ProcessId(), L"PinoraClusterConfigWindow");
    {
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");
        std::vector<std::unique_ptr<WineProgram>> programs;
        for (const LayoutWindow& kind : layout) programs.push_back(std::make_unique<WineProgram>(kind.commandLine));
        ASSERT_TRUE(WaitUntil(
            [&] { return WindowsOf(layout[2]).size() == 1 && IsAt(WindowsOf(layout[2])[0], Rect(700, 500, 320, 240)); },
            10000ms));
        for (const LayoutWindow& kind : layout) {
            ASSERT_TRUE(WaitUntil([&] { return WindowsOf(kind).size() == 1; }, 10000ms));
            const RECT& f = kind.frame;
            SetWindowPos(WindowsOf(kind)[0], nullptr, f.left, f.top, f.right - f.left, f.bottom - f.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ASSERT_TRUE(ChooseSaveOpenWindows(App()));
        const HWND dialog = WaitForWindowOf(App().ProcessId(), L"PinoraSaveWindowsWindow");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(Control(dialog, kSaveName)).rfind(L"Windows 20", 0), 0u);
        SetText(Control(dialog, kSaveName), L"Morning");
        Click(Control(dialog, IDOK));
        ASSERT_TRUE(WaitUntil([] { return FileExists(ClusterFolderPath() + L"\\Morning.ini"); }));
    }
    // The Cluster Management window shows the new cluster at once, selected.
    EXPECT_TRUE(WaitUntil(
        [&] { return ListItems(Control(management, kClusterList)) == std::vector<std::wstring>{L"Morning"}; }));
    // Whole lines: the file's last line has no line break after it.
    const std::string file = "\r\n" + ReadFileBytes(ClusterFolderPath() + L"\\Morning.ini").value_or("") + "\r\n";
    const std::string program = "Rules=Executable name does match \"";
    for (const std::string& line :
         {program + "pnr_testwin.exe\" AND Window title does begin with \"Alpha\"", program + "notepad.exe\"",
          program + "pnr_testwin.exe\" AND Window title does begin with \"Gamma\"", program + "regedit.exe\"",
          std::string("Arguments=--window \"Beta - PnrEdit\""), "Arguments=" + Utf8(document)}) {
        EXPECT_NE(file.find("\r\n" + line + "\r\n"), std::string::npos) << line << " in\n" << file;
    }
    ASSERT_TRUE(WaitUntil([&] { return WindowsOf(layout[0]).empty() && WindowsOf(layout[3]).empty(); }));

    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");
    ASSERT_TRUE(ChooseOpenMissingWindows(App(), 1));
    App().Command(kOpenMissingFirstCluster);
    for (const LayoutWindow& kind : layout) {
        EXPECT_TRUE(WaitUntil([&] { return AloneAtItsFrame(kind); }, 10000ms)) << Utf8(kind.commandLine);
    }
    std::this_thread::sleep_for(2500ms);  // Gamma has moved itself by now, and been put back
    for (int command = 0; command < 2; ++command) {
        for (const LayoutWindow& kind : layout) EXPECT_TRUE(AloneAtItsFrame(kind)) << Utf8(kind.commandLine);
        App().Command(kOpenMissingFirstCluster);
        std::this_thread::sleep_for(1000ms);
    }
    EndAll(layout);
}

// The Clusters pane's button: a program that cannot start is named, the others still open.
TEST_F(OpenWindows, AProgramThatCannotStartIsNamedAndTheOthersStillOpen) {
    const LayoutWindow delta = {L"", L"PnrTestWindow", L"Delta - PnrEdit", Rect(300, 200, 500, 350)};
    WriteClusterFile(L"Desk",
                     "[Configuration]\n[Gone]\nTitle=Gone\nPath=C:\\nowhere\\gone.exe\nPosition=0 0\nSize=300 200\n"
                     "Rules=Window title does match \"Gone\"\n[Delta]\nTitle=Delta - PnrEdit\nPath=" +
                         Utf8(BuildBinFolder()) +
                         "\\pnr_testwin.exe\nArguments=--window \"Delta - PnrEdit\"\n"
                         "Position=300 200\nSize=500 350\nRules=Window title does match \"Delta - PnrEdit\"\n");
    StartPinora();
    App().Command(kManage);
    const HWND management = WaitForWindowOf(App().ProcessId(), L"PinoraClusterConfigWindow");
    ASSERT_NE(management, nullptr);
    Click(Control(management, kOpenMissingButton));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(App().ProcessId(), L"Pinora")) != nullptr; }));
    EXPECT_NE(MessageBoxText(box).find(L"\nGone"), std::wstring::npos) << Utf8(MessageBoxText(box));
    CloseMessageBox(box);
    EXPECT_TRUE(WaitUntil([&] { return AloneAtItsFrame(delta); }, 10000ms));
    EndAll({delta});
}

}  // namespace
