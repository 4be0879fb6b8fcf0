#include "ui/rule_text_capture.h"

#include "ui/rule_rows.h"

namespace {

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
        const size_t offset = i % kRuleRowControls;
        if (offset == kValueFrameOffset || offset == kFocusDecoyOffset) continue;
        const bool value = offset == kValueBoxOffset;
        // An empty value is still a value: without its quotes the condition would not count,
        // and the rule would match every window.
        if (controlTexts[i].empty() && !value) continue;
        const std::wstring text = value ? QuotedValue(controlTexts[i]) : controlTexts[i];
        // The last control is the last row's "+" button: it never joins the text.
        if (i + 1 < count) rule += text;
        if (i + 2 < count) rule += L' ';
    }
    return rule;
}
