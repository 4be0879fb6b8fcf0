#pragma once
// The Rules editor's rows as text: where each control of a row sits in the editor's control
// list, the words its boxes offer, a rule text walked into rows, and the values the editor
// suggests for a window.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/profile.h"

// The editor's control list: index 0 is the OK button, then seven controls per row, at
// 7 * row + offset.
constexpr size_t kRuleRowControls = 7;
enum RuleRowOffset : size_t {
    kFieldBoxOffset = 1,
    kNegationBoxOffset,
    kComparisonBoxOffset,
    kValueFrameOffset,  // the disabled combo box drawn behind the value box
    kFocusDecoyOffset,  // the one-pixel edit that hands the focus on to the value box
    kValueBoxOffset,
    kJoinerOffset,  // "+" on the last row, "AND" or "OR" between rows
};

constexpr size_t RuleControlIndex(size_t row, size_t offset) {
    return kRuleRowControls * row + offset;
}
// The row of a control at list index 1 or above, and its offset in that row.
constexpr size_t RuleRowOf(size_t index) {
    return (index - 1) / kRuleRowControls;
}
constexpr size_t RuleOffsetOf(size_t index) {
    return index - kRuleRowControls * RuleRowOf(index);
}
// The rows of a control list: the OK button, then whole rows.
constexpr size_t RuleRowCount(size_t controls) {
    return controls == 0 ? 0 : (controls - 1) / kRuleRowControls;
}

// The words of the three boxes, in the order the boxes list them (the first is the default).
constexpr std::array<const wchar_t*, 4> kRuleFields = {L"Window title", L"Executable name", L"Class name",
                                                       L"Desktop name"};
constexpr std::array<const wchar_t*, 2> kRuleNegations = {L"does", L"does not"};
constexpr std::array<const wchar_t*, 4> kRuleComparisons = {L"match", L"contain", L"begin with", L"end with"};
enum RuleFieldIndex : size_t { kTitleField, kExecutableField, kClassField, kDesktopField };
enum RuleComparisonIndex : size_t { kMatchComparison, kContainComparison, kBeginComparison, kEndComparison };

// One condition as the editor shows it. A word the text does not hold leaves its box at the
// first word; a value without both quotes leaves the value box empty.
struct RuleRow {
    size_t field = 0;
    size_t negation = 0;
    size_t comparison = 0;
    std::wstring value;
    std::wstring joiner = L"+";
};

// Walks a rule text into rows, at least one and at most maxRows. The walk ends at the first
// place where no "AND" or "OR" follows a condition; that row's joiner is "+".
std::vector<RuleRow> RuleRowsOf(std::wstring_view ruleText, size_t maxRows);

// The value the editor proposes for a row on this window.
std::wstring SuggestedRuleValue(size_t field, size_t comparison, const WindowProfile& record);
