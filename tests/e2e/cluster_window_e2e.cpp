// The Cluster Management window, driven as a user would: what it shows, and what New,
// Delete and Apply do to the cluster files, the active clusters and the tray tooltip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <memory>

#include "driver/controls.h"
#include "driver/driver.h"

using namespace pnrtest;

namespace {

constexpr UINT kManage = 1006;
enum ControlId {
    kNameBox = 3000,
    kActivateOnStartup,
    kLaunchWithQuickMenu,
    kShowInQuickMenu,
    kSuperGlue,
    kSharpCorners,
    kClusterList,
    kWindowList,
    kNew,
    kRules,
    kDelete,
    kApply,
    kOk,
    kDesktopBox,
    kMonitorsBox,
    kSetupWords,
};

const wchar_t kWindowClass[] = L"PinoraClusterConfigWindow";

// The clusters in the order the folder lists them, which is the order the window shows.
std::vector<std::wstring> ListedClusters() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((ClusterFolderPath() + L"\\*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::wstring ClusterFile(const std::wstring& name) {
    return ClusterFolderPath() + L"\\" + name + L".ini";
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

int IndexOf(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return static_cast<int>(std::find(texts.begin(), texts.end(), text) - texts.begin());
}

std::string Crlf(std::string text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// The system build the prefix reports to programs started while this lives.
class ReportedBuild {
  public:
    explicit ReportedBuild(const wchar_t* build) {
        const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) return;
        for (const wchar_t* name : {L"CurrentBuildNumber", L"CurrentBuild"}) {
            saved_.emplace_back(name, ReadRegistryString(HKEY_LOCAL_MACHINE, key, name).value_or(L""));
            Set(name, build);
        }
    }
    ~ReportedBuild() {
        for (const auto& [name, value] : saved_) Set(name.c_str(), value.c_str());
        if (key_) RegCloseKey(key_);
    }

  private:
    void Set(const wchar_t* name, const wchar_t* value) {
        RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    HKEY key_ = nullptr;
    std::vector<std::pair<std::wstring, std::wstring>> saved_;
};

// A program Wine ships, started as a user would, with its main window found by title.
class RealProgram {
  public:
    RealProgram(const std::wstring& exe, const std::wstring& title) {
        // Notepad reopens at the frame it remembers: start from its default.
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Notepad");
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
        std::wstring commandLine = exe;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            return;
        }
        WaitUntil([&] {
            for (HWND w : TopLevelWindowsOf(process_.dwProcessId)) {
                if (IsWindowVisible(w) && WindowText(w) == title) window_ = w;
            }
            return window_ != nullptr;
        });
    }
    ~RealProgram() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    HWND Window() const { return window_; }

  private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

std::string WindowEntry(const std::string& name, const std::string& extra) {
    return "[" + name + "]\nTitle=" + name + "\nClass=PnrTestWindow\nPath=Error\nPosition=10 10\nSize=300 200\n" +
           extra;
}

class ClusterWindow : public testing::Test {
  protected:
    void SetUp() override { RemoveTree(PinoraDataFolder()); }

    void OpenWindow() {
        if (!app_) {
            app_ = std::make_unique<PinoraApp>(PinoraOptions{/*resetData=*/false});
            ASSERT_TRUE(app_->Start());
        }
        app_->Command(kManage);
        window_ = WaitForWindowOf(app_->ProcessId(), kWindowClass);
        ASSERT_NE(window_, nullptr);
        SyncWindow(window_);
    }

    HWND Item(int id) const { return Control(window_, id); }
    std::wstring Cue() const { return CueBanner(Item(kNameBox)); }
    std::wstring Typed() const { return WindowText(Item(kNameBox)); }
    std::vector<std::wstring> Clusters() const { return ListItems(Item(kClusterList)); }
    std::vector<std::wstring> Windows() const { return ListItems(Item(kWindowList)); }
    std::wstring SelectedCluster() const {
        const int index = ListSelection(Item(kClusterList));
        return index < 0 ? L"" : Clusters().at(static_cast<size_t>(index));
    }
    void SelectCluster(const std::wstring& name) { SelectListItem(Item(kClusterList), IndexOf(Clusters(), name)); }
    void SelectWindow(const std::wstring& name) { SelectListItem(Item(kWindowList), IndexOf(Windows(), name)); }
    void Type(const std::wstring& text) {
        SetText(Item(kNameBox), text);
        SyncWindow(window_);
    }
    bool Shows(const std::wstring& label) const {
        const std::vector<HWND> children = ChildrenTopFirst(window_);
        return std::any_of(children.begin(), children.end(), [&](HWND c) { return WindowText(c) == label; });
    }
    bool TooltipIs(const std::wstring& text) const {
        return WaitUntil([&] { return Contains(TrayTooltipTexts(), text); }, 3000ms);
    }
    // The text of the window's own "Pinora" box, which is then closed; empty when none came.
    std::wstring TakeMessageBox() const {
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = FindMessageBox(app_->ProcessId(), L"Pinora")) != nullptr; })) return L"";
        EXPECT_EQ(GetWindow(box, GW_OWNER), window_);
        const std::wstring text = MessageBoxText(box);
        CloseMessageBox(box);
        return text;
    }

    std::unique_ptr<PinoraApp> app_;
    HWND window_ = nullptr;
};

TEST_F(ClusterWindow, OpensOnTheFirstClusterAndShowsEachSelectedWindowsOptions) {
    ReportedBuild windows11(L"22621");
    WriteClusterFile(L"Alpha", "[Configuration]\nShow in Quick Menu=Yes\nActivate on Startup=No\n" +
                                   WindowEntry("Editor", "Corners=Dull\nLaunch with QuickMenu=Yes\n") +
                                   WindowEntry("Mail", "Corners=sharp\nDesktop=Work\nMove to Desktop=Yes\n"));
    WriteClusterFile(L"Beta", "[Configuration]\nActivate on Startup=yes\n" + WindowEntry("Chat", ""));
    OpenWindow();

    EXPECT_EQ(WindowText(window_), L"Pinora Cluster Management");
    const RECT desktop = WindowRect(GetDesktopWindow());
    EXPECT_TRUE(SameRect(WindowRect(window_), Rect((desktop.right - 475) / 2, (desktop.bottom - 286) / 2, 475, 286)))
        << Describe(WindowRect(window_));
    EXPECT_EQ(GetWindowLongW(window_, GWL_STYLE) & WS_THICKFRAME, 0) << "the border must not resize it";

    // The first cluster of the listing, its name as the cue banner, its options and windows.
    const std::vector<std::wstring> listed = ListedClusters();
    ASSERT_EQ(Clusters(), listed);
    const bool alphaFirst = listed.front() == L"Alpha";
    EXPECT_EQ(ListSelection(Item(kClusterList)), 0);
    EXPECT_EQ(Cue(), listed.front());
    EXPECT_EQ(Typed(), L"");
    EXPECT_EQ(CheckState(Item(kShowInQuickMenu)), alphaFirst ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(CheckState(Item(kActivateOnStartup)), BST_UNCHECKED);  // "yes" is not "Yes"
    const std::vector<std::wstring> alphaWindows{L"Editor", L"Mail"}, betaWindows{L"Chat"};
    EXPECT_EQ(Windows(), alphaFirst ? alphaWindows : betaWindows);
    EXPECT_EQ(ListSelection(Item(kWindowList)), 0);
    EXPECT_TRUE(Shows(L" Cluster Config "));
    EXPECT_FALSE(IsShown(Item(kSharpCorners)));
    EXPECT_TRUE(IsEnabled(Item(kDelete)));
    EXPECT_FALSE(IsEnabled(Item(kNew)) || IsEnabled(Item(kApply)) || IsEnabled(Item(kRules)));

    SelectCluster(L"Alpha");
    SelectWindow(L"Editor");
    EXPECT_TRUE(Shows(L" Window Config "));
    EXPECT_EQ(Cue(), L"Editor");
    EXPECT_FALSE(IsShown(Item(kActivateOnStartup)) || IsShown(Item(kShowInQuickMenu)));
    EXPECT_EQ(CheckState(Item(kLaunchWithQuickMenu)), BST_CHECKED);
    EXPECT_TRUE(IsShown(Item(kSuperGlue)) && !IsEnabled(Item(kSuperGlue)));
    EXPECT_TRUE(IsShown(Item(kSharpCorners)) && IsEnabled(Item(kSharpCorners)));
    EXPECT_EQ(CheckState(Item(kSharpCorners)), BST_INDETERMINATE);  // Dull
    EXPECT_EQ(WindowText(Item(kDesktopBox)), L"Move to \"saved\" desktop");
    EXPECT_EQ(CheckState(Item(kDesktopBox)), BST_UNCHECKED);
    EXPECT_TRUE(IsEnabled(Item(kRules)));

    SelectWindow(L"Mail");
    EXPECT_EQ(WindowText(Item(kDesktopBox)), L"Move to \"Work\" desktop");
    EXPECT_EQ(CheckState(Item(kDesktopBox)), BST_CHECKED);
    EXPECT_EQ(CheckState(Item(kSharpCorners)), BST_UNCHECKED);  // only the exact word is Sharp
    EXPECT_EQ(CheckState(Item(kLaunchWithQuickMenu)), BST_UNCHECKED);

    // OK closes it, and "Manage" opens a new one afterwards.
    Click(Item(kOk));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window_); }));
    OpenWindow();
    EXPECT_EQ(Cue(), listed.front());
}

TEST_F(ClusterWindow, WithoutAnyClusterOnlyANewNameCanBeGiven) {
    OpenWindow();
    EXPECT_EQ(Cue(), L"New Cluster");
    for (int id : {kClusterList, kWindowList, kNew, kRules, kDelete, kApply, kActivateOnStartup}) {
        EXPECT_FALSE(IsEnabled(Item(id))) << id;
    }
    Type(L"First");
    EXPECT_TRUE(IsEnabled(Item(kNew)));
    EXPECT_FALSE(IsEnabled(Item(kApply)));
    Click(Item(kNew));
    EXPECT_EQ(Clusters(), std::vector<std::wstring>{L"First"});
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"First")),
              std::string("[Configuration]\r\nShow in Quick Menu=No\r\nActivate on Startup=No"));
    EXPECT_TRUE(IsEnabled(Item(kDelete)) && IsEnabled(Item(kActivateOnStartup)));
}

TEST_F(ClusterWindow, NewWritesThreeLinesAndDeleteTakesTwoClicks) {
    WriteClusterFile(
        L"Work", "[Configuration]\nActivate on Startup=Yes\n" + WindowEntry("Editor", "") + WindowEntry("Mail", ""));
    OpenWindow();
    EXPECT_TRUE(TooltipIs(L"Pinora (active)\nWork"));

    Type(L"Home");
    EXPECT_TRUE(IsEnabled(Item(kNew)));
    Click(Item(kShowInQuickMenu));
    Click(Item(kActivateOnStartup));  // Work's was checked
    Click(Item(kNew));
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Home")),
              std::string("[Configuration]\r\nShow in Quick Menu=Yes\r\nActivate on Startup=No"));
    EXPECT_EQ(Clusters(), ListedClusters());
    EXPECT_EQ(SelectedCluster(), L"Home");
    EXPECT_EQ(Cue(), L"Home");
    EXPECT_FALSE(IsEnabled(Item(kNew)));

    // The first click only arms Delete; another selection disarms it.
    Click(Item(kDelete));
    EXPECT_EQ(WindowText(Item(kDelete)), L"Delete?");
    SelectCluster(L"Work");
    EXPECT_EQ(WindowText(Item(kDelete)), L"Delete");

    // A saved window goes with two clicks; the cluster's next window is shown.
    SelectWindow(L"Editor");
    EXPECT_FALSE(IsShown(Item(kSharpCorners)));  // below Windows 11
    Click(Item(kDelete));
    Click(Item(kDelete));
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Work"))->find("[Editor]"), std::string::npos);
    EXPECT_EQ(SelectedCluster(), L"Work");
    EXPECT_EQ(Windows(), std::vector<std::wstring>{L"Mail"});
    EXPECT_EQ(ListSelection(Item(kWindowList)), 0);
    EXPECT_EQ(Cue(), L"Mail");
    EXPECT_TRUE(Shows(L" Window Config "));

    // After the last window the Clusters pane is back.
    Click(Item(kDelete));
    Click(Item(kDelete));
    EXPECT_TRUE(Windows().empty());
    EXPECT_FALSE(IsEnabled(Item(kWindowList)));
    EXPECT_TRUE(Shows(L" Cluster Config "));
    EXPECT_TRUE(IsShown(Item(kActivateOnStartup)));
    EXPECT_EQ(Cue(), L"Work");
    EXPECT_EQ(Crlf("[Configuration]\nActivate on Startup=Yes"), ReadFileBytes(ClusterFile(L"Work")));

    // Deleting the active cluster removes its file, refills the lists and the tooltip.
    Click(Item(kDelete));
    Click(Item(kDelete));
    EXPECT_FALSE(FileExists(ClusterFile(L"Work")));
    EXPECT_EQ(Clusters(), std::vector<std::wstring>{L"Home"});
    EXPECT_EQ(Cue(), L"Home");
    EXPECT_EQ(CheckState(Item(kShowInQuickMenu)), BST_CHECKED);
    EXPECT_TRUE(TooltipIs(L"Pinora"));
}

// Notepad, a real program, is claimed by the active cluster at start, then moved away.
TEST_F(ClusterWindow, RenamesKeepAnActiveClusterActiveAndMoveEveryKeyOfAWindow) {
    const RECT saved = Rect(200, 150, 640, 420);
    const std::string pad =
        "[Pad]\nTitle=Untitled - Notepad\nClass=Notepad\nPath=C:\\windows\\system32\\notepad.exe\nDesktop=Main\n"
        "Move to Desktop=No\nURL=C:\\windows\\system32\\notepad.exe\nLaunch with QuickMenu=No\nSuperGlue=Yes\n"
        "Corners=Round\nPosition=200 150\nSize=640 420\nRules=Window title does match \"Untitled - Notepad\"\n"
        "Z-Level=3\n";
    const std::string other = WindowEntry("Other", "");
    WriteClusterFile(L"Notes", "[Configuration]\nActivate on Startup=Yes\n" + pad + other);
    RealProgram notepad(L"notepad.exe", L"Untitled - Notepad");
    ASSERT_NE(notepad.Window(), nullptr);
    OpenWindow();
    ASSERT_TRUE(WaitUntil([&] { return SameRect(WindowRect(notepad.Window()), saved); }))
        << Describe(WindowRect(notepad.Window()));
    SetWindowPos(notepad.Window(), nullptr, 30, 30, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);

    Type(L"Jottings");
    ASSERT_TRUE(IsEnabled(Item(kApply)));
    Click(Item(kApply));
    EXPECT_FALSE(FileExists(ClusterFile(L"Notes")));
    EXPECT_TRUE(FileExists(ClusterFile(L"Jottings")));
    EXPECT_EQ(Clusters(), std::vector<std::wstring>{L"Jottings"});
    EXPECT_EQ(Cue(), L"Jottings");
    EXPECT_TRUE(TooltipIs(L"Pinora (active)\nJottings"));

    SelectWindow(L"Pad");
    Type(L"Other");  // another window's name would take over its section
    EXPECT_FALSE(IsEnabled(Item(kApply)));
    Type(L"Scratch");
    ASSERT_TRUE(IsEnabled(Item(kApply)));
    Click(Item(kApply));
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Jottings")),
              Crlf("[Configuration]\nActivate on Startup=Yes\nShow in Quick Menu=No\n" + other + pad.substr(0, 1) +
                   "Scratch" + pad.substr(4, pad.size() - 5)));
    EXPECT_EQ(Windows(), (std::vector<std::wstring>{L"Scratch", L"Other"}));
    EXPECT_EQ(ListSelection(Item(kWindowList)), 0);
    EXPECT_EQ(Cue(), L"Scratch");
    EXPECT_TRUE(IsEnabled(Item(kApply)));  // still offered for rules the user edits next
    // Apply places the active clusters' windows: the renamed cluster still claims Notepad.
    EXPECT_TRUE(WaitUntil([&] { return SameRect(WindowRect(notepad.Window()), saved); }))
        << Describe(WindowRect(notepad.Window()));

    // Rules waits for the editor, but never for good; a fresh selection offers no Apply till then.
    SelectWindow(L"Scratch");
    ASSERT_FALSE(IsEnabled(Item(kApply)));
    Click(Item(kRules));
    EXPECT_FALSE(IsEnabled(Item(kRules)));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabled(Item(kApply)); }, 15000ms));
}

TEST_F(ClusterWindow, RefusedNamesDisableNewAndApplyAndARefusedRenameKeepsTheOldName) {
    WriteClusterFile(L"Work", "[Configuration]\nActivate on Startup=No\n");
    WriteClusterFile(L"Games", "[Configuration]\nActivate on Startup=No\n");
    OpenWindow();
    const std::wstring first = Clusters().front();
    const std::wstring second = Clusters().back();
    std::wstring otherInOtherCase = second;
    std::transform(otherInOtherCase.begin(), otherInOtherCase.end(), otherInOtherCase.begin(), towlower);

    for (const std::wstring& refused :
         {std::wstring(L"a[b"), std::wstring(L"x]"), std::wstring(L"a:b"), std::wstring(L"..\\up"),
          std::wstring(L"CON"), std::wstring(L"..."), std::wstring(L"Work.ini"), otherInOtherCase, second}) {
        Type(L"Fresh");
        ASSERT_TRUE(IsEnabled(Item(kNew)) && IsEnabled(Item(kApply)));
        Type(refused);
        EXPECT_FALSE(IsEnabled(Item(kNew))) << Utf8(refused);
        EXPECT_FALSE(IsEnabled(Item(kApply))) << Utf8(refused);
    }
    // An option click does not offer Apply for a refused name either.
    Click(Item(kActivateOnStartup));
    EXPECT_FALSE(IsEnabled(Item(kApply)));

    // A cluster file that appeared meanwhile makes the rename fail: the old name stays.
    WriteClusterFile(L"Taken", "[Configuration]\n");
    Type(L"Taken");
    ASSERT_TRUE(IsEnabled(Item(kApply)));
    Click(Item(kApply));
    EXPECT_EQ(Clusters(), (std::vector<std::wstring>{first, second}));
    EXPECT_EQ(SelectedCluster(), first);
    EXPECT_EQ(Cue(), first);
    EXPECT_TRUE(FileExists(ClusterFile(first)));
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Taken")), std::string("[Configuration]\r\n"));
}

// A sync client holds the file while a window is renamed: nothing of the rename is written.
TEST_F(ClusterWindow, ARenameThatCannotBeSavedIsShownAndLeavesTheFileAndTheListAsTheyWere) {
    WriteClusterFile(L"Work", "[Configuration]\n" + WindowEntry("Editor", "") + WindowEntry("Mail", ""));
    const std::optional<std::string> before = ReadFileBytes(ClusterFile(L"Work"));
    OpenWindow();
    SelectWindow(L"Editor");
    Type(L"Notes");
    ASSERT_TRUE(IsEnabled(Item(kApply)));
    {
        const std::unique_ptr<void, decltype(&CloseHandle)> held(
            CreateFileW(ClusterFile(L"Work").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            &CloseHandle);
        ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
        Click(Item(kApply));
        EXPECT_EQ(TakeMessageBox().find(L"The change could not be saved"), 0u);
    }
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Work")), before);
    EXPECT_EQ(Windows(), (std::vector<std::wstring>{L"Editor", L"Mail"}));
    EXPECT_EQ(Cue(), L"Editor");
}

TEST_F(ClusterWindow, NewRefusesANameTheFileSystemTakesForAnExistingClustersFile) {
    WriteClusterFile(L"\u00C9mail", "[Configuration]\nActivate on Startup=Yes\n");
    const std::optional<std::string> before = ReadFileBytes(ClusterFile(L"\u00C9mail"));
    OpenWindow();
    Type(L"\u00E9mail");
    ASSERT_TRUE(IsEnabled(Item(kNew)));  // the list's comparison knows no case beyond ASCII
    Click(Item(kNew));
    EXPECT_EQ(TakeMessageBox(), L"The name \"\u00E9mail\" is already taken by a cluster file.");
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"\u00C9mail")), before);
    EXPECT_EQ(Clusters(), std::vector<std::wstring>{L"\u00C9mail"});
}

}  // namespace

TEST_F(ClusterWindow, TheMonitorsBoxTiesAClusterToTheConnectedMonitorsAndSaysWhetherTheyAreConnected) {
    WriteClusterFile(L"Home", "[Configuration]\nActivate on Startup=No\n");
    WriteClusterFile(L"Office", "[Configuration]\nDisplay Setups=2560x1440@0,0 10AC:A0C4 -; 1920x1080@2560,0 - -\n");
    OpenWindow();
    SelectCluster(L"Home");
    EXPECT_EQ(CheckState(Item(kMonitorsBox)), BST_UNCHECKED);
    EXPECT_EQ(WindowText(Item(kSetupWords)), L"");

    Click(Item(kMonitorsBox));
    Click(Item(kApply));
    const std::string tied = ReadFileBytes(ClusterFile(L"Home")).value_or("");
    EXPECT_NE(tied.find("\r\nDisplay Setups=1920x1080@0,0 - \\\\?\\DISPLAY#Default_Monitor#0000&0000#{"),
              std::string::npos)
        << tied;
    EXPECT_EQ(CheckState(Item(kMonitorsBox)), BST_CHECKED);
    EXPECT_EQ(WindowText(Item(kSetupWords)), L"1 monitor: 1920\u00D71080\nconnected now");

    SelectCluster(L"Office");
    EXPECT_EQ(CheckState(Item(kMonitorsBox)), BST_INDETERMINATE);
    EXPECT_EQ(WindowText(Item(kSetupWords)), L"2 monitors: 2560\u00D71440, 1920\u00D71080\nnot connected now");

    // Unchecked, the cluster is untied and its file as it was before.
    SelectCluster(L"Home");
    Click(Item(kMonitorsBox));
    Click(Item(kApply));
    EXPECT_EQ(ReadFileBytes(ClusterFile(L"Home")),
              std::string("[Configuration]\r\nActivate on Startup=No\r\nShow in Quick Menu=No"));
}
