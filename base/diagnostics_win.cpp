#include "base/diagnostics.h"

#include <windows.h>

#include "base/ids.h"

bool DebugOutputEnabled = false;

void Diag(const wchar_t* line) {
    if (DebugOutputEnabled) OutputDebugStringW(line);
}

void Diag(const std::wstring& line) {
    Diag(line.c_str());
}

bool IsFrequentMessage(unsigned message, std::intptr_t lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_SETCURSOR:
        case WM_NCHITTEST:
        case WM_MOUSELEAVE:
        case WM_NCMOUSELEAVE:
            return true;
        default:
            return message == TRAY_CALLBACK_MESSAGE && LOWORD(lParam) == WM_MOUSEMOVE;
    }
}
