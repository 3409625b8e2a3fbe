// Redrawing the view: a full redraw of a large object through the view's own
// drawing, against the same figures drawn with QPainter directly; and the
// repaint that follows invalidating one element of that object.
#include "ViewBenchObject.h"
#include "document/CMorvetDoc.h"
#include "platform/CDC.h"
#include "view/CMorvetView.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kElements = 100000;

struct BenchView {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    BenchView() {
        doc.OnNewDocument();
        view_bench::FillObject(doc, kWidth, kHeight, kElements);
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(kWidth, kHeight);
        view->show();
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
    }
};

BenchView& Shared() {
    static BenchView bv;
    return bv;
}

void BM_ViewFullRedraw(benchmark::State& state) {
    BenchView& bv = Shared();
    for (auto _ : state) {
        CDC dc(&bv.view->Surface());
        bv.view->OnPrepareDC(&dc);
        bv.view->OnDraw(&dc);
    }
    state.SetItemsProcessed(state.iterations() * kElements);
    if (qEnvironmentVariableIsSet("MORVET_BENCH_DUMP"))
        bv.view->Surface().save("/tmp/benchview.png");
}
BENCHMARK(BM_ViewFullRedraw)->Unit(benchmark::kMillisecond);

// The same figures, straight through QPainter: the floor any redraw has.
void BM_QPainterDirectBaseline(benchmark::State& state) {
    BenchView& bv = Shared();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::black);
        // The object holds coordinates about its center of mass, which the
        // view shows at its middle.
        p.translate(kWidth / 2, kHeight / 2);
        QPen pen(Qt::white);
        pen.setCosmetic(true);
        p.setPen(pen);
        for (const CPrimitive* e : bv.doc.m_shape.m_elements) {
            const POINT* pt = e->m_pPoints;
            if (e->m_nType == PRIM_POLYGON) {
                p.setBrush(ToQColor(e->m_crColor));
                p.drawPolygon(reinterpret_cast<const QPoint*>(pt), e->m_nPoints);
            } else if (e->m_nType == PRIM_POLYLINE) {
                p.drawPolyline(reinterpret_cast<const QPoint*>(pt), e->m_nPoints);
            } else {
                p.setBrush(ToQColor(e->m_crColor));
                const int r = pt[1].x;
                p.drawEllipse(QRectF(pt[0].x - r, pt[0].y - r, 2 * r - 1, 2 * r - 1));
            }
        }
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_QPainterDirectBaseline)->Unit(benchmark::kMillisecond);

// Invalidating one element and letting the view redraw what became invalid.
void BM_ViewRepaintOneElement(benchmark::State& state) {
    BenchView& bv = Shared();
    CPrimitive* one = bv.doc.m_shape.m_elements[kElements / 2];
    for (auto _ : state) {
        bv.view->InvalidateElement(one);
        bv.view->UpdateWindow();
    }
}
BENCHMARK(BM_ViewRepaintOneElement)->Unit(benchmark::kMillisecond);
} // namespace
