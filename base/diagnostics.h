#pragma once
// Diagnostic lines: fixed English texts ending in "\n", written to the debugger output only
// while DebugOutputEnabled is true. Nothing in the program sets the flag; change its
// initial value to switch diagnostics on.
#include <string>

extern bool DebugOutputEnabled;

void Diag(const wchar_t* line);
void Diag(const std::wstring& line);
