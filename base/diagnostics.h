#pragma once
// Diagnostic lines: fixed English texts ending in "\n", written to the debugger output only
// while DebugOutputEnabled is true. Nothing in the program sets the flag; change its
// initial value to switch diagnostics on.
#include <cstdint>
#include <string>

extern bool DebugOutputEnabled;

void Diag(const wchar_t* line);
void Diag(const std::wstring& line);

// Messages a window receives many times a second (mouse moves, hit tests, cursor settings, and
// the tray icon's mouse moves): window procedures write no diagnostic line for them.
bool IsFrequentMessage(unsigned message, std::intptr_t lParam);
