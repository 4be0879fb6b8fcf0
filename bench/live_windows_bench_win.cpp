// Cost of one RefreshLiveWindowList, of a title change and of one FindLiveWindow with 50 and
// with 200 extra manageable windows of another process on the desktop, with and without saved
// profiles to match against; beside them, in the same run, a bare loop over the same windows
// doing only the reads no refresh can avoid (enumeration, visibility, title, visible frame).
// Usage: pnr_bench_live_windows [window count ...]   (default: 50 200)
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/run_times.h"
#include "bench/title_change.h"
#include "bench/window_host.h"
#include "engine/engine.h"

namespace {

constexpr int kRefreshRuns = 30;
constexpr int kLookupRuns = 20000;

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

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// The yardstick: what any refresh has to read of every window on the desktop.
void BareReads() {
    std::vector<HWND> windows;
    EnumDesktopWindows(nullptr, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)) continue;  // one read, as the refresh does
        const std::wstring title = GetWindowTitleText(window);
        RECT frame = {};
        GetVisibleFrame(window, &frame);
    }
}

// The bare reads and the refresh, taking turns so that both see the same load.
void MeasureSideBySide(RunTimes* bare, RunTimes* refresh) {
    std::vector<double> bareRuns;
    std::vector<double> refreshRuns;
    for (int i = 0; i < kRefreshRuns; ++i) {
        bareRuns.push_back(MeasureSpacedRuns(1, BareReads).fastest);
        refreshRuns.push_back(MeasureSpacedRuns(1, RefreshLiveWindowList).fastest);
    }
    for (auto* values : {&bareRuns, &refreshRuns}) std::sort(values->begin(), values->end());
    *bare = {bareRuns.front(), bareRuns[bareRuns.size() / 2], bareRuns.back()};
    *refresh = {refreshRuns.front(), refreshRuns[refreshRuns.size() / 2], refreshRuns.back()};
}

// Looks up the window at the end of the list, the longest search.
double LookupMicroseconds() {
    const LiveWindowSequence list = LiveWindowList.Snapshot();
    if (list.empty()) return 0;
    const HWND last = list.back().hwnd;
    const RunTimes all = MeasureRuns(1, [last] {
        for (int i = 0; i < kLookupRuns; ++i) {
            if (FindLiveWindow(last).hwnd != last) std::abort();
        }
    });
    return all.fastest / kLookupRuns;
}

void Measure(int windowCount) {
    const WindowHost host(windowCount);
    ClusterMap.Replace({});
    ActiveClusterMap.Replace({});
    RefreshLiveWindowList();  // what a refresh may keep from the last one is there, as while running
    RunTimes bare;
    RunTimes refresh;
    MeasureSideBySide(&bare, &refresh);
    const size_t listed = LiveWindowList.Snapshot().size();
    ClusterMap.Replace(SavedClusters());
    const RunTimes withProfiles = MeasureSpacedRuns(kRefreshRuns, RefreshLiveWindowList);
    const RunTimes titleChange =
        FirstTitleChangeTimes(FindWindowW(L"PnrBenchWindow", HostedTitle(0).c_str()), kRefreshRuns);
    const double lookup = LookupMicroseconds();
    std::printf("%4d windows (%zu listed):\n", windowCount, listed);
    std::printf("  bare reads                   %7.2f ms (median %7.2f, slowest %7.2f)\n", bare.fastest / 1000,
                bare.median / 1000, bare.slowest / 1000);
    std::printf(
        "  refresh                      %7.2f ms (median %7.2f, slowest %7.2f): %.2f x the bare reads "
        "(medians %.2f x)\n",
        refresh.fastest / 1000, refresh.median / 1000, refresh.slowest / 1000, refresh.fastest / bare.fastest,
        refresh.median / bare.median);
    std::printf("  refresh, 15 saved profiles   %7.2f ms (median %7.2f, slowest %7.2f)\n", withProfiles.fastest / 1000,
                withProfiles.median / 1000, withProfiles.slowest / 1000);
    std::printf("  title change                 %7.2f ms (median %7.2f, slowest %7.2f)\n", titleChange.fastest / 1000,
                titleChange.median / 1000, titleChange.slowest / 1000);
    std::printf("  FindLiveWindow               %7.2f us\n", lookup);
    std::fflush(stdout);
    ClusterMap.Replace({});
}

}  // namespace

int main(int argc, char** argv) {
    if (RanAsWindowHost()) return 0;
    // As on Pinora's main thread, where refreshes run with COM initialised for good.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {50, 200};
    std::printf("fastest, median and slowest of %d runs; FindLiveWindow: mean of %d lookups\n", kRefreshRuns,
                kLookupRuns);
    for (int count : counts) Measure(count);
    return 0;
}
