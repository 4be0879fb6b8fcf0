#pragma once
// Which names the Cluster Management window accepts in its name box. A cluster name becomes a
// file name in the clusters folder; a window name becomes a section name in a cluster file.
#include <string>
#include <string_view>
#include <vector>

enum class ClusterPane { Clusters, Windows };

// What the typed name does to the Apply button: some names leave it as it was.
enum class ApplyButton { Enable, Disable, Keep };

struct NameBoxState {
    std::wstring typed;                      // the name box's text: the proposed new name
    std::wstring current;                    // its cue banner: the selected item's name
    std::vector<std::wstring> clusterNames;  // the Clusters list
    std::vector<std::wstring> windowNames;   // the Windows list
    ClusterPane pane = ClusterPane::Clusters;
};

struct NameButtons {
    bool newEnabled = false;
    ApplyButton apply = ApplyButton::Disable;
};

bool CanCreateCluster(std::wstring_view name, const std::vector<std::wstring>& clusterNames);
// An empty typed name keeps the current name and is always acceptable.
bool CanRenameCluster(std::wstring_view typed, std::wstring_view current,
                      const std::vector<std::wstring>& clusterNames);
bool CanRenameWindow(std::wstring_view typed, std::wstring_view current, const std::vector<std::wstring>& windowNames);
// The section a typed window name is stored under (the cluster files trim section names).
std::wstring WindowSectionName(std::wstring_view typed);

// New and Apply while the user types.
NameButtons ButtonsForTypedName(const NameBoxState& state);
// Whether Apply may be offered for the active pane (after an option click or Rules).
bool TypedNameAllowsApply(const NameBoxState& state);
