#include "base/own_windows.h"

HWND FindOwnWindow(const wchar_t* className) {
    const DWORD self = GetCurrentProcessId();
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == self) return window;
    }
    return nullptr;
}
