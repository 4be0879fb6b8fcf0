#include "ui/rule_rows.h"

#include <gtest/gtest.h>

#include "ui/rule_text_capture.h"

namespace {

// What the editor's controls hold for these rows, as CaptureRuleText reads them.
std::vector<std::wstring> ControlTexts(const std::vector<RuleRow>& rows) {
    std::vector<std::wstring> texts = {L"OK"};
    for (const RuleRow& row : rows) {
        texts.insert(texts.end(), {kRuleFields[row.field], kRuleNegations[row.negation],
                                   kRuleComparisons[row.comparison], L"", L"", row.value, row.joiner});
    }
    return texts;
}

struct ExpectedRow {
    size_t field, negation, comparison;
    std::wstring value, joiner;
};

void ExpectRows(const std::wstring& text, const std::vector<ExpectedRow>& expected, size_t maxRows = 64) {
    const std::vector<RuleRow> rows = RuleRowsOf(text, maxRows);
    ASSERT_EQ(rows.size(), expected.size()) << "rule: " << std::string(text.begin(), text.end());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].field, expected[i].field) << "row " << i;
        EXPECT_EQ(rows[i].negation, expected[i].negation) << "row " << i;
        EXPECT_EQ(rows[i].comparison, expected[i].comparison) << "row " << i;
        EXPECT_EQ(rows[i].value, expected[i].value) << "row " << i;
        EXPECT_EQ(rows[i].joiner, expected[i].joiner) << "row " << i;
    }
}

}  // namespace

TEST(RuleRows, EveryFieldNegationAndComparisonComesBackAsTheSameText) {
    std::wstring rule;
    size_t n = 0;
    for (const wchar_t* field : kRuleFields) {
        for (const wchar_t* negation : kRuleNegations) {
            for (const wchar_t* comparison : kRuleComparisons) {
                if (!rule.empty()) rule += n % 2 ? L" OR " : L" AND ";
                rule +=
                    std::wstring(field) + L" " + negation + L" " + comparison + L" \"v " + std::to_wstring(n++) + L"\"";
            }
        }
    }
    const std::vector<RuleRow> rows = RuleRowsOf(rule, 64);
    ASSERT_EQ(rows.size(), n);
    EXPECT_EQ(rows.back().joiner, L"+");
    EXPECT_EQ(CapturedRuleText(ControlTexts(rows)), rule);
    // An empty value keeps its quotes, or the condition would stop counting.
    EXPECT_EQ(CapturedRuleText(ControlTexts(RuleRowsOf(L"Desktop name does match \"\"", 64))),
              L"Desktop name does match \"\"");
}

TEST(RuleRows, UnknownWordsLeaveDefaultsAndTheWalkEndsWhereNoJoinerFollows) {
    ExpectRows(L"", {{0, 0, 0, L"", L"+"}});
    ExpectRows(L"  Class name  does not   contain \"a b\"  OR   Desktop name does end with \"\"",
               {{kClassField, 1, kContainComparison, L"a b", L"OR"}, {kDesktopField, 0, kEndComparison, L"", L"+"}});
    ExpectRows(L"window title does match \"x\"", {{0, 0, 0, L"", L"+"}});
    ExpectRows(L"Executable name does begin with \"unclosed AND Class name does match \"x\"",
               {{kExecutableField, 0, kBeginComparison, L"unclosed AND Class name does match ", L"+"}});
    ExpectRows(L"Window title does match \"open", {{0, 0, 0, L"", L"+"}});
    ExpectRows(L"Window title does match \"a\" XOR Class name does match \"b\"", {{0, 0, 0, L"a", L"+"}});
    ExpectRows(L"Window title does match \"a\" AND", {{0, 0, 0, L"a", L"AND"}, {0, 0, 0, L"", L"+"}});
    ExpectRows(L"Class name does match \"1\" AND Class name does match \"2\" OR Class name does match \"3\"",
               {{kClassField, 0, 0, L"1", L"AND"}, {kClassField, 0, 0, L"2", L"+"}}, 2);
}

TEST(RuleRows, SuggestionsFollowTheFieldAndComparison) {
    WindowProfile record;
    record.title = L"Inbox - Mail";
    record.exePath = L"C:\\apps\\mail.exe";
    record.className = L"MailWnd";
    record.desktop = L"Work";
    EXPECT_EQ(SuggestedRuleValue(kTitleField, kMatchComparison, record), L"Inbox - Mail");
    EXPECT_EQ(SuggestedRuleValue(kTitleField, kContainComparison, record), L"Inbox - Mail");
    EXPECT_EQ(SuggestedRuleValue(kTitleField, kBeginComparison, record), L"Inbox");
    EXPECT_EQ(SuggestedRuleValue(kTitleField, kEndComparison, record), L"Mail");
    EXPECT_EQ(SuggestedRuleValue(kExecutableField, kBeginComparison, record), L"mail.exe");
    EXPECT_EQ(SuggestedRuleValue(kClassField, kEndComparison, record), L"MailWnd");
    EXPECT_EQ(SuggestedRuleValue(kDesktopField, kMatchComparison, record), L"Work");
    record.title = L"Inbox";
    EXPECT_EQ(SuggestedRuleValue(kTitleField, kEndComparison, record), L"Inbox");
}
