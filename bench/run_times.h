#pragma once
// Repeated timing for the benchmarks. The fastest run shows the cost itself; the median and
// the slowest show it with the machine's other load.
#include <algorithm>
#include <chrono>
#include <vector>

struct RunTimes {
    double fastest = 0;  // microseconds
    double median = 0;
    double slowest = 0;
};

template <typename Fn>
RunTimes MeasureRuns(int runs, Fn&& fn) {
    std::vector<double> values;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        values.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}
