#include "ui/inspector_text.h"

#include <algorithm>

#include "engine/rule_match.h"
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

bool IsGlueableGeometry(const std::array<std::wstring, 5>& texts) {
    std::array<std::optional<int32_t>, 5> numbers;
    for (size_t i = 0; i < texts.size(); ++i) {
        numbers[i] = ParseGeometryNumber(texts[i]);
        if (!numbers[i]) return false;
    }
    // A frame of no width or height would shrink the window to its smallest at every placement.
    constexpr size_t kWidth = 2, kHeight = 3;
    return *numbers[kWidth] > 0 && *numbers[kHeight] > 0;
}

bool IsGlueableName(std::wstring_view name) {
    // A ";" ends a section header: the entry's keys would be read into the entry above it. A
    // control character (a line break above all) would split the header or hide in it.
    if (name.find_first_of(L"[];") != std::wstring_view::npos) return false;
    if (std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < L' '; })) return false;
    // The file keeps section names trimmed: a name of blanks would be an empty one, and
    // "Configuration" holds the cluster's own settings, never a window.
    const size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return false;
    return name.substr(first, name.find_last_not_of(L" \t") + 1 - first) != L"Configuration";
}

bool BelongsToAnotherWindow(const IniDocument& cluster, std::wstring_view name, const WindowProfile& window) {
    if (!cluster.Has(name)) return false;
    // Read as the loader reads it: an entry without a rule recognises no window at all.
    WindowProfile entry;
    entry.rules = IniValueOr(cluster, name, L"Rules", L"Error");
    WindowProfile candidate = window;
    return !MatchProfile(candidate, entry);
}

std::wstring TitleRuleText(const std::wstring& title) {
    // A quote would end the rule's value early and a line break would end the rule's line:
    // such a title is recognised by its longest stretch without either, anchored where it can be.
    constexpr std::wstring_view kUnquotable = L"\"\r\n";
    const std::wstring_view text = title;
    if (text.find_first_of(kUnquotable) == std::wstring_view::npos) {
        return L"Window title does match \"" + title + L"\"";
    }
    size_t bestStart = 0, bestLength = 0;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find_first_of(kUnquotable, start), text.size());
        if (end - start > bestLength) bestStart = start, bestLength = end - start;
        start = end + 1;
    }
    const std::wstring part(text.substr(bestStart, bestLength));
    // A title of nothing but quotes and line breaks has no part to quote. Any rule that would
    // hold for it would hold for every window too, so the rule asks for an empty title instead:
    // the entry then claims no window rather than all of them.
    if (part.empty()) return L"Window title does match \"\"";
    if (bestStart == 0) return L"Window title does begin with \"" + part + L"\"";
    if (bestStart + bestLength == text.size()) return L"Window title does end with \"" + part + L"\"";
    return L"Window title does contain \"" + part + L"\"";
}

bool HasAddressBar(const std::wstring& exePath) {
    for (const wchar_t* name : {L"chrome.exe", L"firefox.exe", L"msedge.exe", L"brave.exe", L"explorer.exe"}) {
        if (exePath.find(name) != std::wstring::npos) return true;
    }
    return false;
}
