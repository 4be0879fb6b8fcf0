#include "storage/profile_reading.h"

#include <utility>

#include "storage/number_text.h"

namespace {

// Every key of a window entry; ReadWindowProfile reads no other.
constexpr std::wstring_view kTitle = L"Title";
constexpr std::wstring_view kClass = L"Class";
constexpr std::wstring_view kPath = L"Path";
constexpr std::wstring_view kArguments = L"Arguments";
constexpr std::wstring_view kDesktop = L"Desktop";
constexpr std::wstring_view kMoveToDesktop = L"Move to Desktop";
constexpr std::wstring_view kLaunchWithQuickMenu = L"Launch with QuickMenu";
constexpr std::wstring_view kSuperGlue = L"SuperGlue";
constexpr std::wstring_view kCorners = L"Corners";
constexpr std::wstring_view kPosition = L"Position";
constexpr std::wstring_view kSize = L"Size";
constexpr std::wstring_view kZLevel = L"Z-Level";
constexpr std::wstring_view kUrl = L"URL";
constexpr std::wstring_view kRules = L"Rules";
constexpr std::wstring_view kWindowProfileKeys[] = {
    kTitle, kClass,  kPath, kDesktop, kMoveToDesktop, kLaunchWithQuickMenu, kSuperGlue, kCorners, kPosition,
    kSize,  kZLevel, kUrl,  kRules,   kArguments};

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

bool IsWindowProfileKey(std::wstring_view key) {
    for (std::wstring_view known : kWindowProfileKeys) {
        if (key == known) return true;
    }
    return false;
}

std::vector<std::wstring> WindowEntryNames(const IniDocument& document) {
    std::vector<std::wstring> names;
    for (const auto& entry : document) {
        if (entry.first != L"Configuration") names.push_back(entry.first);
    }
    return names;
}

std::optional<WindowProfile> ReadWindowProfile(const IniDocument& document, const std::wstring& entryName) {
    const auto value = [&](std::wstring_view key, const std::wstring& fallback) {
        return IniValueOr(document, entryName, key, fallback);
    };
    const auto flag = [&](std::wstring_view key) { return value(key, L"No") == L"Yes"; };

    WindowProfile profile;
    profile.sectionName = entryName;
    profile.title = value(kTitle, L"Error");
    profile.className = value(kClass, L"Error");
    profile.exePath = value(kPath, L"Error");
    profile.arguments = value(kArguments, L"");
    profile.desktop = value(kDesktop, L"");
    profile.moveToDesktop = flag(kMoveToDesktop);
    profile.launchWithQuickMenu = flag(kLaunchWithQuickMenu);
    profile.superGlue = flag(kSuperGlue);
    profile.corners = CornerStyleFromWord(value(kCorners, L"Round"));

    const auto position = ParseNumberPair(value(kPosition, L"Error"));
    const auto size = ParseNumberPair(value(kSize, L"Error"));
    if (!position || !size) return std::nullopt;
    profile.position = {position->first, position->second};
    profile.size = {size->first, size->second};

    // A broken level must not cost the user the entry: it reads as the bottom level.
    profile.zLevel = ParseLeadingInt32(value(kZLevel, L"0")).value_or(0);
    profile.url = value(kUrl, profile.exePath);
    profile.rules = value(kRules, L"Error");
    return profile;
}
