// Load and save of an object of 1,000,000 points (10,000 polygons of 100
// points, 8,120,024 bytes) against a plain copy (memcpy) of the same bytes.
//
// BM_Save_vs_PlainCopy and BM_Load_vs_PlainCopy are the figures that count:
// they run the memcpy and the operation alternately and report x_wall and
// x_cpu (operation time / memcpy time). The goal is a ratio of 3 or less.
// The plain benchmarks below give the single times for orientation.
#include "BenchRatio.h"
#include "CoreBenchData.h"

#include <cstring>
#include <vector>

using namespace core_bench;

namespace {

// Baseline: one memcpy of the file's bytes into a buffer that already exists
// (the cheapest way to move those bytes; saving also pays for its buffer).
struct PlainCopy {
    PlainCopy() : src(LargeFile()), dst(static_cast<size_t>(src.size()), 1) {}
    void operator()() {
        std::memcpy(dst.data(), src.constData(), dst.size());
        benchmark::DoNotOptimize(dst.data());
    }
    const QByteArray& src;
    std::vector<char> dst;
};

void Save(CShape& s) {
    CArchive ar;
    s.Serialize(ar);
    benchmark::DoNotOptimize(ar.Buffer().constData());
}

// Reads the file into a fresh object, including the allocation of every
// element and point array and the object's destruction.
void Load(const QByteArray& bytes) {
    CShape s;
    CArchive ar(bytes);
    s.Serialize(ar);
    benchmark::DoNotOptimize(s.m_elements.data());
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(LargeFile().size()));
}

void BM_Save_vs_PlainCopy(benchmark::State& state) {
    PlainCopy copy;
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline(copy);
        ratio.Operation([] { Save(LargeObject()); });
    }
    ratio.Report(state);
}
BENCHMARK(BM_Save_vs_PlainCopy)->Unit(benchmark::kMillisecond);

void BM_Load_vs_PlainCopy(benchmark::State& state) {
    PlainCopy copy;
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline(copy);
        ratio.Operation([] { Load(LargeFile()); });
    }
    ratio.Report(state);
}
BENCHMARK(BM_Load_vs_PlainCopy)->Unit(benchmark::kMillisecond);

void BM_PlainCopy_FileBytes(benchmark::State& state) {
    PlainCopy copy;
    for (auto _ : state)
        copy();
    SetBytes(state);
}
BENCHMARK(BM_PlainCopy_FileBytes)->Unit(benchmark::kMillisecond);

void BM_Save_1MPoints(benchmark::State& state) {
    CArchive check;
    LargeObject().Serialize(check);
    if (check.Buffer() != LargeFile())
        state.SkipWithError("saving gives different bytes");
    for (auto _ : state)
        Save(LargeObject());
    SetBytes(state);
}
BENCHMARK(BM_Save_1MPoints)->Unit(benchmark::kMillisecond);

void BM_Load_1MPoints(benchmark::State& state) {
    for (auto _ : state)
        Load(LargeFile());
    SetBytes(state);
}
BENCHMARK(BM_Load_1MPoints)->Unit(benchmark::kMillisecond);

} // namespace
