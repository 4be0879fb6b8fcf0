#include "storage/ini_document.h"

bool IsIniWhitespace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f' || c == L'\v';
}

std::wstring_view TrimIniText(std::wstring_view text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsIniWhitespace(text[first])) ++first;
    while (last > first && IsIniWhitespace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

const std::wstring* FindIniValue(const IniDocument& document, std::wstring_view section, std::wstring_view key) {
    const IniSection* found = document.Find(section);
    return found ? found->Find(key) : nullptr;
}

std::wstring IniValueOr(const IniDocument& document, std::wstring_view section, std::wstring_view key,
                        const std::wstring& fallback) {
    const std::wstring* value = FindIniValue(document, section, key);
    return value && !value->empty() ? *value : fallback;
}
