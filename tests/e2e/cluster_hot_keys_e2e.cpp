// A hot key per cluster: set in the Clusters pane of Cluster Management, stored in the
// cluster's file, pressed to toggle the cluster; taken combinations are refused.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "driver/controls.h"
#include "driver/driver.h"

using namespace pnrtest;

namespace {

constexpr int kClusterList = 3006, kApply = 3011, kHotKeyControl = 3017, kHotKeyNote = 3019;

bool TooltipShows(const std::wstring& text) {
    const auto shown = [&] {
        const std::vector<std::wstring> texts = TrayTooltipTexts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    return WaitUntil(shown, 3000ms);
}

class ClusterHotKey : public testing::Test {
  protected:
    void SetUp() override {
        RemoveTree(PinoraDataFolder());
        WriteClusterFile(L"Work", "[Configuration]\nActivate on Startup=No\n");
    }

    void OpenClusterManagement() {
        app_ = std::make_unique<PinoraApp>(PinoraOptions{/*resetData=*/false});
        ASSERT_TRUE(app_->Start());
        app_->Command(1006);  // Manage
        window_ = WaitForWindowOf(app_->ProcessId(), L"PinoraClusterConfigWindow");
        ASSERT_NE(window_, nullptr);
        SyncWindow(window_);
    }
    HWND Item(int id) const { return Control(window_, id); }

    std::unique_ptr<PinoraApp> app_;
    HWND window_ = nullptr;
};

}  // namespace

TEST_F(ClusterHotKey, AHotKeySetInThePaneIsStoredAndTogglesTheCluster) {
    OpenClusterManagement();
    FocusControl(Item(kHotKeyControl));
    ASSERT_EQ(FocusedControl(window_), Item(kHotKeyControl));
    PressKeys({VK_CONTROL, VK_MENU, '5'});
    SyncWindow(window_);
    Click(Item(kApply));
    const std::string file = ReadFileBytes(ClusterFolderPath() + L"\\Work.ini").value_or("");
    EXPECT_NE(file.find("\r\nHot Key=Ctrl+Alt+5"), std::string::npos) << file;

    ASSERT_TRUE(app_->Sync());  // the main thread has registered it
    PressKeys({VK_CONTROL, VK_MENU, '5'});
    EXPECT_TRUE(TooltipShows(L"Pinora (active)\nWork"));
    PressKeys({VK_CONTROL, VK_MENU, '5'});
    EXPECT_TRUE(TooltipShows(L"Pinora"));
}

// A combination taken at start is named once the cluster is shown, and the other hot keys
// work (Wine's tray shows no balloon to read). The pane's further combinations are sent as the
// control tells its window of a keystroke: a combination held elsewhere never reaches it as keys.
TEST_F(ClusterHotKey, TakenCombinationsAreNamedInThePaneAndLeaveTheOtherHotKeysWorking) {
    WriteClusterFile(L"Home", "[Configuration]\nHot Key=Ctrl+Alt+8\n");
    WriteClusterFile(L"Work", "[Configuration]\nHot Key=Ctrl+Alt+7\n");
    TestWindows otherProgram;
    ASSERT_TRUE(otherProgram.HoldHotKey(MOD_CONTROL | MOD_ALT, '7'));
    OpenClusterManagement();
    PressKeys({VK_CONTROL, VK_MENU, '8'});
    EXPECT_TRUE(TooltipShows(L"Pinora (active)\nHome"));
    SelectListItem(Item(kClusterList), 1);  // Home, Work
    EXPECT_EQ(WindowText(Item(kHotKeyNote)), L"Taken by another program");
    const std::pair<WORD, const wchar_t*> rows[] = {
        {MAKEWORD('8', HOTKEYF_CONTROL | HOTKEYF_ALT), L"Taken by the cluster \"Home\""},
        {MAKEWORD(VK_OEM_3, HOTKEYF_ALT), L"Taken: Pinora's own key for the Inspector"},
        {MAKEWORD('7', HOTKEYF_CONTROL | HOTKEYF_ALT), L"Taken by another program"},
        {MAKEWORD('9', HOTKEYF_CONTROL | HOTKEYF_ALT), L""},
    };
    for (const auto& [controlValue, note] : rows) {
        SendMessageW(Item(kHotKeyControl), HKM_SETHOTKEY, controlValue, 0);
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kHotKeyControl, EN_CHANGE),
                     reinterpret_cast<LPARAM>(Item(kHotKeyControl)));
        EXPECT_EQ(WindowText(Item(kHotKeyNote)), note);
        EXPECT_EQ(IsEnabled(Item(kApply)), note[0] == L'\0') << Utf8(note);
    }
}
