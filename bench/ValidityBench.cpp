// The validity check of one large filled polygon against reading the same
// file and writing its JSON form (what `morvet-tool to-json` does), measured
// alternately in the same run. The polygon is a star of 200,000 corners
// alternating between radii 1,000,000 and 400,000: long edges, crowded
// towards the middle, where a grid of cells holds thousands of them.
#ifdef MORVET_BENCH_WITH_CLI
#include "BenchRatio.h"
#include "cli/VrkFile.h"
#include "cli/VrkJson.h"
#include "geometry/PolygonRing.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

QByteArray StarFile(int corners) {
    nlohmann::json points = nlohmann::json::array();
    for (int i = 0; i < corners; ++i) {
        const double r = i % 2 ? 400000.0 : 1000000.0;
        const double a = 2 * M_PI * i / corners;
        points.push_back({int(r * std::cos(a)), int(r * std::sin(a))});
    }
    const nlohmann::json doc = {
        {"massDensity", 1.0},
        {"polarity", 0},
        {"mayRotate", 1},
        {"elements", {{{"type", 1}, {"color", 0xffffff}, {"points", points}}}}};
    return VrkFromJson(doc);
}

void BM_StarValidity_vs_ToJson(benchmark::State& state) {
    const QByteArray bytes = StarFile(int(state.range(0)));
    VrkFile file;
    std::string error;
    if (!ParseVrk(bytes, file, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const CPrimitive* star = file.shape.m_elements.front();
    RatioTimer timer;
    bool simple = false;
    for (auto _ : state) {
        timer.Baseline([&] {
            VrkFile read;
            std::string why;
            ParseVrk(bytes, read, why);
            benchmark::DoNotOptimize(FormatVrkJson(VrkToJson(read)).size());
        });
        timer.Operation([&] {
            std::vector<geometry::IPoint> pts;
            pts.reserve(size_t(star->m_nPoints));
            for (int i = 0; i < star->m_nPoints; ++i)
                pts.push_back(geometry::IPoint{star->m_pPoints[i].x, star->m_pPoints[i].y});
            const std::vector<geometry::IPoint> ring = geometry::DropRepeats(pts);
            double x, y;
            simple = !geometry::AllCollinear(ring) && !geometry::FindSelfContact(ring, &x, &y);
        });
    }
    timer.Report(state);
    if (!simple)
        state.SkipWithError("the star was found to meet itself");
}

} // namespace

BENCHMARK(BM_StarValidity_vs_ToJson)->Arg(200000)->Arg(1000000)->Unit(benchmark::kMillisecond);
#endif
