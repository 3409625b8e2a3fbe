// TransformPrimitive and the snapshot copy (CShape copy constructor), per
// point, on the object of FileFormatBench.cpp (1,000,000 points).
//
// The *_vs_PlainCopy benchmarks report x_wall and x_cpu against a memcpy of
// the same 8 MB of points measured alternately in the same run;
// items_per_second counts points (baseline and operation together).
#include "BenchRatio.h"
#include "CoreBenchData.h"

#include <chrono>
#include <cstring>
#include <vector>

using namespace core_bench;

namespace {

// Baseline: memcpy of every element's points into buffers that already exist.
struct PlainPointCopy {
    PlainPointCopy() : dst(static_cast<size_t>(kPoints)) {}
    void operator()() {
        POINT* out = dst.data();
        for (const CPrimitive* p : LargeObject().m_elements) {
            std::memcpy(out, p->m_pPoints, sizeof(POINT) * size_t(p->m_nPoints));
            out += p->m_nPoints;
        }
        benchmark::DoNotOptimize(dst.data());
    }
    std::vector<POINT> dst;
};

void PerPoint(benchmark::State& state) {
    state.SetItemsProcessed(int64_t(state.iterations()) * kPoints);
}

// A pure move in place, as dragging and pasting do; +d then -d keeps the
// shared object where it was.
void BM_TransformPrimitive_Move_vs_PlainCopy(benchmark::State& state) {
    PlainPointCopy copy;
    RatioTimer ratio;
    int32_t d = 1;
    for (auto _ : state) {
        ratio.Baseline(copy);
        ratio.Operation([&] {
            for (CPrimitive* p : LargeObject().m_elements)
                TransformPrimitive(p, p->m_pPoints, 0, 0, d, -d, 0.0, 1.0, 1.0);
        });
        d = -d;
    }
    if (d == -1) // an odd number of moves: put the object back
        for (CPrimitive* p : LargeObject().m_elements)
            TransformPrimitive(p, p->m_pPoints, 0, 0, -1, 1, 0.0, 1.0, 1.0);
    ratio.Report(state);
    PerPoint(state);
}
BENCHMARK(BM_TransformPrimitive_Move_vs_PlainCopy)->Unit(benchmark::kMillisecond);

// A turn with scaling into a copy's points, as the spin animation and saving do.
void BM_TransformPrimitive_TurnInto_vs_PlainCopy(benchmark::State& state) {
    PlainPointCopy copy;
    RatioTimer ratio;
    CShape dest(LargeObject());
    double angle = 0.1;
    for (auto _ : state) {
        ratio.Baseline(copy);
        ratio.Operation(
            [&] { LargeObject().TransformInto(dest, 500, 500, 500, 500, angle, 0.9, 0.9); });
        angle += 0.01;
    }
    ratio.Report(state);
    PerPoint(state);
}
BENCHMARK(BM_TransformPrimitive_TurnInto_vs_PlainCopy)->Unit(benchmark::kMillisecond);

// The snapshot every recorded change makes: copy construction of the whole
// object, plus its destruction when the history drops it.
void BM_SnapshotCopy_vs_PlainCopy(benchmark::State& state) {
    PlainPointCopy copy;
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline(copy);
        ratio.Operation([] {
            CShape snapshot(LargeObject());
            benchmark::DoNotOptimize(snapshot.m_elements.data());
        });
    }
    ratio.Report(state);
    PerPoint(state);
}
BENCHMARK(BM_SnapshotCopy_vs_PlainCopy)->Unit(benchmark::kMillisecond);

} // namespace
