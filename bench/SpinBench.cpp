// The spin animation of a 1,000-element object against its floor: the same 126
// rotated frames drawn straight into an image of the view's size with
// QPainter, plus the 126 pauses of 2 ms that no spin can avoid.
#include "BenchRatio.h"
#include "ThousandElementObject.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 126;
constexpr double kPausesNs = kFrames * 2e6;

// The figures of one frame with QPainter alone: white outlines, element fills.
void DrawDirect(QPainter& p, const CShape& shape) {
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    p.setPen(pen);
    for (const CPrimitive* e : shape.m_elements) {
        const auto* pts = reinterpret_cast<const QPoint*>(e->m_pPoints);
        if (e->m_nType == PRIM_POLYLINE) {
            p.drawPolyline(pts, e->m_nPoints);
            continue;
        }
        p.setBrush(ToQColor(e->m_crColor));
        if (e->m_nType == PRIM_POLYGON) {
            p.drawPolygon(pts, e->m_nPoints);
        } else {
            const int r = e->m_pPoints[1].x;
            p.drawEllipse(QRect(pts[0].x() - r, pts[0].y() - r, 2 * r, 2 * r));
        }
    }
}

void BM_SpinAgainstFloor(benchmark::State& state) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    auto view = std::make_unique<CMorvetView>(&doc);
    view->resize(kWidth, kHeight);
    view->show();
    view->OnActivateView(true, view.get(), nullptr);
    // Frames only reach a window that is on screen.
    for (int i = 0; i < 100 && !(view->windowHandle() && view->windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    view->UpdateWindow();
    const CPoint c(kWidth / 2, kHeight / 2);
    // The baseline turns the object as the window shows it; the document
    // holds it relative to the center of mass.
    CShape shown;
    FillThousandElementObject(shown, kWidth, kHeight);
    doc.m_shape = shown;
    doc.m_shape.Move(-c.x, -c.y);
    view->Invalidate();
    view->UpdateWindow();

    CShape copy(shown);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    RatioTimer timer;
    double drawNs = 0, spinNs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        timer.Baseline([&] {
            double angle = 6.28318;
            for (int f = 0; f < kFrames; ++f, angle -= 0.05) {
                shown.TransformInto(copy, c.x, c.y, c.x, c.y, angle, 1.0, 1.0);
                QPainter p(&image);
                p.fillRect(image.rect(), Qt::black);
                DrawDirect(p, copy);
            }
            benchmark::DoNotOptimize(image.constBits());
        });
        const auto t1 = std::chrono::steady_clock::now();
        timer.Operation([&] { view->OnCmdMsg(ID_OBJECT_SPIN, nullptr); });
        const auto t2 = std::chrono::steady_clock::now();
        drawNs += double(std::chrono::duration_cast<std::chrono::nanoseconds>(t1 - t0).count());
        spinNs += double(std::chrono::duration_cast<std::chrono::nanoseconds>(t2 - t1).count());
    }
    const double n = double(state.iterations());
    state.counters["spin_ms"] = spinNs / n / 1e6;
    state.counters["floor_ms"] = (drawNs / n + kPausesNs) / 1e6;
    state.counters["x_floor"] = spinNs / (drawNs + kPausesNs * n);
    // x_cpu: the spin's drawing work against the direct drawing (pauses cost no CPU).
    timer.Report(state);
    state.counters.erase("x_wall");
}
BENCHMARK(BM_SpinAgainstFloor)->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace
