#include "ui/cluster_name_check.h"

#include <algorithm>
#include <cwctype>

#include "storage/cluster_names.h"
#include "storage/ini_document.h"

namespace {

constexpr std::wstring_view kConfigurationSection = L"Configuration";
constexpr std::wstring_view kIniExtension = L".ini";

// A bracket would end or open a section header; a control character (a line break above
// all) would split it, and the keys would land in the section above.
bool HasRefusedCharacter(std::wstring_view name) {
    return std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < L' ' || c == L'[' || c == L']'; });
}

// The file system compares names without regard to case, so "work" would open "Work.ini".
bool SameFileName(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towupper(x) == std::towupper(y);
           });
}

// The value operations take a name ending in ".ini" as the file itself: "Work.ini" would
// read and write the file of the cluster "Work".
bool EndsWithIniExtension(std::wstring_view name) {
    return name.size() >= kIniExtension.size() && name.substr(name.size() - kIniExtension.size()) == kIniExtension;
}

bool IsClusterFileName(std::wstring_view name) {
    return !HasRefusedCharacter(name) && !EndsWithIniExtension(name) && IsUsableClusterName(name);
}

bool Contains(const std::vector<std::wstring>& names, std::wstring_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool CanCreateCluster(std::wstring_view name, const std::vector<std::wstring>& clusterNames) {
    if (!IsClusterFileName(name)) return false;
    return std::none_of(clusterNames.begin(), clusterNames.end(),
                        [name](const std::wstring& other) { return SameFileName(other, name); });
}

bool CanRenameCluster(std::wstring_view typed, std::wstring_view current,
                      const std::vector<std::wstring>& clusterNames) {
    if (typed.empty() || typed == current) return true;
    if (!IsClusterFileName(typed)) return false;
    // Only the cluster itself may carry the name in another case (a rename of its case).
    return std::none_of(clusterNames.begin(), clusterNames.end(),
                        [&](const std::wstring& other) { return other != current && SameFileName(other, typed); });
}

std::wstring WindowSectionName(std::wstring_view typed) {
    return std::wstring(TrimIniText(typed));
}

bool CanRenameWindow(std::wstring_view typed, std::wstring_view current, const std::vector<std::wstring>& windowNames) {
    if (typed.empty()) return true;
    // The untrimmed text: trimming would hide a line break at either end.
    if (HasRefusedCharacter(typed)) return false;
    const std::wstring section = WindowSectionName(typed);
    // A ";" hides the section header from the reader, which then reads the keys into the
    // section above; "Configuration" is the cluster's own section.
    if (section.empty() || section.find(L';') != std::wstring::npos) return false;
    if (section == kConfigurationSection) return false;
    return section == current || !Contains(windowNames, section);
}

NameButtons ButtonsForTypedName(const NameBoxState& state) {
    NameButtons buttons;
    if (state.typed.empty()) return buttons;
    buttons.newEnabled = CanCreateCluster(state.typed, state.clusterNames);
    if (!TypedNameAllowsApply(state)) {
        buttons.apply = ApplyButton::Disable;
    } else if (Contains(state.clusterNames, state.typed)) {
        buttons.apply = ApplyButton::Keep;
    } else {
        buttons.apply = state.clusterNames.empty() ? ApplyButton::Disable : ApplyButton::Enable;
    }
    return buttons;
}

bool TypedNameAllowsApply(const NameBoxState& state) {
    return state.pane == ClusterPane::Clusters ? CanRenameCluster(state.typed, state.current, state.clusterNames)
                                               : CanRenameWindow(state.typed, state.current, state.windowNames);
}
