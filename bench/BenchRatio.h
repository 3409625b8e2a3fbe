#pragma once
// Ratios against a baseline measured in the same run.
//
// The machines we measure on are noisy (shared cores, steal time), so single
// times say little. A ratio benchmark runs the baseline and the operation
// alternately in every iteration and reports
//   x_wall  total wall-clock time of the operation / that of the baseline
//   x_cpu   total thread CPU time of the operation / that of the baseline
// as counters. Both see the same noise, so the ratio is what to compare.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

class RatioTimer {
public:
    template <typename Fn> void Baseline(Fn&& fn) { Time(fn, m_baseWall, m_baseCpu); }
    template <typename Fn> void Operation(Fn&& fn) { Time(fn, m_opWall, m_opCpu); }

    void Report(benchmark::State& state) const {
        if (m_baseWall > 0 && m_baseCpu > 0) {
            state.counters["x_wall"] = m_opWall / m_baseWall;
            state.counters["x_cpu"] = m_opCpu / m_baseCpu;
        }
    }

private:
    static double CpuNow() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
    }
    static double WallNow() {
        return double(std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count());
    }
    template <typename Fn> static void Time(Fn& fn, double& wall, double& cpu) {
        const double w0 = WallNow(), c0 = CpuNow();
        fn();
        benchmark::ClobberMemory();
        cpu += CpuNow() - c0;
        wall += WallNow() - w0;
    }

    double m_baseWall = 0, m_baseCpu = 0, m_opWall = 0, m_opCpu = 0;
};
