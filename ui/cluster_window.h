#pragma once
// The Cluster Management window's state and the pieces its commands share with the window.
// Everything here runs on the window's own thread.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "storage/hot_key_text.h"
#include "ui/cluster_name_check.h"

// Lives on the stack of the window's creation, which also runs the window's message loop,
// so it exists exactly as long as the window can receive messages.
struct ClusterWindowState {
    HWND window = nullptr;
    HWND optionsLabel = nullptr;  // " Cluster Config " or " Window Config "
    HWND decoyEdit = nullptr;     // the one-pixel edit behind the name box
    ClusterPane pane = ClusterPane::Clusters;
    bool deleteArmed = false;
    bool programSetsName = false;  // the name box changes, but not by the user's typing
    std::optional<HotKey> hotKey;  // the Clusters pane's, as shown
    bool hotKeyEdited = false;     // changed since it was read from the file
    bool hotKeyRefused = false;    // taken: the note says by what
};

// ---- Controls (cluster_window_win.cpp) -------------------------------------------------------
HWND Item(const ClusterWindowState& state, int id);
std::wstring ControlText(HWND control);  // at most 255 characters, as every text read here
std::wstring CueBannerOf(HWND edit);
void SetCueBanner(HWND edit, const std::wstring& text);
std::wstring SelectedItemText(HWND list);  // empty when nothing is selected
std::vector<std::wstring> ListItemTexts(HWND list);
void EnableItem(const ClusterWindowState& state, int id, bool enabled);
void SetChecked(const ClusterWindowState& state, int id, bool checked);
bool IsChecked(const ClusterWindowState& state, int id);
// The selected item's name becomes the cue banner; the name box is emptied, which offers
// nothing to create, and Apply is set as the caller says.
void ShowCurrentName(ClusterWindowState& state, const std::wstring& name, ApplyButton apply = ApplyButton::Disable);

// Empties the list, then adds the items (enabling the list when there are any); selects nothing.
void FillList(HWND list, const std::vector<std::wstring>& items);
void RefreshClusterManagement(HWND window);
// Refills the Windows list from the cluster file and selects the first window; returns the count.
size_t FillWindowList(const ClusterWindowState& state, const std::wstring& cluster);
// What a selection in the Clusters or Windows list does (the list's selection is already set).
void ShowSelectedCluster(ClusterWindowState& state);
void ShowSelectedWindow(ClusterWindowState& state);
void SwitchToClustersPane(ClusterWindowState& state);
void DisarmDelete(ClusterWindowState& state);

// ---- Commands (cluster_actions_win.cpp) -------------------------------------------------------
void OnNameChanged(ClusterWindowState& state);
void OnOptionClick(ClusterWindowState& state, int id);
void OnNew(ClusterWindowState& state);
void OnRules(ClusterWindowState& state);
void OnDelete(ClusterWindowState& state);
void OnApply(ClusterWindowState& state);
