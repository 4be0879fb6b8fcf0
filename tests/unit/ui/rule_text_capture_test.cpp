#include "ui/rule_text_capture.h"

#include <gtest/gtest.h>

namespace {

// One editor row: field, negation, comparison, frame, decoy, value, joiner.
std::vector<std::wstring> Row(const std::wstring& field, const std::wstring& negation, const std::wstring& comparison,
                              const std::wstring& value, const std::wstring& joiner) {
    return {field, negation, comparison, L"", L"", value, joiner};
}

std::vector<std::wstring> Editor(std::initializer_list<std::vector<std::wstring>> rows) {
    std::vector<std::wstring> texts{L"OK"};
    for (const auto& row : rows) texts.insert(texts.end(), row.begin(), row.end());
    return texts;
}

}  // namespace

TEST(CapturedRuleText, RowsJoinWithSingleSpacesAndTheLastPlusIsLeftOut) {
    EXPECT_EQ(CapturedRuleText(Editor({Row(L"Window title", L"does", L"match", L"abc", L"+")})),
              L"Window title does match \"abc\"");
    EXPECT_EQ(CapturedRuleText(Editor({Row(L"Window title", L"does", L"contain", L"a", L"OR"),
                                       Row(L"Executable name", L"does not", L"end with", L"b.exe", L"+")})),
              L"Window title does contain \"a\" OR Executable name does not end with \"b.exe\"");
}

TEST(CapturedRuleText, ValuesLoseQuotesAndBackslashesAndEmptyBoxesAddNothing) {
    EXPECT_EQ(CapturedRuleText(Editor({Row(L"Class name", L"does", L"match", L"C:\\a \"b\"", L"+")})),
              L"Class name does match \"C:a b\"");
    // An empty box adds nothing, but an empty value is still a quoted value.
    EXPECT_EQ(CapturedRuleText(Editor({Row(L"Class name", L"", L"match", L"", L"+")})), L"Class name match \"\"");
    EXPECT_EQ(CapturedRuleText({}), L"");
    EXPECT_EQ(CapturedRuleText({L"OK"}), L"");
}
