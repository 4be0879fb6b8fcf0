#include "storage/profile_reading.h"

#include <utility>

#include "storage/number_text.h"

namespace {

// "x y": split at the first space; without one, both numbers come from the whole text.
std::optional<std::pair<int32_t, int32_t>> ParseNumberPair(std::wstring_view text) {
    const size_t space = text.find(L' ');
    const std::wstring_view first = space == std::wstring_view::npos ? text : text.substr(0, space);
    const std::wstring_view second = space == std::wstring_view::npos ? text : text.substr(space + 1);
    const std::optional<int32_t> a = ParseLeadingInt32(first);
    const std::optional<int32_t> b = ParseLeadingInt32(second);
    if (!a || !b) return std::nullopt;
    return std::make_pair(*a, *b);
}

CornerStyle CornerStyleFromWord(const std::wstring& word) {
    if (word == L"Round") return CornerStyle::Round;
    if (word == L"Dull") return CornerStyle::Dull;
    return CornerStyle::Sharp;
}

}  // namespace

std::vector<std::wstring> WindowEntryNames(const IniDocument& document) {
    std::vector<std::wstring> names;
    for (const auto& entry : document) {
        if (entry.first != L"Configuration") names.push_back(entry.first);
    }
    return names;
}

std::optional<WindowProfile> ReadWindowProfile(const IniDocument& document, const std::wstring& entryName) {
    const auto value = [&](const wchar_t* key, const std::wstring& fallback) {
        return IniValueOr(document, entryName, key, fallback);
    };
    const auto flag = [&](const wchar_t* key) { return value(key, L"No") == L"Yes"; };

    WindowProfile profile;
    profile.sectionName = entryName;
    profile.title = value(L"Title", L"Error");
    profile.className = value(L"Class", L"Error");
    profile.exePath = value(L"Path", L"Error");
    profile.desktop = value(L"Desktop", L"");
    profile.moveToDesktop = flag(L"Move to Desktop");
    profile.launchWithQuickMenu = flag(L"Launch with QuickMenu");
    profile.superGlue = flag(L"SuperGlue");
    profile.corners = CornerStyleFromWord(value(L"Corners", L"Round"));

    const auto position = ParseNumberPair(value(L"Position", L"Error"));
    const auto size = ParseNumberPair(value(L"Size", L"Error"));
    if (!position || !size) return std::nullopt;
    profile.position = {position->first, position->second};
    profile.size = {size->first, size->second};

    // A broken level must not cost the user the entry: it reads as the bottom level.
    profile.zLevel = ParseLeadingInt32(value(L"Z-Level", L"0")).value_or(0);
    profile.url = value(L"URL", profile.exePath);
    profile.rules = value(L"Rules", L"Error");
    return profile;
}
