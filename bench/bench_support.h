// Timing helpers for the benchmarks: best of several runs, and one table
// whose rows set the product's figure beside a baseline measured in the same run.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

inline double NowSeconds() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Best wall time of `runs` calls of fn, in seconds. setup runs untimed before each.
inline double BestOf(int runs, const std::function<void()>& fn, const std::function<void()>& setup = {}) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        if (setup) setup();
        const double t0 = NowSeconds();
        fn();
        const double t = NowSeconds() - t0;
        if (t < best) best = t;
    }
    return best;
}

struct Pair {
    double product, baseline;
};

// Best wall times of product and baseline, run alternately so that both see
// the same state of the machine (caches, other load). setup runs untimed
// before each product run.
inline Pair BestOfAlternating(int runs, const std::function<void()>& product, const std::function<void()>& baseline,
                              const std::function<void()>& setup = {}) {
    Pair best{1e30, 1e30};
    for (int i = 0; i < runs; ++i) {
        if (setup) setup();
        double t0 = NowSeconds();
        product();
        best.product = std::min(best.product, NowSeconds() - t0);
        t0 = NowSeconds();
        baseline();
        best.baseline = std::min(best.baseline, NowSeconds() - t0);
    }
    return best;
}

inline void PrintHeader() {
    std::printf("%-58s %14s %14s %8s\n", "workload", "product", "baseline", "ratio");
}

// One row: the product's and the baseline's cost in the same unit.
inline void PrintRow(const std::string& workload, double product, double baseline, const char* unit) {
    std::printf("%-58s %11.3f %-2s %11.3f %-2s %8.2f\n", workload.c_str(), product, unit, baseline, unit,
                baseline > 0 ? product / baseline : 0.0);
    std::fflush(stdout);
}
