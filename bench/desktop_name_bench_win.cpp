// Cost of one DesktopNameOf call (desktop number from the library, then the registry read
// of the desktop list), with the test stand-in of the desktop library. The animator makes
// this call on every frame of a job with "Move to Desktop" set.
// Usage: pnr_bench_desktop_name <folder holding the stand-in>
#include <chrono>
#include <cstdio>

#include "engine/desktop_names.h"
#include "engine/engine.h"

namespace {

constexpr wchar_t kDesktopsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VirtualDesktops\\Desktops";

void WriteDesktops(int count) {
    for (int i = 0; i < count; ++i) {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(kDesktopsKey) + L"\\{0000000" + std::to_wstring(i) + L"-PNR}";
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        const wchar_t name[] = L"Named desktop";
        if (i % 2 == 0) RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
        RegCloseKey(key);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    // The library is loaded only from beside the program: the stand-in goes there for the run.
    OsVersion = ReadOsVersion();
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring beside(self);
    beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + DesktopLibraryFileFor(OsVersion.build);
    CopyFileW((std::wstring(argv[1]) + L"\\VDA_Win10.dll").c_str(), beside.c_str(), FALSE);
    LoadDesktopLibrary();
    WriteDesktops(4);
    HWND window =
        CreateWindowExW(0, L"STATIC", L"desktop bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetPropW(window, L"PnrDesktopNumber", reinterpret_cast<HANDLE>(4));  // the fourth desktop
    const int calls = 2000;
    std::wstring name;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) name = DesktopNameOf(window);
    const double total = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("DesktopNameOf (\"%ls\"): %.1f us per call over %d calls (frame budget 7000 us)\n", name.c_str(),
                total / calls, calls);
    RegDeleteTreeW(HKEY_CURRENT_USER, kDesktopsKey);
    FreeDesktopLibrary();
    DeleteFileW(beside.c_str());
    return name.empty() ? 1 : 0;
}
