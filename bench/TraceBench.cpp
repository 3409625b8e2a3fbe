// Tracing 2048 x 2048 pictures, against decoding the same picture from PNG:
// a drawing, and the patterns that used to cost far more than their size (a
// one-pixel checkerboard, random noise).
#include "BenchRatio.h"
#include "trace/ImageTracer.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>
#include <random>

namespace {
constexpr int kSide = 2048;

// A drawing as a scan or a sprite sheet gives it: anti-aliased dark shapes
// on white, with holes, thin strokes and small specks.
QByteArray Png(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray TracePicturePng() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    std::mt19937 rng(15);
    std::uniform_int_distribution<int> pos(0, kSide), size(20, 300), speck(1, 4);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor(20, 20, 20));
        QPainterPath path;
        const int x = pos(rng), y = pos(rng), r = size(rng);
        path.addEllipse(QPointF(x, y), r, r * 0.7);
        path.addEllipse(QPointF(x, y), r * 0.4, r * 0.3);
        p.drawPath(path);
        p.drawRect(pos(rng), pos(rng), size(rng), size(rng));
    }
    p.setPen(QPen(Qt::black, 3));
    for (int i = 0; i < 60; ++i)
        p.drawLine(pos(rng), pos(rng), pos(rng), pos(rng));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int i = 0; i < 500; ++i)
        p.drawEllipse(pos(rng), pos(rng), speck(rng), speck(rng));
    p.end();
    return Png(image);
}

// Grey pixels, each black or white: alternating, or at random (noise
// thresholded at 50 %).
QByteArray PatternPng(bool noise) {
    QImage image(kSide, kSide, QImage::Format_Grayscale8);
    std::mt19937 rng(19);
    for (int y = 0; y < kSide; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < kSide; ++x)
            row[x] = (noise ? rng() & 1 : (x + y) & 1) ? 0 : 255;
    }
    return Png(image);
}

QImage Decode(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    return reader.read();
}

void Trace(benchmark::State& state, const QByteArray& png, const TraceOptions& options) {
    const QImage image = Decode(png);
    RatioTimer timer;
    TraceResult result;
    for (auto _ : state) {
        timer.Baseline([&] { benchmark::DoNotOptimize(Decode(png)); });
        timer.Operation([&] { result = TraceImage(image, options); });
    }
    timer.Report(state);
    state.counters["vertices"] = result.VertexCount();
    state.counters["holes"] = double(result.holes.size());
    state.counters["refused"] = double(result.tooMany);
    state.counters["png_bytes"] = double(png.size());
}

void BM_TraceImage_vs_DecodePng(benchmark::State& state) {
    TraceOptions options;
    options.minArea = 20;
    Trace(state, TracePicturePng(), options);
}
BENCHMARK(BM_TraceImage_vs_DecodePng)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument 0: checkerboard or noise; argument 1: the minimum area (0, as
// morvet-tool's default, or 20).
void BM_TracePattern_vs_DecodePng(benchmark::State& state) {
    TraceOptions options;
    options.minArea = double(state.range(1));
    Trace(state, PatternPng(state.range(0) == 1), options);
}
BENCHMARK(BM_TracePattern_vs_DecodePng)
    ->ArgNames({"noise", "min_area"})
    ->ArgsProduct({{0, 1}, {0, 20}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace
