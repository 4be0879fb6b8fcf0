// Cost of one RefreshLiveWindowList and of one FindLiveWindow with 50 and with 200 extra
// manageable windows of another process on the desktop, with and without saved profiles to
// match against.
// Usage: pnr_bench_live_windows [window count ...]   (default: 50 200)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/run_times.h"
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
    const RunTimes bare = MeasureRuns(kRefreshRuns, RefreshLiveWindowList);
    const size_t listed = LiveWindowList.Snapshot().size();
    ClusterMap.Replace(SavedClusters());
    const RunTimes withProfiles = MeasureRuns(kRefreshRuns, RefreshLiveWindowList);
    const double lookup = LookupMicroseconds();
    std::printf(
        "%4d windows (%zu listed): refresh %.1f ms (median %.1f); with 15 saved profiles %.1f ms (median %.1f); "
        "FindLiveWindow %.2f us\n",
        windowCount, listed, bare.fastest / 1000, bare.median / 1000, withProfiles.fastest / 1000,
        withProfiles.median / 1000, lookup);
    ClusterMap.Replace({});
}

}  // namespace

int main(int argc, char** argv) {
    if (RanAsWindowHost()) return 0;
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
    if (counts.empty()) counts = {50, 200};
    std::printf("RefreshLiveWindowList: fastest and median of %d runs; FindLiveWindow: mean of %d lookups\n",
                kRefreshRuns, kLookupRuns);
    for (int count : counts) Measure(count);
    return 0;
}
