#pragma once
// Running the real Pinora.exe from a benchmark: its cluster files, its start and its end.
#include <windows.h>

#include <string>

// Writes a cluster file (text with CRLF line ends) into this prefix's %APPDATA%\Pinora\Clusters.
void WriteBenchCluster(const std::wstring& name, const std::string& text);

// Starts Pinora.exe; false when it cannot be started.
bool LaunchPinora(const std::wstring& exe, PROCESS_INFORMATION* process);

// Pinora's notification window once its thread answers messages; null after 20 s without.
HWND WaitForNotifyWindow(DWORD processId);

// Chooses "Quit" and waits for the process to end (ending it after 10 s), then closes its handles.
void QuitPinora(PROCESS_INFORMATION& process, HWND notifyWindow);
