#pragma once
// "Save Open Windows…": a small dialog asks for a name and saves every open window as a new
// cluster; the Cluster Management window shows the new cluster at once and offers to open a
// cluster's missing windows.
#include <vector>

#include "ui/captured_cluster.h"

struct ClusterWindowState;

// Opens the dialog on a thread of its own, or raises the one that is open (main thread).
void OpenSaveWindowsDialog();

enum class SaveOutcome { Saved, NameTaken, NameRefused, NothingOpen, NotWritten };
// Saves the open windows as the new cluster `name` in one write, never over an existing file,
// and shows it in the Cluster Management window when that is open.
SaveOutcome SaveOpenWindowsAs(const std::wstring& name);
// The open windows as the new cluster saves them: every window the engine could manage that is
// not minimised, top of the stacking order first, without Pinora's own windows and the shell's;
// each with the rule that tells it apart, windows that no rule tells apart left out.
std::vector<CapturedWindow> CaptureOpenWindows();

// ---- In the Cluster Management window (its own thread) ----
// The cluster just saved: the lists are read again and it is selected.
void ShowSavedCluster(ClusterWindowState& state);
// The Clusters pane's button: the selected cluster's missing windows are opened by the main thread.
void OnOpenMissingWindows(const ClusterWindowState& state);
// The name the last "Save Open Windows" saved under.
std::wstring LastSavedCluster();
