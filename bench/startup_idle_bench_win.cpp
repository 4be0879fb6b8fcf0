// Start-up time (process start to tray icon added, median of 10 runs) and idle CPU time
// (20 idle seconds) of Pinora.exe, each next to the same figure for a minimal Win32 program.
// Usage: pnr_bench_startup_idle <Pinora.exe> <pnr_minimal_tray.exe> [idle seconds]
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Subject {
    std::wstring exe;
    const wchar_t* windowClass;
};

bool TrayIconExists(HWND window) {
    NOTIFYICONDATAW data = {sizeof(data)};
    data.hWnd = window;
    data.uID = 1000;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

PROCESS_INFORMATION Launch(const std::wstring& exe) {
    STARTUPINFOW startup = {sizeof(startup)};
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    return process;
}

HWND WaitForTrayIcon(const Subject& s, DWORD pid) {
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    while (Clock::now() < deadline) {
        for (HWND w = FindWindowW(s.windowClass, nullptr); w; w = FindWindowExW(nullptr, w, s.windowClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == pid && TrayIconExists(w)) return w;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return nullptr;
}

void Stop(PROCESS_INFORMATION& p, HWND window) {
    if (window) PostMessageW(window, WM_COMMAND, 1001, 0);
    if (WaitForSingleObject(p.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(p.hProcess, 1);
    CloseHandle(p.hProcess);
    CloseHandle(p.hThread);
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

void MeasureStartup(const Subject& s) {
    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        const auto start = Clock::now();
        PROCESS_INFORMATION p = Launch(s.exe);
        HWND window = WaitForTrayIcon(s, p.dwProcessId);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        Stop(p, window);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28ls start-up to tray icon: median %.1f ms (min %.1f, max %.1f)\n", s.windowClass, times[5],
                times.front(), times.back());
}

void MeasureIdle(const Subject& s, int seconds) {
    PROCESS_INFORMATION p = Launch(s.exe);
    HWND window = WaitForTrayIcon(s, p.dwProcessId);
    std::this_thread::sleep_for(std::chrono::seconds(2));  // let start-up work settle
    const double before = CpuMilliseconds(p.hProcess);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double after = CpuMilliseconds(p.hProcess);
    std::printf("%-28ls CPU time over %d idle seconds: %.1f ms\n", s.windowClass, seconds, after - before);
    Stop(p, window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: pnr_bench_startup_idle <Pinora.exe> <pnr_minimal_tray.exe> [idle seconds]\n");
        return 2;
    }
    const int idleSeconds = argc > 3 ? _wtoi(argv[3]) : 20;
    const Subject subjects[] = {{argv[1], L"PinoraNotifyWindow"}, {argv[2], L"PnrMinimalTray"}};
    for (const auto& s : subjects) MeasureStartup(s);
    for (const auto& s : subjects) MeasureIdle(s, idleSeconds);
    return 0;
}
