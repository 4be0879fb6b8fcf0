#pragma once
// The four configuration windows: their window procedures and what other parts of the
// program use of them.
#include <windows.h>

#include <atomic>

#include "storage/profile.h"

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ClusterConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InspectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RulesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Outer sizes of the configuration windows.
constexpr int kSettingsWindowWidth = 258, kSettingsWindowHeight = 167;
constexpr int kClusterWindowWidth = 475, kClusterWindowHeight = 238;
constexpr int kInspectorWindowWidth = 398, kInspectorWindowHeight = 248;

// True while the Inspector window is open.
extern std::atomic<bool> InspectorOpen;
// Handle of the Rules editor window, null while it is closed.
extern std::atomic<HWND> RulesWindowHandle;

// Shows a record in the Inspector window and the Rules editor (mode 0: rule rows only).
void ShowInInspector(WindowProfile record, int mode);
