// The Settings window driven as a user would: what it shows, when "Apply" is enabled, what
// "Apply" and "OK" store, and the folder "Browse Local Files" opens.
#include <algorithm>
#include <set>

#include "driver/controls.h"
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kConfigure = 1002;
constexpr int kOk = 6000, kBrowse = 6004, kDecoy = 6008, kDelay = 6012, kAutostart = 6016, kApply = 6020;

std::wstring SettingsFile() {
    return PinoraDataFolder() + L"\\config.ini";
}

std::wstring ReadSetting(const wchar_t* key) {
    wchar_t text[256] = {};
    GetPrivateProfileStringW(L"Settings", key, L"<missing>", text, 256, SettingsFile().c_str());
    return text;
}

std::optional<std::wstring> RunValue() {
    return ReadRegistryString(HKEY_CURRENT_USER, kRunKey, L"Pinora");
}

class SettingsWindow : public EngineScenario {
  protected:
    HWND OpenSettings() {
        App().Command(kConfigure);
        settings_ = WaitForWindowOf(App().ProcessId(), L"PinoraConfigWindow");
        return settings_;
    }
    HWND Item(int id) const { return Control(settings_, id); }
    bool ApplyEnabled() const { return IsEnabled(Item(kApply)); }
    void Type(const std::wstring& text) { SetText(Item(kDelay), text); }

    HWND settings_ = nullptr;
};

}  // namespace

TEST_F(SettingsWindow, ShowsTheStoredValuesAndEnablesApplyOnlyForAChange) {
    StartPinora();
    DeleteRegistryValue(HKEY_CURRENT_USER, kRunKey, L"Pinora");
    // Start-up has written the defaults; the window must read them without a file, too.
    ASSERT_TRUE(DeleteFileW(SettingsFile().c_str()));
    ASSERT_NE(OpenSettings(), nullptr);

    const RECT desktop = WindowRect(GetDesktopWindow());
    EXPECT_TRUE(SameRect(WindowRect(settings_), Rect((desktop.right - 258) / 2, (desktop.bottom - 167) / 2, 258, 167)))
        << Describe(WindowRect(settings_));
    EXPECT_TRUE(IsTopmost(settings_));
    EXPECT_EQ(GetWindowLongW(settings_, GWL_STYLE) & WS_THICKFRAME, 0);
    EXPECT_EQ(WindowText(Item(kOk)), L"OK");
    EXPECT_EQ(WindowText(Item(kBrowse)), L"Browse Local Files");
    EXPECT_EQ(WindowText(Item(kAutostart)), L"Start with Windows");
    EXPECT_EQ(WindowText(Item(kApply)), L"Apply");

    // The input lies inside its combo-box frame and is drawn above it, the frame above the label.
    const std::vector<HWND> children = ChildrenTopFirst(settings_);
    ASSERT_GE(children.size(), 2u);
    const HWND label = children[children.size() - 1], frame = children[children.size() - 2];
    EXPECT_EQ(ClassOf(frame), L"ComboBox");
    EXPECT_EQ(WindowText(label), L"Time Delay:        second(s)");
    EXPECT_FALSE(IsEnabled(frame));
    RECT inside = {};
    const RECT input = RectInParent(Item(kDelay)), frameRect = RectInParent(frame);
    IntersectRect(&inside, &input, &frameRect);
    EXPECT_TRUE(SameRect(inside, input)) << Describe(input) << " in " << Describe(frameRect);

    EXPECT_EQ(WindowText(Item(kDelay)), L"2");
    EXPECT_EQ(CheckState(Item(kAutostart)), BST_UNCHECKED);
    EXPECT_FALSE(ApplyEnabled());

    // The window opens with the focus on itself; a click on the one-pixel decoy above the
    // input puts the caret into the input. The first click into a display that has just
    // started can be lost: click again while the focus has not moved.
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(settings_) == settings_; }));
    EXPECT_TRUE(WaitUntil(
        [&] {
            if (FocusedControl(settings_) == settings_) ClickAt(Item(kDecoy), {5, 0});
            return FocusedControl(settings_) == Item(kDelay);
        },
        3000ms, 300ms))
        << "focus on id " << GetDlgCtrlID(FocusedControl(settings_));

    Type(L"5");
    EXPECT_TRUE(ApplyEnabled());
    Type(L"2");
    EXPECT_FALSE(ApplyEnabled());
    Click(Item(kAutostart));
    EXPECT_TRUE(ApplyEnabled());
    Type(L"");
    EXPECT_FALSE(ApplyEnabled()) << "an empty input has nothing to store";
    Type(L"2");
    EXPECT_TRUE(ApplyEnabled());
    Click(Item(kAutostart));
    EXPECT_FALSE(ApplyEnabled());

    // Pasted text that holds no number, with the box changed.
    Click(Item(kAutostart));
    Type(L"");
    Paste(Item(kDelay), L"abc");
    EXPECT_FALSE(ApplyEnabled()) << "input '" << Utf8(WindowText(Item(kDelay))) << "'";
    // An "Apply" command that reaches the disabled button anyway stores nothing.
    PostMessageW(settings_, WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), reinterpret_cast<LPARAM>(Item(kApply)));
    SyncWindow(settings_);
    EXPECT_FALSE(FileExists(SettingsFile()));

    // "OK" drops the unapplied changes and ends the window's thread.
    Type(L"7");
    ASSERT_TRUE(ApplyEnabled());
    Click(Item(kOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(settings_); }));
    EXPECT_FALSE(FileExists(SettingsFile()));
    EXPECT_FALSE(RunValue());
    // With the old window gone, "Configure" opens a fresh one.
    ASSERT_NE(OpenSettings(), nullptr);
    EXPECT_EQ(WindowText(Item(kDelay)), L"2");
}

TEST_F(SettingsWindow, ApplyStoresTheSettingsTheAutostartEntryAndTheNextPlacementsDelay) {
    const RECT saved = Rect(300, 200, 500, 350), dropped = Rect(900, 500, 320, 240);
    WriteTimeDelay(600);
    WriteCluster(L"Work", true, {{"PNR Settled", saved}});
    StartPinora();
    TestWindows helper;
    HWND window = OpenAnnounced(helper, L"PNR Settled", dropped);
    ASSERT_TRUE(WaitUntil([&] { return IsAt(window, saved); }));

    ASSERT_NE(OpenSettings(), nullptr);
    EXPECT_EQ(WindowText(Item(kDelay)), L"600");
    Click(Item(kAutostart));
    Click(Item(kApply));
    EXPECT_EQ(ReadSetting(L"Start with Windows"), L"Yes");
    EXPECT_EQ(ReadSetting(L"Time Delay"), L"600");
    EXPECT_EQ(RunValue(), L"\"" + App().ExePath() + L"\"");
    EXPECT_FALSE(ApplyEnabled());

    // A leading zero is written as typed and is the same number afterwards.
    Click(Item(kAutostart));
    Type(L"01");
    Click(Item(kApply));
    EXPECT_EQ(ReadSetting(L"Start with Windows"), L"No");
    EXPECT_EQ(ReadSetting(L"Time Delay"), L"01");
    EXPECT_FALSE(RunValue());
    Type(L"1");
    EXPECT_FALSE(ApplyEnabled());

    // A line break sent into the input by another program never starts a line of its own.
    Type(L"1\r\nStart with Windows=Yes");
    Click(Item(kAutostart));
    Click(Item(kApply));
    const std::string file = ReadFileBytes(SettingsFile()).value_or("");
    EXPECT_EQ(file.find("Start with Windows="), file.rfind("Start with Windows=")) << file;
    EXPECT_EQ(ReadSetting(L"Time Delay"), L"1");

    // The next placement waits one second, not the ten minutes it was started with.
    ASSERT_TRUE(helper.Drag(window, dropped));
    EXPECT_TRUE(WaitUntil([&] { return IsAt(window, saved); }, 6000ms)) << Describe(WindowRect(window));
}

TEST_F(SettingsWindow, BrowseLocalFilesOpensTheDataFolderInAFileManager) {
    StartPinora();
    ASSERT_NE(OpenSettings(), nullptr);
    const std::vector<HWND> shown = VisibleTopLevelWindows();
    const std::set<HWND> before(shown.begin(), shown.end());

    Click(Item(kBrowse));
    std::vector<HWND> opened;
    WaitUntil(
        [&] {
            opened.clear();
            for (HWND w : VisibleTopLevelWindows()) {
                if (!before.count(w)) opened.push_back(w);
            }
            return !opened.empty();
        },
        10000ms);
    // The folder window belongs to the file manager the shell started, not to Pinora.
    std::wstring titles;
    bool folderShown = false;
    for (HWND w : opened) {
        DWORD processId = 0;
        GetWindowThreadProcessId(w, &processId);
        titles += WindowText(w) + L"|";
        folderShown |= WindowText(w) == L"Pinora" && processId != App().ProcessId();
    }
    for (HWND w : opened) PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return std::none_of(opened.begin(), opened.end(), IsWindow); }))
        << "file manager still open";
    for (HWND w : opened) {
        if (IsWindow(w)) EndProcessOfWindow(w, 1);
    }
    EXPECT_TRUE(folderShown) << "new windows: " << Utf8(titles);
}
