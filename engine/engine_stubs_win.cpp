// Placeholders for the engine operations that start-up and the notification window call,
// until each one is built. They behave as a system with no clusters and no windows.
#include "engine/engine.h"

GuardedValue<LiveWindowSequence> LiveWindowList;
GuardedValue<ClusterMapValue> ClusterMap;
GuardedValue<ClusterMapValue> ActiveClusterMap;

void RefreshLiveWindowList() {}
WindowProfile FindLiveWindow(HWND) {
    return {};
}
WindowProfile LiveWindowAt(int) {
    return {};
}
void UpdateClusterMap(const std::wstring&, const std::wstring&) {}
void LoadDesktopLibrary() {}
void FreeDesktopLibrary() {}
void UnregisterDesktopHook(HWND) {}
std::wstring DesktopNameOf(HWND) {
    return {};
}
void MoveWindowToDesktopByName(const WindowProfile&, const std::wstring&) {}
