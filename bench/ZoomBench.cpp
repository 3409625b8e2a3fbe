// Zoom and scrolling on an object of 100,000 elements in an exposed 800 x 600
// view: a full redraw at 25 % against the same scaled figures drawn straight
// with QPainter; one zoom step and one wheel notch of scrolling against a
// full redraw of the view at the same zoom.
#ifdef MORVET_BENCH_WITH_UI
#include "BenchRatio.h"
#include "ViewBenchObject.h"
#include "document/CMorvetDoc.h"
#include "platform/CDC.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kElements = 100000;

// The view redraw benchmarks' object, spread over the whole window at 100 %.
struct ZoomScene {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;

    ZoomScene() {
        doc.OnNewDocument();
        view_bench::FillObject(doc, kWidth, kHeight, kElements);
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(kWidth, kHeight);
        view->show();
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
    }
    void ZoomTo(CZoom z) {
        view->ResetZoom();
        view->SetZoom(z, CPoint(kWidth / 2, kHeight / 2));
        view->UpdateWindow();
    }
    void FullRedraw() {
        CDC dc(&view->Surface());
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
    }
};

ZoomScene& Scene() {
    static ZoomScene scene;
    return scene;
}

// The floor: the same figures at 25 % about the window's middle, through
// QPainter's own transform, white cosmetic outlines and the elements' fills.
void DrawScaledDirectly(const CShape& shape, QImage& image, double zoom) {
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::black);
    // The object holds coordinates about its center of mass, at the middle.
    p.translate(kWidth / 2, kHeight / 2);
    p.scale(zoom, zoom);
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    p.setPen(pen);
    for (const CPrimitive* e : shape.m_elements) {
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
}

void BM_FullRedrawAtQuarter_vs_QPainterScaled(benchmark::State& state) {
    ZoomScene& scene = Scene();
    scene.ZoomTo(CZoom{1, 4});
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline([&] { DrawScaledDirectly(scene.doc.m_shape, image, 0.25); });
        ratio.Operation([&] { scene.FullRedraw(); });
    }
    ratio.Report(state);
    if (qEnvironmentVariableIsSet("MORVET_BENCH_DUMP")) {
        scene.view->Surface().save("/tmp/zoom25-view.png");
        image.save("/tmp/zoom25-direct.png");
    }
}
BENCHMARK(BM_FullRedrawAtQuarter_vs_QPainterScaled)->Unit(benchmark::kMillisecond);

// Zoom Out then Zoom In between 33.3 % and 25 %, each with the repaint it
// causes, against invalidating the whole view and repainting it.
void BM_ZoomStep_vs_FullRedraw(benchmark::State& state) {
    ZoomScene& scene = Scene();
    scene.ZoomTo(CZoom{1, 3});
    CMorvetView& view = *scene.view;
    const CPoint middle(kWidth / 2, kHeight / 2);
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline([&] {
            view.Invalidate(true);
            view.UpdateWindow();
        });
        ratio.Operation([&] {
            view.SetZoom(view.Zoom().PreviousLevel(), middle);
            view.UpdateWindow();
        });
        ratio.Operation([&] {
            view.SetZoom(view.Zoom().NextLevel(), middle);
            view.UpdateWindow();
        });
        ratio.Baseline([&] {
            view.Invalidate(true);
            view.UpdateWindow();
        });
    }
    ratio.Report(state);
}
BENCHMARK(BM_ZoomStep_vs_FullRedraw)->Unit(benchmark::kMillisecond);

// One notch of the wheel down, then one up, at 200 % (the object twice the
// window's size), each with its repaint, against a full repaint at 200 %.
void BM_WheelScroll_vs_FullRedraw(benchmark::State& state) {
    ZoomScene& scene = Scene();
    scene.ZoomTo(CZoom{2, 1});
    CMorvetView& view = *scene.view;
    const auto notch = [&](int delta) {
        const QPointF at(kWidth / 2, kHeight / 2);
        QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        view.UpdateWindow();
    };
    const CPoint start = view.ScrollOffset();
    RatioTimer ratio;
    for (auto _ : state) {
        ratio.Baseline([&] {
            view.Invalidate(true);
            view.UpdateWindow();
        });
        ratio.Operation([&] { notch(-120); });
        ratio.Operation([&] { notch(120); });
        ratio.Baseline([&] {
            view.Invalidate(true);
            view.UpdateWindow();
        });
    }
    if (view.ScrollOffset() != start)
        state.SkipWithError("the wheel did not scroll back and forth");
    ratio.Report(state);
}
BENCHMARK(BM_WheelScroll_vs_FullRedraw)->Unit(benchmark::kMillisecond);
} // namespace
#endif
