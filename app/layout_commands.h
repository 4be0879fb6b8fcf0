#pragma once
// The tray's commands for whole layouts: "Save Open Windows…" and each cluster's "Open Missing
// Windows". Main thread only.
#include <windows.h>

#include <string>
#include <vector>

// True when the command id was one of them (and it has been carried out).
bool RunLayoutCommand(WPARAM commandId);
// Starts the program of every entry of the cluster that no window claims and that is not
// starting already, then activates the cluster. Returns the entries that could not be started.
std::vector<std::wstring> OpenMissingWindows(const std::wstring& cluster);
