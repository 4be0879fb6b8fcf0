#pragma once
// The window engine: live windows, rules, cluster maps, placement, animation, z-order,
// window-event reaction and virtual desktops.
#include <windows.h>

#include <map>
#include <string>

#include "app/shell.h"
#include "engine/guarded_value.h"
#include "storage/profile.h"

// ---- Live windows ----------------------------------------------------------------------
using LiveWindowSequence = std::vector<WindowProfile>;
extern GuardedValue<LiveWindowSequence> LiveWindowList;

bool IsManageableWindow(HWND window);
std::wstring GetWindowTitleText(HWND window);
std::wstring GetWindowClassName(HWND window);
std::wstring GetWindowExecutablePath(HWND window);
HRESULT GetVisibleFrame(HWND window, RECT* frame);
bool IsMaximizedOrMinimized(HWND window);
bool IsFullscreenWindow(HWND window);
void RefreshLiveWindowList();
WindowProfile FindLiveWindow(HWND window);
WindowProfile LiveWindowAt(int index);
POINT ScreenCenteredOrigin(int width, int height);

// ---- Cluster maps ---------------------------------------------------------------------------
struct ClusterEntry {
    int32_t commandId = 0;
    bool active = false;
    std::map<std::wstring, WindowProfile> profiles;  // keyed by title, first one wins
};
using ClusterMapValue = std::map<std::wstring, ClusterEntry>;
extern GuardedValue<ClusterMapValue> ClusterMap;
extern GuardedValue<ClusterMapValue> ActiveClusterMap;

void UpdateClusterMap(const std::wstring& clusterName, const std::wstring& command);

// ---- Placement, animation and z-order ---------------------------------------------------------
void ApplyProfiles(int delay);
void StopAnimator();  // the Quit command's animator stop
void RestoreZOrder(WindowProfile record);

// ---- Window events ------------------------------------------------------------------------------
void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId, LONG childId, DWORD threadId,
                         DWORD time);

// ---- Virtual desktops -----------------------------------------------------------------------------
OsVersionNumbers ReadOsVersion();
void LoadDesktopLibrary();
void FreeDesktopLibrary();
void UnregisterDesktopHook(HWND window);
std::wstring DesktopNameOf(HWND window);
void MoveWindowToDesktopByName(const WindowProfile& profile, const std::wstring& desktopName);
