// Cost of one RefreshLiveWindowList and of one FindLiveWindow with 50 and with 200 extra
// manageable windows on the desktop, with and without saved profiles to match against. The
// windows belong to a second copy of this program, as application windows belong to other
// processes.
// Usage: pnr_bench_live_windows [window count ...]   (default: 50 200)
//        pnr_bench_live_windows --host <count> <ready event name>   (the window-owning copy)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/win_handles.h"
#include "engine/engine.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRefreshRuns = 30;
constexpr int kLookupRuns = 20000;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// The fastest run shows the cost itself; the median shows it with the machine's other load.
struct RunTimes {
    double fastest = 0;
    double median = 0;
};

RunTimes Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2]};
}

int HostWindows(int count, const wchar_t* readyEventName) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PnrBenchWindow";
    RegisterClassExW(&wc);
    for (int i = 0; i < count; ++i) {
        const std::wstring title = L"Benchmark window " + std::to_wstring(i);
        CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_POPUP | WS_VISIBLE, 10 + i % 40 * 10, 10 + i % 30 * 10,
                        400, 300, nullptr, nullptr, wc.hInstance, nullptr);
    }
    UniqueHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEventName));
    if (ready) SetEvent(ready.get());
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

// A second copy of this program that owns the windows until the measurement is done.
class WindowHost {
  public:
    explicit WindowHost(int count) {
        const std::wstring eventName = L"PnrBenchLiveWindowsReady" + std::to_wstring(GetCurrentProcessId());
        UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
        wchar_t exe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring commandLine =
            L"\"" + std::wstring(exe) + L"\" --host " + std::to_wstring(count) + L" " + eventName;
        STARTUPINFOW startup = {sizeof(startup)};
        if (CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process_)) {
            HANDLE waitFor[] = {ready.get(), process_.hProcess};
            WaitForMultipleObjects(2, waitFor, FALSE, 60000);
        }
    }
    ~WindowHost() {
        if (!process_.hProcess) return;
        PostThreadMessageW(process_.dwThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

  private:
    PROCESS_INFORMATION process_ = {};
};

// Three clusters of five saved windows, none of which recognises a benchmark window, so
// every window is tried against all fifteen rule texts: the worst case of the z-level lookup.
ClusterMapValue SavedClusters() {
    ClusterMapValue clusters;
    for (int c = 0; c < 3; ++c) {
        ClusterEntry entry;
        for (int p = 0; p < 5; ++p) {
            WindowProfile profile;
            profile.title = L"Saved " + std::to_wstring(p);
            profile.rules = L"Window title does begin with \"Saved " + std::to_wstring(p) +
                            L"\" AND Executable name does match \"saved.exe\" OR Class name does contain \"Saved\"";
            entry.profiles.emplace(profile.title, profile);
        }
        clusters.emplace(L"Cluster " + std::to_wstring(c), entry);
    }
    return clusters;
}

RunTimes RefreshMicroseconds() {
    std::vector<double> runs;
    for (int i = 0; i < kRefreshRuns; ++i) {
        const auto start = Clock::now();
        RefreshLiveWindowList();
        runs.push_back(Microseconds(Clock::now() - start));
    }
    return Summarise(runs);
}

// Looks up the window at the end of the list, the longest search.
double LookupMicroseconds() {
    const LiveWindowSequence list = LiveWindowList.Snapshot();
    if (list.empty()) return 0;
    const HWND last = list.back().hwnd;
    const auto start = Clock::now();
    for (int i = 0; i < kLookupRuns; ++i) {
        if (FindLiveWindow(last).hwnd != last) std::abort();
    }
    return Microseconds(Clock::now() - start) / kLookupRuns;
}

void Measure(int windowCount) {
    const WindowHost host(windowCount);
    ClusterMap.Replace({});
    const RunTimes bare = RefreshMicroseconds();
    const size_t listed = LiveWindowList.Snapshot().size();
    ClusterMap.Replace(SavedClusters());
    const RunTimes withProfiles = RefreshMicroseconds();
    const double lookup = LookupMicroseconds();
    std::printf(
        "%4d windows (%zu listed): refresh %.1f ms (median %.1f); with 15 saved profiles %.1f ms (median %.1f); "
        "FindLiveWindow %.2f us\n",
        windowCount, listed, bare.fastest / 1000, bare.median / 1000, withProfiles.fastest / 1000,
        withProfiles.median / 1000, lookup);
    ClusterMap.Replace({});
}

std::vector<std::wstring> CommandLineArguments() {
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(argv, argv + (argv ? count : 0));
    LocalFree(argv);
    return args;
}

}  // namespace

int main() {
    const std::vector<std::wstring> args = CommandLineArguments();
    if (args.size() == 4 && args[1] == L"--host") return HostWindows(std::stoi(args[2]), args[3].c_str());
    std::vector<int> counts;
    for (size_t i = 1; i < args.size(); ++i) counts.push_back(std::stoi(args[i]));
    if (counts.empty()) counts = {50, 200};
    std::printf("RefreshLiveWindowList: fastest and median of %d runs; FindLiveWindow: mean of %d lookups\n",
                kRefreshRuns, kLookupRuns);
    for (int count : counts) Measure(count);
    return 0;
}
