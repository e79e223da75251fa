// The timing both benchmarks use: the shortest of a few runs of a step.
#pragma once
#include <algorithm>
#include <chrono>
#include <functional>

// The shortest of Runs runs of Step, in milliseconds; -1 when a run fails.
// After, when given, runs after each run and is not timed.
inline double BestMs(int Runs, const std::function<bool()>& Step, const std::function<void()>& After = nullptr) {
    double best = 1e300;
    for (int i = 0; i < Runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!Step()) return -1;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        if (After) After();
    }
    return best;
}
