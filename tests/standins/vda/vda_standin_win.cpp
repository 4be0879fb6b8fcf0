// Test stand-in for the virtual-desktop library (never shipped). It keeps each window's
// desktop number in a window property that the tests set through pnr_testwin.exe, answers
// GetWindowDesktopNumber from it (negative for windows without one), and records the calls
// Pinora makes in "vda-calls.log" beside this DLL.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kDesktopProperty[] = L"PnrDesktopNumber";  // number + 1; absent means unknown

std::wstring LogPath() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LogPath), &self);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\vda-calls.log";
}

void Record(const char* call, HWND window, int number) {
    HANDLE file = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char line[128];
    int length = std::snprintf(line, sizeof(line), "%s %lld %d\n", call,
                               static_cast<long long>(reinterpret_cast<intptr_t>(window)), number);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
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
