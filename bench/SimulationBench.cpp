// One tick of the Simulation window with the 1,000-element benchmark object:
// a fixed step of Box2D and the frame drawn by the window's canvas into an
// image of its size. It must take less than 1/60 s of CPU, or the window
// could not keep up with a 60 Hz screen.
//
// The ticks measured are those after the landing (steps 25 to 60 of each
// run, while the body lies on the floor awake: the most contacts, ~1,250
// fixtures against the floor); the run restarts outside the timing.
#ifdef MORVET_BENCH_WITH_UI
#include "BenchRatio.h"
#include "ThousandElementObject.h"
#include "panels/CSimulationCanvas.h"
#include "platform/CDC.h"
#include "simulation/Simulation.h"
#include "simulation/SimulationRunner.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <ctime>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFirstTick = 25;
constexpr int kLastTick = 60;

double ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

void BM_SimulationTickWithDrawing(benchmark::State& state) {
    CShape shape;
    FillThousandElementObject(shape, kWidth, kHeight);
    CShape fileShape(shape);
    fileShape.Move(-kWidth / 2, -kHeight / 2);
    SimulationRunner sim;
    CSimulationCanvas canvas;
    canvas.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const auto restart = [&] {
        if (!sim.Start(fileShape, SimulationSettings()))
            state.SkipWithError("the benchmark object cannot be simulated");
        canvas.SetSimulation(&sim, fileShape);
        while (sim.State().steps < kFirstTick)
            sim.Step();
    };
    restart();
    // Baseline: the object drawn once as the editor draws it, untransformed.
    RatioTimer timer;
    double tickCpu = 0;
    for (auto _ : state) {
        timer.Baseline([&] {
            QPainter p(&image);
            p.fillRect(image.rect(), Qt::black);
            CDC dc(&p);
            shape.Draw(&dc);
        });
        const double c0 = ThreadCpuNs();
        timer.Operation([&] {
            sim.Step();
            canvas.FollowBody();
            QPainter p(&image);
            canvas.Render(p);
        });
        tickCpu += ThreadCpuNs() - c0;
        benchmark::DoNotOptimize(image.constBits());
        if (sim.State().steps >= kLastTick) {
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
    }
    state.counters["tick_cpu_ms"] = tickCpu / double(state.iterations()) / 1e6;
    state.counters["budget_share"] = tickCpu / double(state.iterations()) / (1e9 / 60);
    timer.Report(state);
}
BENCHMARK(BM_SimulationTickWithDrawing)->Unit(benchmark::kMillisecond)->Iterations(350);

// The same object (1,250 fixtures) dropped onto a floor sloped by range(0)
// degrees for range(1) steps, against the same steps on a flat floor: a slope
// must not pair fixtures far above it with the floor in the broad phase.
// The first 30 steps are the fall and the landing, alike on both floors.
// Afterwards the body on a steep slope slides on, ever faster, while the one
// on the flat floor comes to rest and sleeps; BM_SlopedFloor_vs_FreeSlide
// holds that part against the body's own motion.
void RunSteps(benchmark::State& state, const CShape& shape, const SimulationSettings& settings,
              int steps) {
    Simulation sim;
    if (!sim.Start(shape, settings))
        state.SkipWithError("the benchmark object cannot be simulated");
    for (int i = 0; i < steps; ++i)
        sim.Step();
    benchmark::DoNotOptimize(sim.State().x);
    state.counters["fixtures"] = double(sim.Model().fixtures.size());
}

void BM_SlopedFloor_vs_FlatFloor(benchmark::State& state) {
    CShape shape;
    FillThousandElementObject(shape, kWidth, kHeight);
    shape.Move(-kWidth / 2, -kHeight / 2); // relative to the center of mass, as the file holds it
    SimulationSettings flat, sloped;
    sloped.floorAngle = double(state.range(0));
    const int steps = int(state.range(1));
    RatioTimer timer;
    for (auto _ : state) {
        timer.Baseline([&] { RunSteps(state, shape, flat, steps); });
        timer.Operation([&] { RunSteps(state, shape, sloped, steps); });
    }
    timer.Report(state);
}
BENCHMARK(BM_SlopedFloor_vs_FlatFloor)
    ->Args({30, 30})
    ->Args({1, 300})
    ->Args({30, 300})
    ->Unit(benchmark::kMillisecond);

// Five seconds down a 30 degree slope against the same body falling freely,
// far from the floor, with the acceleration of the slide, g (sin 30° - mu cos
// 30°): what the floor adds to the cost of a body of 1,250 fixtures in motion.
void BM_SlopedFloor_vs_FreeSlide(benchmark::State& state) {
    CShape shape;
    FillThousandElementObject(shape, kWidth, kHeight);
    shape.Move(-kWidth / 2, -kHeight / 2); // relative to the center of mass, as the file holds it
    SimulationSettings sloped, free;
    sloped.floorAngle = 30;
    free.drop = SimulationSettings::kMaxDrop;
    free.gravity = sloped.gravity * (0.5 - sloped.friction * std::sqrt(0.75));
    RatioTimer timer;
    for (auto _ : state) {
        timer.Baseline([&] { RunSteps(state, shape, free, 300); });
        timer.Operation([&] { RunSteps(state, shape, sloped, 300); });
    }
    timer.Report(state);
}
BENCHMARK(BM_SlopedFloor_vs_FreeSlide)->Unit(benchmark::kMillisecond);
} // namespace
#endif
