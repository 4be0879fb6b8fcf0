#pragma once
// Clusters tied to display setups: which of them the connected setup turns on and off, and
// what the Clusters pane shows and stores for a cluster's tie. Plain values.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/display_setup.h"

// The "Configuration" key that holds a cluster's setups; a cluster without it is untied.
inline constexpr wchar_t kDisplaySetupsKey[] = L"Display Setups";

struct ClusterTies {
    std::wstring cluster;
    std::vector<DisplaySetup> setups;  // empty: the cluster follows no setup
};

struct ActivationChange {
    std::set<std::wstring> activate;
    std::set<std::wstring> deactivate;
    bool empty() const { return activate.empty() && deactivate.empty(); }
};

// What the setup now connected does to the tied clusters. `previous` is the setup the rule
// last ran for, none at start-up. Untied clusters are never touched.
ActivationChange ActivationForSetup(const std::vector<ClusterTies>& clusters,
                                    const std::optional<DisplaySetup>& previous, const DisplaySetup& connected);

// The "Only with these monitors" box: checked when the cluster is tied to the connected
// setup, indeterminate when only to others.
enum class TieBox { Unchecked, Checked, OtherSetupsOnly };
TieBox TieBoxFor(const std::vector<DisplaySetup>& ties, const DisplaySetup& connected);
// The setups stored after Apply with the box in that state: checking adds the connected
// setup, unchecking unties the cluster from every setup.
std::vector<DisplaySetup> TiesAfterApply(std::vector<DisplaySetup> ties, const DisplaySetup& connected, TieBox box);

// Two lines for the Clusters pane: the setup the cluster is tied to and whether it is
// connected now; empty for an untied cluster.
std::wstring DescribeTies(const std::vector<DisplaySetup>& ties, const DisplaySetup& connected);

// Whether the tie rule has anything to decide: monitors are connected, and they are not the
// ones it last ran for (another arrangement of them is no new setup).
bool IsNewSetup(const std::optional<DisplaySetup>& previous, const DisplaySetup& connected);
