#pragma once
// Process-wide state of the application shell and the operations other subsystems call.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/diagnostics.h"
#include "app/ids.h"

// ---- Process-wide state, filled by start-up --------------------------------------------
extern HINSTANCE AppInstance;
extern HWND NotifyWindow;
extern NOTIFYICONDATAW TrayIconData;
extern wchar_t AppDataPath[MAX_PATH];  // roaming application-data folder, empty when unknown

struct OsVersionNumbers {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
};
extern OsVersionNumbers OsVersion;
extern bool IsWindows11;

std::wstring AppDataRoot();       // AppDataPath + "\Pinora"
std::wstring ClusterFolder();     // AppDataRoot + "\Clusters"
std::wstring SettingsFilePath();  // AppDataRoot + "\config.ini"

// ---- Start-up and the notification window ------------------------------------------------
int RunPinora(HINSTANCE instance);
LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Names the calling thread (the call is resolved at run time; older systems lack it).
void NameCurrentThread(const wchar_t* name);

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
int ReadTimeDelay();
void WriteSetting(const wchar_t* key, const wchar_t* value);
void ApplyAutostart(bool enabled);

// ---- Update library -------------------------------------------------------------------------
void SetUpUpdates();
void CheckForUpdatesInteractively();
void CleanUpUpdates();

// ---- Quick Menu launcher ----------------------------------------------------------------------
struct WindowProfile;
void LaunchWindowProfile(const WindowProfile& profile);
