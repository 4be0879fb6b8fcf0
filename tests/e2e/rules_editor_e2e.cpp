// The Rules editor, driven as a user would: opened from the Cluster Management window on a
// saved window and from the Inspector on the window in front; checked by its rows, its size and
// the rule texts the two windows write from it.
#include "engine_scenario.h"

using namespace pnrtest;

namespace {

constexpr UINT kManage = 1006;
constexpr int kWindowList = 3007, kClusterRules = 3009, kApply = 3011, kClusterOk = 3012;
constexpr int kInspectorX = 4016, kGlue = 4032, kInspectorRules = 4036;
constexpr int kEditorOk = 5000;
enum RowOffset { kField = 1, kNegation, kComparison, kFrame, kDecoy, kValue, kJoiner };

const wchar_t kMailRule[] =
    L"Window title does begin with \"Inbox\" AND Executable name does not end with \"mail.exe\" OR Class name does "
    L"contain \"Mail\"";

// Control n of the editor's list has the id 5000 + 4n: OK is control 0, then seven per row.
HWND RowControl(HWND editor, int row, int offset) {
    return Control(editor, kEditorOk + 4 * (7 * row + offset));
}

int RowCount(HWND editor) {
    int rows = 0;
    while (RowControl(editor, rows, kField)) ++rows;
    return rows;
}

// A row as the user reads it: field, negation, comparison, value and joiner.
std::vector<std::wstring> Row(HWND editor, int row) {
    return {ComboSelectionText(RowControl(editor, row, kField)), ComboSelectionText(RowControl(editor, row, kNegation)),
            ComboSelectionText(RowControl(editor, row, kComparison)), WindowText(RowControl(editor, row, kValue)),
            WindowText(RowControl(editor, row, kJoiner))};
}

// One row or more: centred for one row and growing downwards, with OK below the last row.
void ExpectFramedFor(HWND editor, int rows) {
    const RECT desktop = WindowRect(GetDesktopWindow());
    const int below = 28 * (rows - 1);
    EXPECT_TRUE(
        SameRect(WindowRect(editor), Rect((desktop.right - 511) / 2, (desktop.bottom - 111) / 2, 511, 111 + below)))
        << Describe(WindowRect(editor)) << " for " << rows << " rows";
    EXPECT_TRUE(SameRect(RectInParent(Control(editor, kEditorOk)), Rect(393, 38 + below, 91, 23)))
        << Describe(RectInParent(Control(editor, kEditorOk)));
    EXPECT_EQ(RectInParent(RowControl(editor, rows - 1, kField)).top, 28 * (rows - 1) + 8);
}

std::wstring SavedRule(const std::wstring& cluster, const std::wstring& entry) {
    wchar_t rule[1024] = {};
    GetPrivateProfileStringW(entry.c_str(), L"Rules", L"", rule, 1024,
                             (ClusterFolderPath() + L"\\" + cluster + L".ini").c_str());
    return rule;
}

// Apply reads the editor by sent messages, during which the window answers the driver's sync
// before it has written anything: the file is waited for.
void ExpectApplyWrites(HWND manage, const std::wstring& rule) {
    Click(Control(manage, kApply));
    EXPECT_TRUE(WaitUntil([&] { return SavedRule(L"Work", L"Mail") == rule; })) << Utf8(SavedRule(L"Work", L"Mail"));
}

class RulesEditor : public EngineScenario {
  protected:
    HWND WaitForEditor() const { return WaitForWindowOf(app_->ProcessId(), L"PinoraRulesWindow"); }

    HWND OpenClusterManagement() {
        App().Command(kManage);
        HWND window = WaitForWindowOf(App().ProcessId(), L"PinoraClusterConfigWindow");
        if (window) SyncWindow(window);
        return window;
    }

    HWND OpenInspectorWithHotKey() {
        PressKeys({VK_MENU, VK_OEM_3});
        return WaitForWindowOf(App().ProcessId(), L"PinoraWindow");
    }
};

TEST_F(RulesEditor, FromClusterManagementTheRowsComeBackAsTheRuleAndJoinersAddAndDeleteRows) {
    WriteClusterFile(L"Work",
                     "[Configuration]\nActivate on Startup=No\n[Mail]\nTitle=Inbox - Mail\nClass=MailWnd\n"
                     "Path=C:\\apps\\mail.exe\nPosition=10 10\nSize=300 200\nRules=" +
                         Utf8(kMailRule) + "\n");
    StartPinora();
    const int threadsBefore = ThreadCountOf(App().ProcessId());
    HWND manage = OpenClusterManagement();
    ASSERT_NE(manage, nullptr);
    SelectListItem(Control(manage, kWindowList), 0);
    Click(Control(manage, kClusterRules));
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return RowCount(editor) == 3; })) << RowCount(editor);
    EXPECT_EQ(WindowText(editor), L"Rules");
    EXPECT_TRUE(IsTopmost(editor));
    EXPECT_EQ(GetWindowLongW(editor, GWL_STYLE) & WS_THICKFRAME, 0);
    ExpectFramedFor(editor, 3);
    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(Row(editor, 0), (Texts{L"Window title", L"does", L"begin with", L"Inbox", L"AND"}));
    EXPECT_EQ(Row(editor, 1), (Texts{L"Executable name", L"does not", L"end with", L"mail.exe", L"OR"}));
    EXPECT_EQ(Row(editor, 2), (Texts{L"Class name", L"does", L"contain", L"Mail", L"+"}));
    // The message that hands the editor a record, posted by another program with no record of
    // Pinora's behind it, is ignored: nothing is freed or shown, and Pinora runs on.
    PostMessageW(editor, WM_USER + 101, 0x12345678, 2);
    SyncWindow(editor);
    EXPECT_TRUE(App().IsRunning());
    EXPECT_EQ(RowCount(editor), 3);

    // "+" adds a fourth row below the third; Apply writes every row back as the rule.
    Click(RowControl(editor, 2, kJoiner));
    ASSERT_EQ(RowCount(editor), 4);
    EXPECT_EQ(WindowText(RowControl(editor, 2, kJoiner)), L"AND");
    ExpectFramedFor(editor, 4);
    // The new row's one-pixel edit hands a click on to the value box of its own row. The first
    // click into a display that has just started can be lost: click again while nothing moved.
    EXPECT_TRUE(WaitUntil(
        [&] {
            ClickAt(RowControl(editor, 3, kDecoy), {5, 0});
            return FocusedControl(editor) == RowControl(editor, 3, kValue);
        },
        3000ms, 300ms))
        << "focus on id " << GetDlgCtrlID(FocusedControl(editor));
    SelectComboItem(RowControl(editor, 3, kField), 3);
    SelectComboItem(RowControl(editor, 3, kNegation), 1);
    SetText(RowControl(editor, 3, kValue), L"Main \"desk\\\"");
    SyncWindow(editor);
    EXPECT_EQ(Row(editor, 3), (Texts{L"Desktop name", L"does not", L"match", L"Main \"desk\\\"", L"+"}));
    ExpectApplyWrites(manage, std::wstring(kMailRule) + L" AND Desktop name does not match \"Main desk\"");

    // A joiner steps "AND", "OR", then offers its delete: a click then deletes the row below.
    HWND joiner = RowControl(editor, 0, kJoiner);
    Click(joiner);
    EXPECT_EQ(WindowText(joiner), L"OR");
    Click(joiner);
    const std::wstring offer = WindowText(joiner);
    EXPECT_TRUE(offer == L"DEL" || offer == L"?") << Utf8(offer);
    Click(joiner);
    SyncWindow(editor);
    ASSERT_EQ(RowCount(editor), 3);
    EXPECT_FALSE(IsWindow(joiner));
    EXPECT_EQ(Row(editor, 0), (Texts{L"Window title", L"does", L"begin with", L"Inbox", L"OR"}));
    EXPECT_EQ(Row(editor, 1), (Texts{L"Class name", L"does", L"contain", L"Mail", L"AND"}));
    ExpectFramedFor(editor, 3);
    ExpectApplyWrites(manage,
                      L"Window title does begin with \"Inbox\" OR Class name does contain \"Mail\" AND "
                      L"Desktop name does not match \"Main desk\"");

    // An offer not taken ends as "AND", with every row kept.
    joiner = RowControl(editor, 0, kJoiner);
    Click(joiner);
    EXPECT_EQ(WindowText(joiner), L"DEL");
    EXPECT_TRUE(WaitUntil([&] { return WindowText(joiner) == L"AND"; }, 8000ms)) << Utf8(WindowText(joiner));
    EXPECT_EQ(RowCount(editor), 3);

    // OK on a saved rule closes the editor; opened again, it closes with the window that opened it.
    Click(Control(editor, kEditorOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    SelectListItem(Control(manage, kWindowList), 0);
    Click(Control(manage, kClusterRules));
    editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return RowCount(editor) == 3; })) << RowCount(editor);
    Click(Control(manage, kClusterOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(manage) && !IsWindow(editor); }));
    // Every thread the two windows and the delete offers ran on has ended with them.
    EXPECT_TRUE(WaitUntil([&] { return ThreadCountOf(App().ProcessId()) <= threadsBefore; }, 8000ms))
        << ThreadCountOf(App().ProcessId()) << " threads, " << threadsBefore << " before";
}

// Notepad, a real program, gives the first suggestions; then a helper window brought to the
// front is followed by the Inspector and, through it, by the editor.
TEST_F(RulesEditor, FromTheInspectorValuesFollowTheWindowInFrontAndGlueWritesTheEditedRows) {
    WriteCluster(L"Solo", false, {});
    StartPinora();
    WineProgram notepad(L"notepad.exe");
    HWND pad = notepad.WaitForWindow(L"Notepad");
    ASSERT_NE(pad, nullptr);
    SetForegroundWindow(pad);
    HWND inspector = OpenInspectorWithHotKey();
    ASSERT_NE(inspector, nullptr);
    Click(Control(inspector, kInspectorRules));
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(RowCount(editor), 1);
    ExpectFramedFor(editor, 1);
    const std::wstring title = WindowText(pad);
    HWND value = RowControl(editor, 0, kValue);
    EXPECT_EQ(WindowText(value), title);
    EXPECT_EQ(CueBanner(value), title);

    // The value still holds the title suggestion: the executable name replaces it.
    SelectComboItem(RowControl(editor, 0, kField), 1);
    EXPECT_EQ(WindowText(value), L"notepad.exe");

    TestWindows helper;
    HWND other = helper.Open(L"PNR Other window", Rect(300, 200, 400, 300));
    helper.Activate(other);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(value) == L"pnr_testwin.exe"; })) << Utf8(WindowText(value));

    // A new row proposes the title; a typed value stays when the comparison changes.
    Click(RowControl(editor, 0, kJoiner));
    ASSERT_EQ(RowCount(editor), 2);
    HWND typed = RowControl(editor, 1, kValue);
    EXPECT_EQ(WindowText(typed), L"PNR Other window");
    SetText(typed, L"Other");
    SelectComboItem(RowControl(editor, 1, kComparison), 2);
    EXPECT_EQ(WindowText(typed), L"Other");
    EXPECT_EQ(CueBanner(typed), L"PNR");

    // OK on a window without rules only hides the editor: Glue still reads its rows.
    Click(Control(editor, kEditorOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }));
    EXPECT_TRUE(IsWindow(editor));
    Click(Control(inspector, kGlue));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(inspector); }));
    EXPECT_EQ(SavedRule(L"Solo", L"PNR"),
              L"Executable name does match \"pnr_testwin.exe\" AND Window title does begin with \"Other\"");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
}

// The Inspector on a saved window shows its rule; the window's own events do not undo an edit.
TEST_F(RulesEditor, ASavedWindowThatMovesKeepsTheRowsTheUserEdited) {
    WriteCluster(L"Work", false, {{"PNR Saved", Rect(100, 100, 400, 300)}});
    StartPinora();
    TestWindows helper;
    HWND saved = helper.Open(L"PNR Saved", Rect(100, 100, 400, 300));
    helper.Activate(saved);
    HWND inspector = OpenInspectorWithHotKey();
    ASSERT_NE(inspector, nullptr);
    Click(Control(inspector, kInspectorRules));
    HWND editor = WaitForEditor();
    ASSERT_NE(editor, nullptr);
    using Texts = std::vector<std::wstring>;
    EXPECT_EQ(Row(editor, 0), (Texts{L"Window title", L"does", L"match", L"PNR Saved", L"+"}));
    SelectComboItem(RowControl(editor, 0, kComparison), 2);
    EXPECT_EQ(WindowText(RowControl(editor, 0, kValue)), L"PNR");

    helper.Move(saved, Rect(300, 250, 400, 300));
    EXPECT_TRUE(WaitUntil([&] { return CueBanner(Control(inspector, kInspectorX)) == L"300"; }));
    EXPECT_EQ(Row(editor, 0), (Texts{L"Window title", L"does", L"begin with", L"PNR", L"+"}));
}

}  // namespace
