// Tracing a 2048 x 2048 picture, against decoding the same picture from PNG.
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
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QImage Decode(const QByteArray& png) {
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    return reader.read();
}

void BM_TraceImage_vs_DecodePng(benchmark::State& state) {
    const QByteArray png = TracePicturePng();
    const QImage image = Decode(png);
    TraceOptions options;
    options.minArea = 20;
    RatioTimer timer;
    int vertices = 0;
    for (auto _ : state) {
        timer.Baseline([&] { benchmark::DoNotOptimize(Decode(png)); });
        timer.Operation([&] { vertices = TraceImage(image, options).VertexCount(); });
    }
    timer.Report(state);
    state.counters["vertices"] = vertices;
    state.counters["png_bytes"] = double(png.size());
}
BENCHMARK(BM_TraceImage_vs_DecodePng)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
