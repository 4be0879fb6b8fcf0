#include "base/diagnostics.h"

#include <windows.h>

bool DebugOutputEnabled = false;

void Diag(const wchar_t* line) {
    if (DebugOutputEnabled) OutputDebugStringW(line);
}

void Diag(const std::wstring& line) {
    Diag(line.c_str());
}
