// Coming back after a display change: the screen's resolution is changed 20 times, each time
// followed by the system's shuffle of three claimed windows (moved away without an event), and
// the time from the change to every window at its saved frame is measured; then Pinora's CPU
// time while nothing changes. A program can change the resolution of a Wine virtual desktop
// only: display_settle.sh runs this in one.
// Usage: pnr_bench_display_settle <Pinora.exe> [changes] [idle seconds]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/pinora_run.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWindows = 3;
constexpr RECT kAway = {20, 20, 220, 170};

RECT SavedFrame(int index) {
    return RECT{100 + 300 * index, 150, 380 + 300 * index, 450};
}

std::wstring Title(int index) {
    return L"PNR Bench Settle " + std::to_wstring(index);
}

std::string ClusterText() {
    std::string text = "[Configuration]\r\nActivate on Startup=Yes\r\n";
    for (int i = 0; i < kWindows; ++i) {
        const RECT f = SavedFrame(i);
        const std::string title = "PNR Bench Settle " + std::to_string(i);
        text += "[" + title + "]\r\nTitle=" + title + "\r\nPosition=" + std::to_string(f.left) + " " +
                std::to_string(f.top) + "\r\nSize=" + std::to_string(f.right - f.left) + " " +
                std::to_string(f.bottom - f.top) + "\r\nRules=Window title does match \"" + title + "\"\r\n";
    }
    return text;
}

bool AllAtTheirFrames(const std::vector<HWND>& windows) {
    for (int i = 0; i < kWindows; ++i) {
        RECT now = {};
        const RECT saved = SavedFrame(i);
        if (!GetWindowRect(windows[i], &now) || !EqualRect(&now, &saved)) return false;
    }
    return true;
}

bool WaitUntilPlaced(const std::vector<HWND>& windows, Clock::time_point* arrived) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (AllAtTheirFrames(windows)) {
            *arrived = Clock::now();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool ChangeResolution(DWORD width, DWORD height) {
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

// The claimed windows live on a thread with a message loop of its own, as another program's do.
class ClaimedWindows {
  public:
    ClaimedWindows() {
        thread_ = std::thread([this] {
            threadId_ = GetCurrentThreadId();
            for (int i = 0; i < kWindows; ++i) {
                HWND window = CreateWindowExW(0, L"Static", Title(i).c_str(), WS_POPUP | WS_VISIBLE, kAway.left,
                                              kAway.top, kAway.right - kAway.left, kAway.bottom - kAway.top, nullptr,
                                              nullptr, GetModuleHandleW(nullptr), nullptr);
                windows_.push_back(window);
                NotifyWinEvent(EVENT_OBJECT_CREATE, window, OBJID_WINDOW, CHILDID_SELF);
            }
            ready_ = true;
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            for (HWND window : windows_) DestroyWindow(window);
        });
        while (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~ClaimedWindows() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    const std::vector<HWND>& Windows() const { return windows_; }

    // What the system does to windows at a display change, reporting it to nobody.
    void Shuffle() const {
        for (HWND window : windows_) {
            SetWindowPos(window, nullptr, kAway.left, kAway.top, kAway.right - kAway.left, kAway.bottom - kAway.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

  private:
    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ready_{false};
    std::vector<HWND> windows_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: pnr_bench_display_settle <Pinora.exe> [changes] [idle seconds]\n");
        return 2;
    }
    const int changes = argc > 2 ? _wtoi(argv[2]) : 20;
    const int idleSeconds = argc > 3 ? _wtoi(argv[3]) : 10;
    WriteBenchCluster(L"Bench", ClusterText());
    ChangeResolution(1920, 1080);
    PROCESS_INFORMATION pinora = {};
    if (!LaunchPinora(argv[1], &pinora)) {
        std::printf("could not start %ls\n", argv[1]);
        return 1;
    }
    HWND notifyWindow = WaitForNotifyWindow(pinora.dwProcessId);
    {
        ClaimedWindows claimed;
        Clock::time_point arrived;
        if (!WaitUntilPlaced(claimed.Windows(), &arrived)) std::printf("the windows were never placed\n");
        std::vector<double> latencies;
        for (int i = 0; i < changes; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the last sequence has ended
            const bool small = i % 2 == 0;
            if (!ChangeResolution(small ? 1280 : 1920, small ? 800 : 1080)) {
                std::printf("the resolution cannot change here: run it in a virtual desktop\n");
                break;
            }
            const Clock::time_point changed = Clock::now();
            claimed.Shuffle();
            if (!WaitUntilPlaced(claimed.Windows(), &arrived)) {
                std::printf("change %d: the windows never came back\n", i + 1);
                continue;
            }
            latencies.push_back(std::chrono::duration<double, std::milli>(arrived - changed).count());
        }
        if (!latencies.empty()) {
            std::sort(latencies.begin(), latencies.end());
            std::printf(
                "display change to every window at its frame, %zu changes: median %.0f ms, best %.0f ms, "
                "worst %.0f ms (settle wait 250 ms + glide 333 ms)\n",
                latencies.size(), latencies[latencies.size() / 2], latencies.front(), latencies.back());
        }
        std::this_thread::sleep_for(std::chrono::seconds(2));  // the last follow-up pass is over
        const double cpuBefore = CpuMilliseconds(pinora.hProcess);
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        std::printf("CPU while nothing changes: %.1f ms over %d s\n", CpuMilliseconds(pinora.hProcess) - cpuBefore,
                    idleSeconds);
    }
    ChangeResolution(1920, 1080);
    QuitPinora(pinora, notifyWindow);
    return 0;
}
