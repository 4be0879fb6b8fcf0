#pragma once
// The four configuration windows: their window procedures and what they share with each
// other and with the rest of the program.
#include <windows.h>

#include <string>
#include <vector>

#include "base/guarded_value.h"
#include "engine/inspector_link.h"
#include "storage/profile.h"

LRESULT CALLBACK SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ClusterConfigWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InspectorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RulesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Outer sizes of the configuration windows.
constexpr int kSettingsWindowWidth = 258, kSettingsWindowHeight = 167;
constexpr int kClusterWindowWidth = 475, kClusterWindowHeight = 286;
constexpr int kInspectorWindowWidth = 398, kInspectorWindowHeight = 248;

// ---- Rules editor, shared by the Cluster Management and Inspector windows ----------------
// The editor's control handles: index 0 is its OK button, then seven controls per rule row
// (field, negation, comparison, frame, decoy edit, value, joiner). Empty while no editor exists.
extern GuardedValue<std::vector<HWND>>& RulesEditorControls;

// Shows the Rules editor, starting its thread when it does not exist yet.
void OpenRulesEditor();
// Closes the Rules editor, also one still being created: the window that opened it closes.
void CloseRulesEditor();
// The rule text of the editor's current rows; empty while no editor exists.
std::wstring CaptureRuleText();
// Starts the Rules editor's thread (OpenRulesEditor, when no editor exists).
void StartRulesEditorThread();

// The two halves of ShowInInspector: the Inspector window's controls (modes above 0) and
// the Rules editor's rows. Both only post to the window's own thread.
void ShowInInspectorWindow(const WindowProfile& record, int mode);
void ShowInRulesEditor(const WindowProfile& record, int mode);
