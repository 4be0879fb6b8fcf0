#pragma once
// Process-wide values every subsystem reads: the instance, the application-data paths and
// the OS version. Start-up fills them once, before any other thread exists.
#include <windows.h>

#include <string>

extern HINSTANCE AppInstance;
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

// Names the calling thread (the call is resolved at run time; older systems lack it).
void NameCurrentThread(const wchar_t* name);
