// "Open Missing Windows" from the command to every window at its frame: a cluster of N windows
// of the test window program (5 and 20 by default), none of them open, opened with one
// command, several times each. Prints the fastest, median and slowest run in milliseconds.
// Usage: pnr_bench_open_missing <Pinora.exe> [runs] [window counts...]
// Writes its cluster file into this prefix's %APPDATA%\Pinora (run it in a bench prefix).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/pinora_run.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kOpenMissingFirstCluster = 2001;

std::string Utf8(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::string Title(int k) {
    return "Bench " + std::to_string(k) + " - PnrEdit";
}

// Five columns of 360 x 240 frames; none of them where the program opens its window (40, 40).
RECT FrameOf(int k) {
    const int x = 60 + (k % 5) * 370, y = 60 + (k / 5) * 250;
    return {x, y, x + 360, y + 240};
}

std::string ClusterText(int count, const std::wstring& program) {
    std::string text = "[Configuration]\r\n";
    for (int k = 0; k < count; ++k) {
        const RECT f = FrameOf(k);
        text += "[W" + std::to_string(k) + "]\r\nTitle=" + Title(k) +
                "\r\nClass=PnrTestWindow\r\nPath=" + Utf8(program) + "\r\nArguments=--window \"" + Title(k) +
                "\"\r\nPosition=" + std::to_string(f.left) + " " + std::to_string(f.top) +
                "\r\nSize=360 240\r\nRules=Window title does match \"" + Title(k) + "\"\r\n";
    }
    return text;
}

HWND WindowOf(int k) {
    const std::string title = Title(k);
    return FindWindowW(L"PnrTestWindow", std::wstring(title.begin(), title.end()).c_str());
}

bool AllAtTheirFrames(int count) {
    for (int k = 0; k < count; ++k) {
        RECT rect = {};
        const RECT frame = FrameOf(k);
        const HWND window = WindowOf(k);
        if (!window || !GetWindowRect(window, &rect) || !EqualRect(&rect, &frame)) return false;
    }
    return true;
}

void CloseAll(int count) {
    for (int k = 0; k < count; ++k) {
        DWORD processId = 0;
        GetWindowThreadProcessId(WindowOf(k), &processId);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (!process) continue;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    // Pinora forgets a started program once its window is gone (checked every 100 ms).
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

void Measure(const std::wstring& pinoraExe, const std::wstring& program, int count, int runs) {
    WriteBenchCluster(L"Layout", ClusterText(count, program));
    PROCESS_INFORMATION pinora = {};
    if (!LaunchPinora(pinoraExe, &pinora)) return (void)std::printf("could not start Pinora\n");
    const HWND notifyWindow = WaitForNotifyWindow(pinora.dwProcessId);
    std::vector<double> millis;
    int timedOut = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        PostMessageW(notifyWindow, WM_COMMAND, kOpenMissingFirstCluster, 0);
        while (!AllAtTheirFrames(count) && Clock::now() < start + std::chrono::seconds(30)) Sleep(2);
        const auto end = Clock::now();
        timedOut += AllAtTheirFrames(count) ? 0 : 1;
        millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        CloseAll(count);
    }
    std::sort(millis.begin(), millis.end());
    std::printf("%2d windows, %d runs: fastest %.0f ms, median %.0f ms, slowest %.0f ms%s\n", count, runs,
                millis.front(), millis[millis.size() / 2], millis.back(), timedOut ? " (some runs timed out)" : "");
    std::fflush(stdout);
    QuitPinora(pinora, notifyWindow);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: pnr_bench_open_missing <Pinora.exe> [runs] [window counts...]\n");
        return 2;
    }
    const std::wstring pinora = argv[1];
    const std::wstring program = pinora.substr(0, pinora.find_last_of(L'\\') + 1) + L"pnr_testwin.exe";
    const int runs = argc > 2 ? _wtoi(argv[2]) : 5;
    std::vector<int> counts;
    for (int i = 3; i < argc; ++i) counts.push_back(_wtoi(argv[i]));
    if (counts.empty()) counts = {5, 20};
    for (int count : counts) Measure(pinora, program, count, runs);
    return 0;
}
