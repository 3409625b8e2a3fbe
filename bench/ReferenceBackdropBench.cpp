// A full redraw of a window filled by a half-transparent reference picture,
// with the checkerboard under it against the same redraw without it: the
// board costs one composed layer of the picture's visible part.
#ifdef MORVET_BENCH_WITH_UI
#include "BenchRatio.h"
#include "document/CMorvetDoc.h"
#include "platform/CDC.h"
#include "view/CMorvetView.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// 400 x 300, transparent, with dark discs: a sprite sheet.
QImage Sprites() {
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20));
    for (int y = 25; y < 300; y += 50)
        for (int x = 25; x < 400; x += 50)
            p.drawEllipse(QPoint(x, y), 18, 18);
    return image;
}

void BM_ReferenceBackdrop_vs_WithoutIt(benchmark::State& state) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    doc.m_reference.path = "sprites.png";
    doc.m_reference.image = Sprites();
    doc.m_reference.scale = 2; // 800 x 600 units: the whole window
    doc.m_reference.opacity = 50;
    CMorvetView view(&doc);
    view.resize(800, 600);
    view.show();
    view.UpdateWindow();
    const auto redraw = [&](bool backdrop) {
        doc.m_reference.backdrop = backdrop;
        CDC dc(&view.Surface());
        view.OnPrepareDC(&dc);
        view.OnDraw(&dc);
    };
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline([&] { redraw(false); });
        ratio.Operation([&] { redraw(true); });
    }
    ratio.Report(state);
}
BENCHMARK(BM_ReferenceBackdrop_vs_WithoutIt)->Unit(benchmark::kMillisecond);
} // namespace
#endif
