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
#include "platform/CDC.h"
#include "simulation/SimulationRunner.h"
#include "view/simulation/CSimulationCanvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
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
    const CPoint origin(kWidth / 2, kHeight / 2);
    CShape fileShape(shape);
    fileShape.Transform(origin.x, origin.y, 0, 0, 0.0, 1.0, 1.0);
    SimulationRunner sim;
    CSimulationCanvas canvas;
    canvas.resize(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const auto restart = [&] {
        if (!sim.Start(shape, origin, SimulationSettings()))
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
} // namespace
#endif
