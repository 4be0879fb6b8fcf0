#include "storage/number_text.h"

namespace {

bool IsSpaceChar(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f' || c == L'\v';
}

}  // namespace

std::optional<int32_t> ParseLeadingInt32(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpaceChar(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    const size_t firstDigit = i;
    int64_t magnitude = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > limit) return std::nullopt;
    }
    if (i == firstDigit) return std::nullopt;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
