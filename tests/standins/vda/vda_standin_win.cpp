// Test stand-in for the virtual-desktop library (never shipped). It keeps each window's
// desktop number in a window property that the tests set through pnr_testwin.exe, answers
// GetWindowDesktopNumber from it (negative for windows without one), and records the calls
// Pinora makes in "vda-calls.log" beside this DLL.
#include <windows.h>

#include <string>

#include "standin_log.h"

namespace {

constexpr wchar_t kDesktopProperty[] = L"PnrDesktopNumber";  // number + 1; absent means unknown

void Record(const char* call, HWND window, int number) {
    static const int anchor = 0;
    AppendLine(
        PathBesideModule(&anchor, L"vda-calls.log"),
        std::string(call) + " " + std::to_string(reinterpret_cast<intptr_t>(window)) + " " + std::to_string(number));
}

}  // namespace

extern "C" __declspec(dllexport) int GetWindowDesktopNumber(HWND window) {
    const auto stored = reinterpret_cast<intptr_t>(GetPropW(window, kDesktopProperty));
    return stored > 0 ? static_cast<int>(stored - 1) : -1;
}

extern "C" __declspec(dllexport) int MoveWindowToDesktopNumber(HWND window, int number) {
    Record("move", window, number);
    SetPropW(window, kDesktopProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(number) + 1));
    return 1;
}

extern "C" __declspec(dllexport) int UnregisterPostMessageHook(HWND window) {
    Record("unregister", window, 0);
    return 1;
}
