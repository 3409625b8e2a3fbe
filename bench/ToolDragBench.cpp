// What one pointer move costs while the select tool drags the selection: the
// tool translates the selected elements and redraws the whole view at once,
// so the step should cost little more than one full redraw of the view.
#ifdef MORVET_BENCH_WITH_UI
#include "BenchRatio.h"
#include "document/CMorvetDoc.h"
#include "tools/CPickTool.h"
#include "tools/CVertexTool.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int kWidth = 800;
constexpr int kHeight = 600;

// 100,000 small elements of every kind spread over the window, with a box on
// top in the middle that the benchmarks select.
struct DragScene {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;

    explicit DragScene(int elements) {
        doc.OnNewDocument();
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(kWidth, kHeight);
        view->show();
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
        uint32_t seed = 12345;
        const auto next = [&seed](int range) {
            seed = seed * 1664525u + 1013904223u;
            return int((seed >> 8) % uint32_t(range));
        };
        for (int i = 0; i < elements - 1; ++i) {
            const int x = next(kWidth - 20), y = next(kHeight - 20);
            const int type = i % 4;
            const COLORREF colour = RGB(next(256), next(256), next(256));
            if (type >= PRIM_CIRCLE) {
                const int r = 1 + next(8);
                doc.m_shape.AppendElement(type, colour, 2, new POINT[2]{{x + 10, y + 10}, {r, r}});
            } else {
                doc.m_shape.AppendElement(type, colour, 4,
                                          new POINT[4]{{x, y},
                                                       {x + next(20), y},
                                                       {x + next(20), y + next(20)},
                                                       {x, y + next(20)}});
            }
        }
        doc.m_shape.AppendElement(PRIM_POLYGON, RGB(255, 255, 0), 4,
                                  new POINT[4]{{380, 280}, {420, 280}, {420, 320}, {380, 320}});
        // Laid out in window pixels; the document holds them about the center
        // of mass, which the view shows at its middle.
        doc.m_shape.Move(-kWidth / 2, -kHeight / 2);
        view->UseTool(TOOL_SELECT);
        view->SelectElement(doc.m_shape.m_elements.back(), false);
        view->UpdateWindow();
    }
    ~DragScene() { view->ReleaseCapture(); }

    void RedrawNow() {
        CClientDC dc(view.get());
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
    }
    void SendMove(int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &move);
    }
};

void BM_FullRedraw(benchmark::State& state) {
    DragScene scene(int(state.range(0)));
    for (auto _ : state)
        scene.RedrawNow();
}

// Presses on the selected box, so that every later pointer move drags it.
bool StartDrag(DragScene& scene, benchmark::State& state) {
    scene.view->CurrentTool()->MouseDown(scene.view.get(), MK_LBUTTON, CPoint(400, 300));
    if (static_cast<CPickTool*>(scene.view->CurrentTool())->PickMode() != PICK_MOVE) {
        state.SkipWithError("the press did not grab the selection");
        return false;
    }
    // The first step records the undo snapshot; every later one only moves.
    scene.SendMove(401, 300);
    return true;
}

void BM_SelectToolDragStep(benchmark::State& state) {
    DragScene scene(int(state.range(0)));
    if (!StartDrag(scene, state))
        return;
    int dx = 1;
    for (auto _ : state) {
        dx = 1 - dx;
        scene.SendMove(400 + dx, 300);
    }
    scene.view->CurrentTool()->MouseUp(scene.view.get(), 0, CPoint(400 + dx, 300));
}

// The two alternately in every iteration, so that both see the same noise.
void BM_SelectToolDragStepVsFullRedraw(benchmark::State& state) {
    DragScene scene(int(state.range(0)));
    if (!StartDrag(scene, state))
        return;
    RatioTimer timer;
    int dx = 1;
    for (auto _ : state) {
        dx = 1 - dx;
        timer.Baseline([&] { scene.RedrawNow(); });
        timer.Operation([&] { scene.SendMove(400 + dx, 300); });
    }
    timer.Report(state);
    scene.view->CurrentTool()->MouseUp(scene.view.get(), 0, CPoint(400 + dx, 300));
}
// The Edit Vertices tool drags one corner of the selected box: the tool moves
// the vertex and redraws the whole view, handles included, at once.
void BM_VertexToolDragStepVsFullRedraw(benchmark::State& state) {
    DragScene scene(int(state.range(0)));
    scene.view->UseTool(TOOL_EDIT_VERTICES);
    auto* tool = static_cast<CVertexTool*>(scene.view->CurrentTool());
    tool->MouseDown(scene.view.get(), MK_LBUTTON, CPoint(380, 280));
    if (tool->SelectedHandles(scene.view.get()).size() != 1) {
        state.SkipWithError("the press did not grab the corner");
        return;
    }
    scene.SendMove(381, 280);
    RatioTimer timer;
    int dx = 1;
    for (auto _ : state) {
        dx = 1 - dx;
        timer.Baseline([&] { scene.RedrawNow(); });
        timer.Operation([&] { scene.SendMove(380 + dx, 280); });
    }
    timer.Report(state);
    tool->MouseUp(scene.view.get(), 0, CPoint(380 + dx, 280));
}
} // namespace

BENCHMARK(BM_FullRedraw)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectToolDragStep)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectToolDragStepVsFullRedraw)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VertexToolDragStepVsFullRedraw)->Arg(100000)->Unit(benchmark::kMillisecond);
#endif
