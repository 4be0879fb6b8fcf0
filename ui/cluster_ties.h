#pragma once
// The Clusters pane's "Only with these monitors" box and the words under it that name the
// setup the cluster is tied to.
#include <string>

#include "storage/ini_document.h"
#include "ui/cluster_window.h"

// The box and the words for the cluster's tie, read from its file; no cluster: unchecked and
// disabled, with no words.
void ShowClusterTie(const ClusterWindowState& state, const std::wstring& cluster);
// A click on the box: checked from either other state, unchecked from checked.
void StepTieBox(const ClusterWindowState& state);
// Apply: writes the tie the box asks for into the cluster's document.
void StoreClusterTie(const ClusterWindowState& state, IniDocument& document);
