// The Inspector window, driven as a user would: opened with the hot key and the tray icon on
// the window in front, its fields typed into, and "Glue" pressed; checked by what it shows,
// where the inspected window goes and what the cluster file holds.
#include <shlobj.h>

#include <cstring>
#include <thread>
#include <utility>

#include "driver/controls.h"
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr int kCluster = 4000, kCorners = 4012, kX = 4016, kY = 4020, kWidth = 4024, kHeight = 4028, kGlue = 4032,
              kName = 4040, kZ = 4048, kDesktop = 4052, kNote = 4056;

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

// The part of a cluster file from the entry's header on.
std::string EntryOf(const std::string& file, const std::string& entry) {
    const size_t header = file.find("[" + entry + "]");
    return header == std::string::npos ? std::string() : file.substr(header);
}

// Every window on the desktop steps aside (Wine's stand-alone tray is a window like any other,
// and earlier scenarios may have left windows behind), and comes back at the end.
class DesktopClearedWhileInScope {
  public:
    DesktopClearedWhileInScope() : windows_(VisibleTopLevelWindows()) {
        for (HWND window : windows_) ShowWindowAsync(window, SW_HIDE);
        WaitUntil([&] { return VisibleTopLevelWindows().empty(); });
    }
    ~DesktopClearedWhileInScope() {
        for (HWND window : windows_) ShowWindowAsync(window, SW_SHOWNA);
    }

  private:
    std::vector<HWND> windows_;
};

// ---- The clipboard as the test leaves it for Pinora ---------------------------------------------
using ClipboardFormat = std::pair<UINT, std::string>;

void PutOnClipboard(const std::vector<ClipboardFormat>& formats) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
    // A program that took the clipboard is told so by a sent message, which a test waiting
    // for Pinora would not answer: the data stays, its owner goes.
    DestroyWindow(owner);
}

std::optional<std::string> ClipboardBytes(UINT format) {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> bytes;
    if (HANDLE data = GetClipboardData(format)) {
        bytes.emplace(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string TinyBitmap() {
    BITMAPINFOHEADER header = {sizeof(header), 2, 2, 1, 32, BI_RGB};
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    for (uint32_t pixel : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0x00FFFFFFu}) {
        bytes.append(reinterpret_cast<const char*>(&pixel), sizeof(pixel));
    }
    return bytes;
}

std::string FileList(const std::wstring& path) {
    DROPFILES header = {sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    const std::wstring names = path + L'\0' + L'\0';
    bytes.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    return bytes;
}

class Inspector : public EngineScenario {
  protected:
    static HWND OpenInFront(TestWindows& program, const std::wstring& title, const RECT& outer) {
        HWND window = program.Open(title, outer);
        program.Activate(window);
        return window;
    }

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
    HWND notes = OpenInFront(helper, L"PNR-Notes draft one", Rect(100, 120, 500, 350));

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
    for (const wchar_t* name : {L"Notes [draft]", L"Notes]", L"Notes;draft", L"   ", L" Configuration"}) {
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

    // Moved by its program, the window shows its new place; with all five fields cleared
    // nothing moves.
    helper.Move(notes, Rect(50, 60, 500, 350));
    EXPECT_TRUE(WaitUntil([&] { return CueBanner(Control(inspector, kX)) == L"50"; }))
        << Utf8(CueBanner(Control(inspector, kX)));
    Type(inspector, kX, L"");
    Sleep(1500);
    EXPECT_TRUE(SameRect(WindowRect(notes), Rect(50, 60, 500, 350))) << Describe(WindowRect(notes));

    // Another window brought to the front is shown in its place.
    OpenInFront(helper, L"PNR-Mail inbox", Rect(700, 100, 300, 200));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(inspector, kName)) == L"PNR-Mail"; }));
    EXPECT_EQ(CueBanner(Control(inspector, kX)), L"700");
    EXPECT_EQ(CueBanner(Control(inspector, kWidth)), L"300");
}

TEST_F(Inspector, GlueWritesTheWholeEntryAndTheActiveClusterHoldsTheWindowThere) {
    WriteCluster(L"Alpha", false, {});
    WriteCluster(L"Work", true, {});
    StartPinora();
    TestWindows helper;
    HWND notes = OpenInFront(helper, L"PNR-Notes draft", Rect(100, 120, 500, 350));
    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    StepUpDown(Control(inspector, kCluster), 1);
    Type(inspector, kName, L"Notes");
    Type(inspector, kZ, L"3");
    Glue(inspector);

    const std::string file = ClusterFile(L"Work");
    const std::string path = Utf8(helper.ExePath());
    EXPECT_EQ(EntryOf(file, "Notes"),
              "[Notes]\r\nTitle=PNR-Notes draft\r\nClass=PnrTestWindow\r\nPath=" + path + "\r\nArguments=--control " +
                  Utf8(helper.ControlName()) +
                  "\r\nDesktop=\r\nMove to Desktop=No\r\nLaunch with QuickMenu=No\r\nSuperGlue=No\r\nCorners=Round"
                  "\r\nPosition=100 120\r\nSize=500 350\r\nZ-Level=3\r\nRules=Window title does match \"PNR-Notes "
                  "draft\"")
        << file;

    // The cluster map already knows the entry: a window dragged away glides back.
    helper.Drag(notes, Rect(700, 500, 500, 350));
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(notes), Rect(100, 120, 500, 350)); }, 8000ms))
        << Describe(WindowRect(notes));
}

TEST_F(Inspector, WithNoWindowLeftTheSecondBoxShowsAndNotepadCanBeGluedOnceOpen) {
    WriteCluster(L"Solo", false, {});
    StartPinora();
    TestWindows helper;
    {
        DesktopClearedWhileInScope nothingToManage;
        // Pinora's list of windows takes the new window in, and keeps it once it is gone.
        HWND gone = OpenAnnounced(helper, L"PNR Soon Gone", Rect(100, 100, 300, 200));
        ASSERT_TRUE(App().Sync());
        // The system's creation event and the announcement may each ask for a pass; the second
        // runs from a timer once Pinora's queue is empty, and must see the window still there.
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(App().Sync());
        helper.Close(gone);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(gone); }));

        App().Post(kTrayCallback, 0, WM_LBUTTONUP);
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(App().ProcessId(), L"Pinora")) != nullptr; }));
        EXPECT_EQ(MessageBoxText(box), L"There are no windows to manage!");
        CloseMessageBox(box);
        ASSERT_TRUE(WaitUntil([&] { return TopLevelWindowsOf(App().ProcessId(), L"PinoraWindow").empty(); }));
    }

    // Once a window is there, the hot key opens the Inspector on it.
    HKEY notepadKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad", 0, KEY_SET_VALUE, &notepadKey) == 0) {
        for (const wchar_t* value : {L"iWindowPosX", L"iWindowPosY", L"iWindowPosDX", L"iWindowPosDY"}) {
            RegDeleteValueW(notepadKey, value);
        }
        RegCloseKey(notepadKey);
    }
    WineProgram notepad(L"notepad.exe");
    HWND editor = notepad.WaitForWindow(L"Notepad");
    ASSERT_NE(editor, nullptr);
    SetForegroundWindow(editor);
    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    const std::wstring title = WindowText(editor);
    EXPECT_EQ(WindowText(Control(inspector, kName)), title.substr(0, title.find(L' ')));
    EXPECT_EQ(WindowText(Control(inspector, kCluster)), L"Solo");
    EXPECT_FALSE(IsEnabled(Control(inspector, kCluster)));

    Type(inspector, kX, L"200");
    Type(inspector, kY, L"150");
    EXPECT_TRUE(WaitUntil([&] {
        const RECT r = WindowRect(editor);
        return r.left == 200 && r.top == 150;
    }));
    Glue(inspector);
    const std::string entry = EntryOf(ClusterFile(L"Solo"), Utf8(title.substr(0, title.find(L' '))));
    EXPECT_NE(entry.find("\r\nTitle=" + Utf8(title) + "\r\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("notepad.exe\r\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\r\nPosition=200 150\r\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("URL="), std::string::npos) << entry;  // a plain program has no address bar
}

TEST_F(Inspector, GluingABrowserWindowWritesItsAddressAndLeavesTheClipboardAsItWas) {
    WriteCluster(L"Web", false, {});
    StartPinora();
    const std::wstring folder = L"C:\\pnr-e2e\\browser";
    CreateDirectoryW(L"C:\\pnr-e2e", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW((BuildBinFolder() + L"\\pnr_testwin.exe").c_str(), (folder + L"\\chrome.exe").c_str(), FALSE));
    TestWindows browser(folder + L"\\chrome.exe");
    OpenInFront(browser, L"PNR Browser", Rect(200, 100, 640, 480));

    const UINT privateFormat = RegisterClipboardFormatW(L"PNR Test Data");
    const std::vector<ClipboardFormat> before = {{CF_DIB, TinyBitmap()},
                                                 {CF_HDROP, FileList(L"C:\\pnr\\photo.png")},
                                                 {privateFormat, std::string("\x01\x00\x02pnr", 6)}};
    PutOnClipboard(before);

    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    Glue(inspector);
    const std::string entry = EntryOf(ClusterFile(L"Web"), "PNR");
    EXPECT_NE(entry.find("\r\nZ-Level=0\r\nURL=https://pnr.test/PNR-Browser\r\nRules="), std::string::npos) << entry;
    for (const auto& [format, bytes] : before) {
        EXPECT_EQ(ClipboardBytes(format), bytes) << "format " << format;
    }
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));

    // Glued again at once, from an empty clipboard: the second capture reaches the browser too,
    // and the clipboard is left as empty as it was.
    PutOnClipboard({});
    WriteCluster(L"Web", false, {});
    Glue(OpenWithHotKey());
    EXPECT_NE(ClusterFile(L"Web").find("\r\nURL=https://pnr.test/PNR-Browser\r\n"), std::string::npos);
    EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST_F(Inspector, GlueNeverWritesOverAnotherWindowsEntry) {
    // Another window's entry is saved as "Untitled"; Notepad's title starts with the same word.
    WriteCluster(L"Home", false, {{"Untitled", Rect(10, 10, 300, 200)}});
    WriteCluster(L"Other", false, {});
    const std::string saved = ClusterFile(L"Home");
    StartPinora();
    ProgramRun notepad(L"notepad.exe");
    SetForegroundWindow(notepad.WaitForMainWindow());
    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    EXPECT_EQ(WindowText(Control(inspector, kName)), L"Untitled");
    for (const bool home : {true, false}) {  // the chooser steps to "Other", which has no such entry, and back
        EXPECT_EQ(IsEnabled(Control(inspector, kGlue)), !home);
        EXPECT_EQ(WindowText(Control(inspector, kNote)), home ? L"Another window of this cluster has this name." : L"");
        StepUpDown(Control(inspector, kCluster), 1);
    }
    Type(inspector, kName, L"Notepad");
    Glue(inspector);
    EXPECT_EQ(ClusterFile(L"Home").substr(0, saved.size()), saved);
}

TEST_F(Inspector, AGlueTheFileCannotTakeIsShownAndLeavesTheFileAndTheWindowAsTheyWere) {
    WriteCluster(L"Work", false, {});
    StartPinora();
    TestWindows helper;
    OpenInFront(helper, L"PNR-Notes draft", Rect(100, 120, 500, 350));
    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    const std::string before = ClusterFile(L"Work");
    // A sync client holds the file without sharing it.
    HANDLE held =
        CreateFileW((ClusterFolderPath() + L"\\Work.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(Control(inspector, kGlue));
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = FindMessageBox(App().ProcessId(), L"Pinora")) != nullptr; }));
    CloseHandle(held);
    EXPECT_EQ(GetWindow(box, GW_OWNER), inspector);
    EXPECT_EQ(MessageBoxText(box), L"The entry could not be saved: the cluster file could not be written.");
    CloseMessageBox(box);
    EXPECT_TRUE(IsWindowVisible(inspector));
    EXPECT_EQ(ClusterFile(L"Work"), before);
}

// Windows 11: Wine reports the build number the registry holds, read by each new process.
class InspectorOnWindows11 : public Inspector {
  protected:
    void SetUp() override {
        Inspector::SetUp();
        for (const wchar_t* value : {L"CurrentBuildNumber", L"CurrentBuild"}) {
            saved_.emplace_back(value, ReadRegistryString(HKEY_LOCAL_MACHINE, kVersionKey, value));
            SetMachineString(value, L"22621");
        }
        PreferDwmStandIn();
    }
    void TearDown() override {
        for (const auto& [value, text] : saved_) {
            if (text) SetMachineString(value, *text);
        }
        ForgetDwmStandIn();
    }

  private:
    static constexpr wchar_t kVersionKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";

    static void SetMachineString(const std::wstring& value, const std::wstring& text) {
        HKEY handle = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
        RegSetValueExW(handle, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }

    std::vector<std::pair<std::wstring, std::optional<std::wstring>>> saved_;
};

TEST_F(InspectorOnWindows11, TheCornerBoxShowsAndSetsTheWindowsCornerPreference) {
    WriteCluster(L"Alpha", false, {});
    StartPinora(KeepDataWithDwmStandIn());
    TestWindows helper;
    HWND window = helper.Open(L"PNR Rounded", Rect(100, 100, 400, 300));
    SetPropW(window, L"PnrCornerPreference", reinterpret_cast<HANDLE>(3 + 1));  // round small, as the stand-in keeps it
    helper.Activate(window);
    HWND inspector = OpenWithHotKey();
    ASSERT_NE(inspector, nullptr);
    HWND corners = Control(inspector, kCorners);
    ASSERT_NE(corners, nullptr);
    EXPECT_EQ(WindowText(corners), L"Sharp Corners");
    EXPECT_EQ(CheckState(corners), BST_INDETERMINATE);

    const std::string handle = std::to_string(reinterpret_cast<intptr_t>(window));
    Click(corners);
    EXPECT_EQ(CheckState(corners), BST_UNCHECKED);
    EXPECT_NE(DwmRequestLog(App()).find("set " + handle + " 33 2\n"), std::string::npos) << DwmRequestLog(App());
    Click(corners);
    EXPECT_EQ(CheckState(corners), BST_CHECKED);
    EXPECT_NE(DwmRequestLog(App()).find("set " + handle + " 33 1\n"), std::string::npos) << DwmRequestLog(App());
    Glue(inspector);
    EXPECT_NE(ClusterFile(L"Alpha").find("\r\nCorners=Sharp\r\n"), std::string::npos) << ClusterFile(L"Alpha");
}

}  // namespace
