#include "ui/inspector_text.h"

#include "storage/number_text.h"

std::wstring DisplayName(const WindowProfile& record) {
    return record.sectionName.empty() ? record.title.substr(0, record.title.find(L' ')) : record.sectionName;
}

std::optional<int32_t> ParseGeometryNumber(std::wstring_view text) {
    const size_t digits = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (text.size() == digits) return std::nullopt;
    for (size_t i = digits; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    }
    return ParseLeadingInt32(text);
}

bool IsGlueableName(std::wstring_view name) {
    // A ";" ends a section header: the entry's keys would be read into the entry above it.
    if (name.find_first_of(L"[];") != std::wstring_view::npos) return false;
    // The file keeps section names trimmed: a name of blanks would be an empty one, and
    // "Configuration" holds the cluster's own settings, never a window.
    const size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return false;
    return name.substr(first, name.find_last_not_of(L" \t") + 1 - first) != L"Configuration";
}

std::wstring TitleRuleText(const std::wstring& title) {
    return L"Window title does match \"" + title + L"\"";
}

bool HasAddressBar(const std::wstring& exePath) {
    for (const wchar_t* name : {L"chrome.exe", L"firefox.exe", L"msedge.exe", L"brave.exe", L"explorer.exe"}) {
        if (exePath.find(name) != std::wstring::npos) return true;
    }
    return false;
}
