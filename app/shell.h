#pragma once
// Process-wide state of the application shell and the operations other subsystems call.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/diagnostics.h"
#include "base/ids.h"
#include "base/process.h"

// ---- Process-wide state, filled by start-up --------------------------------------------
extern HWND NotifyWindow;
extern NOTIFYICONDATAW TrayIconData;

// ---- Start-up and the notification window ------------------------------------------------
int RunPinora(HINSTANCE instance);
// Removes the window-event hooks installed at start-up; once removed, no further event is
// handled (main thread only; again later does nothing).
void RemoveWinEventHooks();
LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Display notices: monitors, power and the session ------------------------------------
// Asks the system for the notices the window does not get unasked (monitors plugged in or
// out, monitors switched off and on, the session locked and unlocked); main thread only.
void RegisterDisplayNotices(HWND window);
void UnregisterDisplayNotices();
// WM_DISPLAYCHANGE, WM_DEVICECHANGE, WM_POWERBROADCAST and WM_WTSSESSION_CHANGE.
LRESULT OnDisplayNoticeMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Opens a configuration window, or raises the one that is open (main thread only).
void OpenOrRaiseSettingsWindow();
void OpenOrRaiseClusterWindow();
void OpenOrRaiseInspectorWindow();

// ---- Tray icon ----------------------------------------------------------------------------
HICON ThemeTrayIcon();  // icon 102 on a dark taskbar, 101 otherwise
bool TaskbarUsesLightTheme();
void ShowTrayMenu();
void UpdateTrayTooltip();
// The shell's broadcast after it (re)starts, and the answer to it.
UINT TaskbarCreatedMessage();
void AddTrayIconAgain();

// ---- Settings and autostart -----------------------------------------------------------------
void WriteDefaultSettings();
bool ReadStartWithWindows(int bufferChars);
void WriteSetting(const wchar_t* key, const wchar_t* value);
void ApplyAutostart(bool enabled);

// ---- Update library -------------------------------------------------------------------------
void SetUpUpdates();
void CheckForUpdatesInteractively();
void CleanUpUpdates();

// ---- Quick Menu launcher ----------------------------------------------------------------------
struct WindowProfile;
// False when the program could not be started.
bool LaunchWindowProfile(const WindowProfile& profile);
