#pragma once
// The tray menu as plain data, built from the cluster catalogue and the cluster map, so that
// its entries, ids and check marks can be checked without showing a menu.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "storage/catalogue.h"

struct TrayMenuItem {
    enum class Kind { Command, Submenu, ColumnBreak };
    Kind kind = Kind::Command;
    std::wstring text;
    unsigned id = 0;
    bool checked = false;
    std::vector<TrayMenuItem> children;  // entries of a submenu
};

// What the menu needs of one cluster-map entry.
struct ClusterMenuState {
    int32_t commandId = 0;
    bool active = false;
};
using ClusterMenuStates = std::map<std::wstring, ClusterMenuState>;
using QuickMenuIds = std::map<std::wstring, uint64_t>;

// The root's Quick Menu entries. `ids` is absent when there are no clusters at all: the
// previous ids are then kept. `emptyNameCount` counts the "Problem appending clusters" boxes.
struct QuickMenuSection {
    bool hasIds = false;
    QuickMenuIds ids;
    std::vector<TrayMenuItem> entries;
    int emptyNameCount = 0;
};

// The cluster entries of the "Clusters" submenu after "Manage"; `emptyNameCount` counts the
// "Problem loading all clusters" boxes. `openMissing` holds the same clusters, in the same
// order, for the "Open Missing Windows" submenu.
struct ClusterSubmenuSection {
    std::vector<TrayMenuItem> entries;
    std::vector<TrayMenuItem> openMissing;
    int emptyNameCount = 0;
};

QuickMenuSection BuildQuickMenuSection(const std::vector<Cluster>& clusters);
ClusterSubmenuSection BuildClusterSubmenuSection(const std::vector<std::wstring>& listedNames,
                                                 const ClusterMenuStates& clusterMap);
// The root menu in its final order, with the two sections in place.
std::vector<TrayMenuItem> AssembleTrayMenu(const QuickMenuSection& quickMenu, const ClusterSubmenuSection& clusters);

// True when cluster n of the listing carries id 1006 + n in the map and the map holds no
// other cluster, that is, when the ids shown in the menu are the ids the commands look up.
bool ClusterMapMatchesListing(const std::vector<std::wstring>& listedNames, const ClusterMenuStates& clusterMap);
