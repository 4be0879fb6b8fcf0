#include "ui/rule_text_capture.h"

namespace {

constexpr size_t kControlsPerRow = 7;
constexpr size_t kFrameOffset = 4;  // the disabled frame behind a value box
constexpr size_t kDecoyOffset = 5;  // the one-pixel edit that hands the focus on
constexpr size_t kValueOffset = 6;  // the value box (index 0 is the OK button)

// Quotes end a value, and backslashes have no meaning in rule texts: both are dropped.
std::wstring QuotedValue(const std::wstring& text) {
    std::wstring value = L"\"";
    for (wchar_t c : text) {
        if (c != L'\\' && c != L'"') value += c;
    }
    return value + L"\"";
}

}  // namespace

std::wstring CapturedRuleText(const std::vector<std::wstring>& controlTexts) {
    const size_t count = controlTexts.size();
    std::wstring rule;
    for (size_t i = 1; i < count; ++i) {
        const size_t offset = i % kControlsPerRow;
        if (offset == kFrameOffset || offset == kDecoyOffset) continue;
        if (controlTexts[i].empty()) continue;
        const std::wstring text = offset == kValueOffset ? QuotedValue(controlTexts[i]) : controlTexts[i];
        // The last control is the last row's "+" button: it never joins the text.
        if (i + 1 < count) rule += text;
        if (i + 2 < count) rule += L' ';
    }
    return rule;
}
