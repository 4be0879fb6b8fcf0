#pragma once
// The running copy's side of the command line: commands from other copies of Pinora.exe arrive
// as WM_COPYDATA at the notification window. Main thread only.
#include <windows.h>

// Lets the commands through the system's message filter and starts carrying them out; called
// once start-up is over (until then they are answered "not ready").
void StartTakingCommands(HWND notifyWindow);
LRESULT OnCommandData(const COPYDATASTRUCT* data);
