#pragma once
// Each cluster's hot key, registered with the notification window (main thread only).
#include <windows.h>

enum class HotKeyReport { Quiet, TakenAtStartUp };

// Lets go of the hot keys held, then registers the one of each cluster in the map. With
// TakenAtStartUp, combinations that cannot be registered are named in a tray balloon.
void RegisterClusterHotKeys(HotKeyReport report);
void UnregisterClusterHotKeys();
// WM_HOTKEY: toggles the cluster whose hot key it is, as the tray menu does. False when the
// id is no cluster's.
bool OnClusterHotKey(WPARAM id);
