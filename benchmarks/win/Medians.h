#pragma once
// Times a body run again and again and prints the median, the 90th
// percentile and the spread:
// the measuring programs under Wine report figures and never judge them.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace spraw_bench {

struct TTimes {
    double Median = 0, P90 = 0, Fastest = 0, Slowest = 0;
    size_t Runs = 0;
};

inline double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// At least one time, in milliseconds.
inline TTimes Summarize(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    // The nearest rank: the smallest time at least 90% of the runs reach.
    const size_t p90 = (ms.size() * 9 + 9) / 10 - 1;
    return {ms[ms.size() / 2], ms[p90], ms.front(), ms.back(), ms.size()};
}

// body(i) for i in [0, runs), each run timed on its own.
inline TTimes Measure(int runs, const std::function<void(int)>& body) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body(i);
        ms.push_back(MsSince(start));
    }
    return Summarize(std::move(ms));
}

// One line per figure; a target, when given, is what the program aims at.
inline void Print(const char* what, const TTimes& t, double targetMs = 0) {
    std::printf("%-44s median %8.2f ms  p90 %8.2f ms  (%.2f .. %.2f ms, %zu runs", what, t.Median, t.P90,
                t.Fastest, t.Slowest, t.Runs);
    if (targetMs > 0) std::printf("; target %.0f ms", targetMs);
    std::printf(")\n");
    std::fflush(stdout);
}

}  // namespace spraw_bench
