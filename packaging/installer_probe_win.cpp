// What the installer script cannot see from the Linux side: whether the installed program is
// the one running and shows its tray icon, and whether it has quit. Exit code 0 when the
// condition holds within the time given, 1 when not, 2 on a usage error.
//   pnr_installer_probe tray <expected exe path>   the program from that path runs with its icon
//   pnr_installer_probe gone                       no copy of the program is running
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/ids.h"
#include "driver/driver.h"

namespace {

using namespace pnrtest;

constexpr wchar_t kNotifyWindowClass[] = L"PinoraNotifyWindow";
constexpr Millis kTimeout = 20000ms;

int ExpectTrayIcon(const std::wstring& expectedExe) {
    std::wstring runningExe;
    const bool shown = WaitUntil(
        [&] {
            HWND window = FindWindowW(kNotifyWindowClass, nullptr);
            if (!window) return false;
            runningExe = ProgramOf(window);
            return lstrcmpiW(runningExe.c_str(), expectedExe.c_str()) == 0 && TrayIconExists(window, TRAY_ICON_ID);
        },
        kTimeout, 50ms);
    if (!shown) std::printf("no tray icon of %ls (running: '%ls')\n", expectedExe.c_str(), runningExe.c_str());
    return shown ? 0 : 1;
}

int ExpectNoneRunning() {
    const bool gone = WaitUntil([] { return FindWindowW(kNotifyWindowClass, nullptr) == nullptr; }, kTimeout, 50ms);
    if (!gone) std::printf("the program is still running\n");
    return gone ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"tray" && argc == 3) return ExpectTrayIcon(argv[2]);
    if (command == L"gone" && argc == 2) return ExpectNoneRunning();
    std::printf("usage: pnr_installer_probe tray <exe path> | gone\n");
    return 2;
}
