// Placement as the user sees it: from the moment a claimed window is shown until its visible
// frame sits exactly at the saved frame (20 runs), how many positions the glide shows, the
// longest pause between two frames it gives the window, and the longest stay at one position
// (the ease-out's last steps move less than a pixel, so they may repeat a position); then
// Pinora's CPU time and thread count over 20 seconds with its cluster active and nothing moving.
// Usage: pnr_bench_placement <Pinora.exe> [runs] [idle seconds]
// Writes its cluster file into this prefix's %APPDATA%\Pinora (run it in a bench prefix).
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/win_handles.h"
#include "bench/pinora_run.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kTitle[] = L"PNR Bench Glide";
constexpr RECT kStart = {40, 40, 360, 280};
constexpr RECT kSaved = {300, 200, 800, 550};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Every position the window takes, and when each frame of the glide arrives (a frame may
// repeat the position before it), as the window's own thread sees them.
struct FrameLog {
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::pair<Clock::time_point, RECT>> frames;
    std::vector<Clock::time_point> glideFrames;  // from the first move on
};
FrameLog Log;

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

LRESULT CALLBACK GlideWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGED) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        std::lock_guard<std::mutex> lock(Log.mutex);
        const auto now = Clock::now();
        const bool moved = Log.frames.empty() || !SameRect(Log.frames.back().second, rect);
        if (moved) Log.frames.emplace_back(now, rect);
        if (Log.frames.size() > 1) Log.glideFrames.push_back(now);
        if (moved && SameRect(rect, kSaved)) Log.arrived.notify_all();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int ThreadCount(DWORD processId) {
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!IsValid(snapshot)) return -1;
    THREADENTRY32 entry = {sizeof(entry)};
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == processId) ++count;
    }
    return count;
}

struct GlideRun {
    double latencyMs = 0;
    int frames = 0;
    double longestGapMs = 0;
    double longestStayMs = 0;
    bool arrived = false;
    int threadsMidGlide = 0;
};

// One window on a thread of its own, shown and announced as a new window is on Windows.
GlideRun RunOnce(DWORD pinoraId) {
    {
        std::lock_guard<std::mutex> lock(Log.mutex);
        Log.frames.clear();
        Log.glideFrames.clear();
    }
    GlideRun run;
    Clock::time_point shown;
    std::atomic<HWND> window{nullptr};
    std::atomic<DWORD> ownerThread{0};
    std::thread owner([&] {
        ownerThread = GetCurrentThreadId();
        window =
            CreateWindowExW(0, L"PnrBenchGlide", kTitle, WS_POPUP, kStart.left, kStart.top, kStart.right - kStart.left,
                            kStart.bottom - kStart.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        {
            std::lock_guard<std::mutex> lock(Log.mutex);
            Log.frames.clear();
            Log.glideFrames.clear();
            shown = Clock::now();
        }
        ShowWindow(window.load(), SW_SHOWNOACTIVATE);
        NotifyWinEvent(EVENT_OBJECT_CREATE, window.load(), OBJID_WINDOW, CHILDID_SELF);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    run.threadsMidGlide = ThreadCount(pinoraId);
    {
        std::unique_lock<std::mutex> lock(Log.mutex);
        run.arrived = Log.arrived.wait_for(lock, std::chrono::seconds(5), [] {
            return !Log.frames.empty() && SameRect(Log.frames.back().second, kSaved);
        });
        if (run.arrived) {
            run.latencyMs = Milliseconds(Log.frames.back().first - shown);
            run.frames = static_cast<int>(Log.frames.size());
            for (size_t i = 1; i < Log.glideFrames.size(); ++i) {
                run.longestGapMs =
                    std::max(run.longestGapMs, Milliseconds(Log.glideFrames[i] - Log.glideFrames[i - 1]));
            }
            for (size_t i = 2; i < Log.frames.size(); ++i) {
                run.longestStayMs =
                    std::max(run.longestStayMs, Milliseconds(Log.frames[i].first - Log.frames[i - 1].first));
            }
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the settle and the animator's end
    PostMessageW(window.load(), WM_CLOSE, 0, 0);
    PostThreadMessageW(ownerThread, WM_QUIT, 0, 0);
    owner.join();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return run;
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

void ReportGlides(const std::vector<GlideRun>& runs) {
    std::vector<double> latencies;
    std::vector<int> frames;
    double longestGap = 0;
    double longestStay = 0;
    int lost = 0;
    for (const GlideRun& r : runs) {
        if (!r.arrived) {
            ++lost;
            continue;
        }
        latencies.push_back(r.latencyMs);
        frames.push_back(r.frames);
        longestGap = std::max(longestGap, r.longestGapMs);
        longestStay = std::max(longestStay, r.longestStayMs);
    }
    if (latencies.empty()) {
        std::printf("no glide arrived\n");
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    std::sort(frames.begin(), frames.end());
    std::printf("show to exact saved frame, %zu runs: median %.1f ms, best %.1f ms, worst %.1f ms (floor 292 ms)\n",
                latencies.size(), latencies[latencies.size() / 2], latencies.front(), latencies.back());
    std::printf("positions per glide: median %d, fewest %d, most %d; longest gap between frames %.1f ms\n",
                frames[frames.size() / 2], frames.front(), frames.back(), longestGap);
    std::printf("longest stay at one position during a glide: %.1f ms\n", longestStay);
    if (lost) std::printf("%d runs never arrived\n", lost);
    std::printf("Pinora's threads in the middle of the first glide: %d\n", runs.front().threadsMidGlide);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: pnr_bench_placement <Pinora.exe> [runs] [idle seconds]\n");
        return 2;
    }
    const int runs = argc > 2 ? _wtoi(argv[2]) : 20;
    const int idleSeconds = argc > 3 ? _wtoi(argv[3]) : 20;
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = GlideWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PnrBenchGlide";
    RegisterClassExW(&wc);
    WriteBenchCluster(L"Bench",
                      "[Configuration]\r\nActivate on Startup=Yes\r\n[PNR Bench Glide]\r\nTitle=PNR Bench Glide\r\n"
                      "Position=300 200\r\nSize=500 350\r\nRules=Window title does match \"PNR Bench Glide\"\r\n");

    PROCESS_INFORMATION pinora = {};
    if (!LaunchPinora(argv[1], &pinora)) {
        std::printf("could not start %ls\n", argv[1]);
        return 1;
    }
    HWND notifyWindow = WaitForNotifyWindow(pinora.dwProcessId);
    std::vector<GlideRun> results;
    const double cpuBeforeGlides = CpuMilliseconds(pinora.hProcess);
    for (int i = 0; i < runs; ++i) {
        results.push_back(RunOnce(pinora.dwProcessId));
        if (!results.back().arrived) std::printf("run %d never arrived\n", i + 1);
    }
    std::printf("CPU during the glides: %.1f ms\n", CpuMilliseconds(pinora.hProcess) - cpuBeforeGlides);
    ReportGlides(results);

    std::this_thread::sleep_for(std::chrono::seconds(1));
    const int threadsBefore = ThreadCount(pinora.dwProcessId);
    const double cpuBefore = CpuMilliseconds(pinora.hProcess);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double cpuAfter = CpuMilliseconds(pinora.hProcess);
    std::printf("idle with an active cluster: %.1f ms CPU over %d s; %d threads before, %d after\n",
                cpuAfter - cpuBefore, idleSeconds, threadsBefore, ThreadCount(pinora.dwProcessId));

    QuitPinora(pinora, notifyWindow);
    return 0;
}
