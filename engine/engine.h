#pragma once
// The window engine: live windows, rules, cluster maps, placement, animation, z-order,
// window-event reaction and virtual desktops.
#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/process.h"
#include "engine/settings_link.h"
#include "engine/executable_name.h"
#include "base/guarded_value.h"
#include "engine/move_job.h"
#include "engine/rule_match.h"
#include "storage/profile.h"

// ---- Live windows ----------------------------------------------------------------------
using LiveWindowSequence = std::vector<WindowProfile>;
// The containers are never destroyed: detached threads may still use them while the process exits.
extern GuardedValue<LiveWindowSequence>& LiveWindowList;

bool IsManageableWindow(HWND window);
std::wstring GetWindowTitleText(HWND window);
std::wstring GetWindowClassName(HWND window);
std::wstring GetWindowExecutablePath(HWND window);
HRESULT GetVisibleFrame(HWND window, RECT* frame);
bool IsMaximizedOrMinimized(HWND window);
bool IsFullscreenWindow(HWND window);
// Whether the rectangle is exactly a monitor's. The monitors are read once and kept until
// ForgetMonitorRects, which every display notice and settle pass calls.
bool EqualsAMonitor(const RECT& rect);
void ForgetMonitorRects();
// Every top-level window of this desktop, top of the stacking order first.
std::vector<HWND> TopLevelWindowsTopFirst();
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
extern GuardedValue<ClusterMapValue>& ClusterMap;
extern GuardedValue<ClusterMapValue>& ActiveClusterMap;

void UpdateClusterMap(const std::wstring& clusterName, const std::wstring& command);
// Activates the named clusters of the map as it is, without reading the files again: what
// "activate" for each name in turn gives when the files have not changed since the last
// rebuild, at the cost of none.
void ActivateClusters(const std::set<std::wstring>& clusterNames);
// The same for activating some clusters and deactivating others in one replacement of the maps.
void ChangeClusterActivation(const std::set<std::wstring>& activate, const std::set<std::wstring>& deactivate);
bool ContainsCluster(const GuardedValue<ClusterMapValue>& map, const std::wstring& name);
// A copy of one entry; an absent name gives an entry with id 0, inactive and without profiles.
ClusterEntry CopyClusterEntry(const GuardedValue<ClusterMapValue>& map, const std::wstring& name);

// ---- Placement, animation and z-order ---------------------------------------------------------
// The engine lock; its lock order is written down where it is defined.
extern std::recursive_mutex& EngineMutex;
extern GuardedValue<MoveJobMap>& MoveJobTable;
extern GuardedValue<MovingFlagMap>& MovingFlags;  // true: the animator has not let go of the window
extern std::atomic<bool> AnimatorRunning;

// Delay in seconds; 2 means the configured "Time Delay". Returns how many windows it sent on
// their way back, or found still on their way.
int ApplyProfiles(int delay);
void ScheduleMove(const WindowProfile& record, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t delaySeconds, int32_t durationMs, int32_t frameIntervalMs);
void CancelMove(HWND window);
void StopAnimator();  // the Quit command's animator stop
bool SetVisibleFrame(HWND window, int x, int y, int width, int height);
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
// True when a desktop of that name exists and the library was asked to move the window there.
bool MoveWindowToDesktopByName(const WindowProfile& profile, const std::wstring& desktopName);
