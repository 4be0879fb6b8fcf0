// Test stand-in for the desktop window manager library (never shipped). Wine's own answers
// no frame bounds and ignores every attribute, so the window-engine scenarios load this one
// instead: it reports each window's visible frame as its window rectangle without invisible
// borders (as Windows 10 draws them: 7 pixels left, right and bottom), and records every
// attribute Pinora sets in "dwm-calls.log" beside this DLL. A window's corner preference is
// kept in its window property "PnrCornerPreference" (the preference + 1), which a test may
// also set itself, and read back from there.
#include <windows.h>

#include <cstdio>
#include <string>

#include "standin_log.h"

namespace {

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr DWORD kCornerPreference = 33;    // DWMWA_WINDOW_CORNER_PREFERENCE
constexpr LONG kInvisibleBorder = 7;
constexpr wchar_t kCornerProperty[] = L"PnrCornerPreference";

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    if (attribute == kCornerPreference && size == sizeof(DWORD) && value) {
        const auto stored = reinterpret_cast<intptr_t>(GetPropW(window, kCornerProperty));
        *static_cast<DWORD*>(value) = stored > 0 ? static_cast<DWORD>(stored - 1) : 0;  // DWMWCP_DEFAULT
        return S_OK;
    }
    if (attribute != kExtendedFrameBounds || size != sizeof(RECT) || !value) return E_INVALIDARG;
    RECT outer = {};
    if (!GetWindowRect(window, &outer)) return HRESULT_FROM_WIN32(GetLastError());
    *static_cast<RECT*>(value) =
        RECT{outer.left + kInvisibleBorder, outer.top, outer.right - kInvisibleBorder, outer.bottom - kInvisibleBorder};
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size) {
    long long number = 0;
    if (value && size == sizeof(DWORD)) number = *static_cast<const DWORD*>(value);
    if (attribute == kCornerPreference) SetPropW(window, kCornerProperty, reinterpret_cast<HANDLE>(number + 1));
    char line[96];
    std::snprintf(line, sizeof(line), "set %lld %lu %lld", static_cast<long long>(reinterpret_cast<intptr_t>(window)),
                  static_cast<unsigned long>(attribute), number);
    AppendLine(PathBesideModule(reinterpret_cast<const void*>(&DwmSetWindowAttribute), L"dwm-calls.log"), line);
    return S_OK;
}
