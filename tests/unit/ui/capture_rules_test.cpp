#include "ui/capture_rules.h"

#include <gtest/gtest.h>

#include "engine/rule_match.h"

namespace {

WindowProfile Window(const wchar_t* title, const wchar_t* className, const wchar_t* path) {
    WindowProfile window;
    window.title = title;
    window.className = className;
    window.exePath = path;
    return window;
}

const wchar_t kBrowser[] = L"C:\\B\\browser.exe";
const wchar_t kEditor[] = L"C:\\E\\edit.exe";
const std::wstring kBrowserRule = L"Executable name does match \"browser.exe\" AND ";
const std::wstring kEditorRule = L"Executable name does match \"edit.exe\"";

bool Holds(const std::wstring& rule, WindowProfile window) {
    WindowProfile entry;
    entry.rules = rule;
    return MatchProfile(window, entry);
}

}  // namespace

// Windows in (top first, then the minimised ones that get no entry), rules out.
TEST(CaptureRules, EachRuleIsTheFirstThatTellsItsWindowApart) {
    const struct {
        std::vector<WindowProfile> windows;
        std::vector<WindowProfile> others;
        std::vector<std::wstring> rules;
    } rows[] = {
        {// Three windows of one browser, told apart by the shortest beginning that will do;
         // "News" begins both News titles, so one of them needs its whole title.
         {Window(L"Inbox - Mail - Browser", L"BrowserWin", kBrowser),
          Window(L"News - Browser", L"BrowserWin", kBrowser), Window(L"News Today - Browser", L"BrowserWin", kBrowser),
          Window(L"a.txt", L"EditWin", kEditor)},
         {},
         {kBrowserRule + L"Window title does begin with \"Inbox\"",
          kBrowserRule + L"Window title does match \"News - Browser\"",
          kBrowserRule + L"Window title does begin with \"News Today\"", kEditorRule}},
        {// One program, two kinds of window.
         {Window(L"Find", L"FindDialog", kEditor), Window(L"b.txt", L"EditWin", kEditor)},
         {},
         {kEditorRule + L" AND Class name does match \"FindDialog\"",
          kEditorRule + L" AND Class name does match \"EditWin\""}},
        {// A minimised window of the same program is kept clear of where a rule can.
         {Window(L"Report 2024.txt - Edit", L"EditWin", kEditor)},
         {Window(L"Notes.txt - Edit", L"EditWin", kEditor)},
         {kEditorRule + L" AND Window title does begin with \"Report\""}},
        {// Identical windows: the top one gets the entry, the others none.
         {Window(L"Untitled", L"EditWin", kEditor), Window(L"Untitled", L"EditWin", kEditor)},
         {},
         {kEditorRule, L""}},
        {// No rule can hold a quote: a title that only differs there is left out.
         {Window(L"Say \"hi\" - Edit", L"EditWin", kEditor), Window(L"Say - Edit", L"EditWin", kEditor)},
         {},
         {L"", kEditorRule + L" AND Window title does match \"Say - Edit\""}},
    };
    for (const auto& row : rows) {
        const std::vector<std::wstring> rules = ChooseCaptureRules(row.windows, row.others);
        EXPECT_EQ(rules, row.rules);
        for (size_t i = 0; i < rules.size(); ++i) {
            for (size_t j = 0; j < rules.size(); ++j) {
                if (rules[i].empty() || rules[j].empty()) continue;  // a window left out
                EXPECT_EQ(Holds(rules[i], row.windows[j]), i == j) << rules[i] << " on window " << j;
            }
        }
    }
}

TEST(CaptureRules, TitleBeginningsEndAtWordsWithoutTheirSeparators) {
    EXPECT_EQ(TitleBeginnings(L"Budget 2024 - Sheet | Office"),
              (std::vector<std::wstring>{L"Budget", L"Budget 2024", L"Budget 2024 - Sheet"}));
    EXPECT_EQ(TitleBeginnings(L"Inbox"), std::vector<std::wstring>{});
    EXPECT_EQ(TitleBeginnings(L"Say \"hi\" there"), std::vector<std::wstring>{L"Say"});
}
