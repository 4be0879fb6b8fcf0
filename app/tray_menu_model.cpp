#include "app/tray_menu_model.h"

#include "base/ids.h"

namespace {

// The last id of each range: beyond it a cluster entry would carry a Quick Menu id, and a
// Quick Menu entry an id nothing handles.
constexpr uint64_t kLastClusterId = IDM_QUICKMENU_BASE - 1;
constexpr uint64_t kLastQuickMenuId = 1999;

TrayMenuItem Command(const std::wstring& text, unsigned id, bool checked = false) {
    TrayMenuItem item;
    item.text = text;
    item.id = id;
    item.checked = checked;
    return item;
}

TrayMenuItem ColumnBreak() {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::ColumnBreak;
    return item;
}

TrayMenuItem Submenu(const std::wstring& text, std::vector<TrayMenuItem> children) {
    TrayMenuItem item;
    item.kind = TrayMenuItem::Kind::Submenu;
    item.text = text;
    item.children = std::move(children);
    return item;
}

// Appends a named entry after a column break that opens the section; an empty name is
// counted as a problem instead of being shown.
void AppendSectionEntry(std::vector<TrayMenuItem>& entries, int& emptyNames, TrayMenuItem item) {
    if (item.text.empty()) {
        ++emptyNames;
        return;
    }
    if (entries.empty()) entries.push_back(ColumnBreak());
    entries.push_back(std::move(item));
}

}  // namespace

QuickMenuSection BuildQuickMenuSection(const std::vector<Cluster>& clusters) {
    QuickMenuSection section;
    if (clusters.empty()) return section;
    section.hasIds = true;
    // Every listed cluster uses up its number, shown in the Quick Menu or not.
    for (size_t n = 1; n <= clusters.size(); ++n) {
        const Cluster& cluster = clusters[n - 1];
        if (cluster.showInQuickMenu) section.ids[cluster.name] = IDM_QUICKMENU_BASE + n;
    }
    for (const auto& [name, id] : section.ids) {
        if (id > kLastQuickMenuId) continue;
        AppendSectionEntry(section.entries, section.emptyNameCount, Command(name, static_cast<unsigned>(id)));
    }
    return section;
}

ClusterSubmenuSection BuildClusterSubmenuSection(const std::vector<std::wstring>& listedNames,
                                                 const ClusterMenuStates& clusterMap) {
    ClusterSubmenuSection section;
    if (listedNames.empty()) return section;
    // Ids follow the listing; map entries whose file is no longer listed are left out.
    ClusterMenuStates shown;
    for (size_t n = 1; n <= listedNames.size(); ++n) {
        auto it = clusterMap.find(listedNames[n - 1]);
        if (it == clusterMap.end()) continue;
        ClusterMenuState state = it->second;
        state.commandId = static_cast<int32_t>(IDM_CLUSTER_BASE + n);
        shown[it->first] = state;
    }
    for (const auto& [name, state] : shown) {
        if (static_cast<uint64_t>(state.commandId) > kLastClusterId) continue;
        AppendSectionEntry(section.entries, section.emptyNameCount,
                           Command(name, static_cast<unsigned>(state.commandId), state.active));
        if (!name.empty()) {
            const auto n = static_cast<unsigned>(state.commandId) - IDM_CLUSTER_BASE;
            section.openMissing.push_back(Command(name, IDM_OPEN_MISSING_BASE + n));
        }
    }
    return section;
}

std::vector<TrayMenuItem> AssembleTrayMenu(const QuickMenuSection& quickMenu, const ClusterSubmenuSection& clusters) {
    std::vector<TrayMenuItem> clusterMenu = {Command(L"Manage", IDM_MANAGE),
                                             Command(L"Save Open Windows\u2026", IDM_SAVE_OPEN_WINDOWS)};
    if (!clusters.openMissing.empty()) clusterMenu.push_back(Submenu(L"Open Missing Windows", clusters.openMissing));
    clusterMenu.insert(clusterMenu.end(), clusters.entries.begin(), clusters.entries.end());

    std::vector<TrayMenuItem> root = {Submenu(L"Clusters", std::move(clusterMenu))};
    root.insert(root.end(), quickMenu.entries.begin(), quickMenu.entries.end());
    root.push_back(ColumnBreak());
    root.push_back(Submenu(L"Options", {Command(L"Help", IDM_HELP), Command(L"About", IDM_ABOUT),
                                        Command(L"Check for Updates", IDM_CHECK_UPDATES), ColumnBreak(),
                                        Command(L"Configure", IDM_CONFIGURE)}));
    root.push_back(Command(L"Quit", IDM_QUIT));
    return root;
}

bool ClusterMapMatchesListing(const std::vector<std::wstring>& listedNames, const ClusterMenuStates& clusterMap) {
    if (listedNames.size() != clusterMap.size()) return false;
    for (size_t n = 1; n <= listedNames.size(); ++n) {
        auto it = clusterMap.find(listedNames[n - 1]);
        if (it == clusterMap.end() || static_cast<size_t>(it->second.commandId) != IDM_CLUSTER_BASE + n) return false;
    }
    return true;
}
