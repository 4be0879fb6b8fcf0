// What one window event costs the engine: OnWinEvent for a location change and for a title
// change, the re-read-and-place pass that new and renamed windows lead to, and the re-stacking
// of one window, with 50 and with 200 windows of another process on the desktop and two
// active clusters that claim twenty of them.
// Usage: pnr_bench_engine_events [window count ...]   (default: 50 200)
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

constexpr int kClaimedPerCluster = 10;
constexpr int kEventRuns = 200;
constexpr int kPassRuns = 30;

// Each saved window recognises one hosted window by its title and keeps the frame that window
// already has, so no pass schedules a move.
ClusterMapValue TwoActiveClusters() {
    ClusterMapValue clusters;
    for (int c = 0; c < 2; ++c) {
        ClusterEntry entry;
        entry.active = true;
        for (int i = c * kClaimedPerCluster; i < (c + 1) * kClaimedPerCluster; ++i) {
            const RECT frame = HostedFrame(i);
            WindowProfile profile;
            profile.title = HostedTitle(i);
            profile.rules = L"Window title does match \"" + profile.title + L"\"";
            profile.position = {frame.left, frame.top};
            profile.size = {frame.right - frame.left, frame.bottom - frame.top};
            profile.zLevel = i % 3;
            entry.profiles.emplace(profile.title, profile);
        }
        clusters.emplace(c == 0 ? L"Alpha" : L"Beta", entry);
    }
    return clusters;
}

HWND FindHosted(int index) {
    return FindWindowW(L"PnrBenchWindow", HostedTitle(index).c_str());
}

void Print(const char* what, int windows, const RunTimes& t) {
    std::printf("%-40s %4d windows: fastest %9.1f us, median %9.1f us, slowest %9.1f us\n", what, windows, t.fastest,
                t.median, t.slowest);
    std::fflush(stdout);
}

void RaiseEvent(DWORD event, HWND window) {
    OnWinEvent(nullptr, event, window, OBJID_WINDOW, CHILDID_SELF, 0, 0);
}

void MeasureWith(int count) {
    WindowHost host(count);
    const ClusterMapValue clusters = TwoActiveClusters();
    ClusterMap.Replace(clusters);
    ActiveClusterMap.Replace(clusters);
    RefreshLiveWindowList();
    HWND claimed = FindHosted(3);
    HWND unclaimed = FindHosted(count - 1);
    Print("location change, claimed window", count,
          MeasureRuns(kEventRuns, [&] { RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, claimed); }));
    Print("location change, unclaimed window", count,
          MeasureRuns(kEventRuns, [&] { RaiseEvent(EVENT_OBJECT_LOCATIONCHANGE, unclaimed); }));
    PumpMessagesFor(50);
    Print("title change, first of a series", count, FirstTitleChangeTimes(claimed, kPassRuns));
    Print("title change, merged into a pending pass", count,
          MeasureRuns(kEventRuns, [&] { RaiseEvent(EVENT_OBJECT_NAMECHANGE, claimed); }));
    PumpMessagesFor(50);
    Print("re-read pass (RefreshLiveWindowList)", count, MeasureSpacedRuns(kPassRuns, [] { RefreshLiveWindowList(); }));
    Print("place pass (ApplyProfiles)", count, MeasureSpacedRuns(kPassRuns, [] { ApplyProfiles(0); }));
    Print("re-stacking one claimed window", count,
          MeasureSpacedRuns(kPassRuns, [&] { RestoreZOrder(FindLiveWindow(claimed)); }));
    PumpMessagesFor(50);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (RanAsWindowHost()) return 0;
    // Events reach Pinora on its main thread, which keeps COM initialised for its whole life;
    // without this, each re-read would set up and tear down a COM apartment (2 ms under Wine).
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i) counts.push_back(_wtoi(argv[i]));
    if (counts.empty()) counts = {50, 200};
    for (int count : counts) MeasureWith(count);
    return 0;
}
