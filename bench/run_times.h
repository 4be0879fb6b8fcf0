#pragma once
// Repeated timing for the benchmarks. The fastest run shows the cost itself; the median and
// the slowest show it with the machine's other load.
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

struct RunTimes {
    double fastest = 0;  // microseconds
    double median = 0;
    double slowest = 0;
};

template <typename Fn>
RunTimes MeasureRunsPausedFor(std::chrono::milliseconds pause, int runs, Fn&& fn) {
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
        const auto start = std::chrono::steady_clock::now();
        fn();
        values.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

template <typename Fn>
RunTimes MeasureRuns(int runs, Fn&& fn) {
    return MeasureRunsPausedFor(std::chrono::milliseconds(0), runs, fn);
}

// The same with a short pause before each run, as between two events in Pinora's message loop.
// Under Wine, window calls made without a break for more than about 50 ms become about five
// times slower until the thread next waits (a re-read of 200 windows: 5.3 ms, then 26 ms per
// run back to back); work that long is measured spaced out, as it happens.
template <typename Fn>
RunTimes MeasureSpacedRuns(int runs, Fn&& fn) {
    return MeasureRunsPausedFor(std::chrono::milliseconds(5), runs, fn);
}
