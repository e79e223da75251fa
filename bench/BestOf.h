// The timing both benchmarks use: the shortest of a few runs of each step.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

// A step to time, and what follows each run of it, untimed.
struct TTimedStep {
    std::function<bool()> Step;
    std::function<void()> After = nullptr;
};

// The shortest of Runs runs of each step, in milliseconds; -1 for a step
// whose run failed. The steps take turns, so that a change in the machine's
// load while they run touches each of them alike, and their ratios hold.
inline std::vector<double> BestMsEach(int Runs, const std::vector<TTimedStep>& Steps) {
    std::vector<double> best(Steps.size(), 1e300);
    for (int i = 0; i < Runs; ++i)
        for (std::size_t s = 0; s < Steps.size(); ++s) {
            if (best[s] < 0) continue;
            const auto start = std::chrono::steady_clock::now();
            const bool done = Steps[s].Step();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            best[s] = done ? std::min(best[s], took.count()) : -1;
            if (Steps[s].After) Steps[s].After();
        }
    return best;
}

inline double BestMs(int Runs, const std::function<bool()>& Step) { return BestMsEach(Runs, {{Step}})[0]; }
