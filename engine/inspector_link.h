#pragma once
// What the engine needs of the configuration windows at run time. The configuration
// windows define these; the engine only reads the flags and hands records over.
#include <windows.h>

#include <atomic>

#include "storage/profile.h"

// True while the Inspector window is open.
extern std::atomic<bool> InspectorOpen;
// Handle of the Rules editor window, null while it is closed.
extern std::atomic<HWND> RulesWindowHandle;

// Shows a record in the Inspector window and the Rules editor (mode 0: rule rows only).
// The animator calls it while holding the engine lock: it only posts, never sends or waits.
void ShowInInspector(WindowProfile record, int mode);
