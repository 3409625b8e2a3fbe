// The physics of the view benchmarks' 100,000-element object: building the
// model (mass properties, validity, convex pieces) against one full redraw,
// and a select-tool drag step in the real main window with the Physics panel
// open, against the same redraw.
#ifdef MORVET_BENCH_WITH_UI
#include "BenchRatio.h"
#include "ViewBenchObject.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMorvetApp.h"
#include "app/CommandLine.h"
#include "panels/CPhysicsPanel.h"
#include "physics/PhysicsModel.h"
#include "res/CommandIds.h"
#include "tools/CPickTool.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kElements = 100000;

struct PhysicsScene {
    QTemporaryDir dir;
    std::unique_ptr<CMorvetApp> app;
    CMainFrame* frame = nullptr;
    CMorvetView* view = nullptr;
    CMorvetDoc* doc = nullptr;

    PhysicsScene() {
        app = std::make_unique<CMorvetApp>(
            std::make_unique<QSettings>(dir.filePath("settings.ini"), QSettings::IniFormat),
            CShellPrompts{});
        app->InitInstance(ParseCommandLine({"morvet"}));
        frame = app->MainFrame();
        frame->resize(1000, 800);
        frame->ActiveChild()->showMaximized();
        QApplication::processEvents();
        view = frame->ActiveView();
        doc = frame->ActiveDocument();
        view_bench::FillObject(*doc, 800, 600, kElements);
        // A box on top at the center of mass, selected, for the drag.
        doc->m_shape.AppendElement(PRIM_POLYGON, RGB(255, 255, 0), 4,
                                   new POINT[4]{{-20, -20}, {20, -20}, {20, 20}, {-20, 20}});
        view->UseTool(TOOL_SELECT);
        view->SelectElement(doc->m_shape.m_elements.back(), false);
        view->UpdateWindow();
    }
    ~PhysicsScene() { view->ReleaseCapture(); }

    void RedrawNow() {
        CClientDC dc(view);
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
    }
    void SendMove(int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
};

void BM_PhysicsModel_vs_FullRedraw(benchmark::State& state) {
    PhysicsScene scene;
    RatioTimer timer;
    size_t fixtures = 0;
    for (auto _ : state) {
        timer.Baseline([&] { scene.RedrawNow(); });
        timer.Operation([&] {
            const PhysicsModel m = BuildPhysicsModel(scene.doc->m_shape);
            fixtures = m.fixtures.size();
        });
    }
    timer.Report(state);
    state.counters["fixtures"] = double(fixtures);
}

// What the panel costs the interface thread once the drag is released: the
// look at the object and its copy for the worker, which does the rest.
void BM_PanelRefresh_vs_FullRedraw(benchmark::State& state) {
    PhysicsScene scene;
    scene.frame->ExecuteCommand(ID_VIEW_PHYSICS_PANEL);
    scene.frame->OnIdleUpdateCmdUI();
    CPhysicsPanel* panel = scene.app->PhysicsPanel();
    RatioTimer timer;
    CPrimitive* box = scene.doc->m_shape.m_elements.back();
    int dx = 1;
    for (auto _ : state) {
        // The previous analysis ends untimed, so that each idle starts one.
        while (panel->IsAnalysing()) {
            QThread::msleep(1);
            QCoreApplication::processEvents();
        }
        dx = -dx;
        TransformPrimitive(box, box->m_pPoints, 0, 0, dx, 0, 0.0, 1.0, 1.0);
        timer.Baseline([&] { scene.RedrawNow(); });
        timer.Operation([&] { scene.frame->OnIdleUpdateCmdUI(); });
    }
    timer.Report(state);
    state.counters["rebuilds"] = scene.app->PhysicsPanel()->RebuildCount();
}

// One pointer move of a select-tool drag followed by the idle update that the
// frame runs after every input: the command states and the open panel, which
// must leave the object alone until the release.
void BM_DragStepWithPanel_vs_FullRedraw(benchmark::State& state) {
    PhysicsScene scene;
    scene.frame->ExecuteCommand(ID_VIEW_PHYSICS_PANEL);
    scene.frame->OnIdleUpdateCmdUI();
    CPhysicsPanel* panel = scene.app->PhysicsPanel();
    const CPoint m = scene.view->Anchor();
    scene.view->CurrentTool()->MouseDown(scene.view, MK_LBUTTON, m);
    if (static_cast<CPickTool*>(scene.view->CurrentTool())->PickMode() != PICK_MOVE) {
        state.SkipWithError("the press did not grab the selection");
        return;
    }
    scene.SendMove(m.x + 1, m.y);
    const int rebuilds = panel->RebuildCount();
    RatioTimer timer;
    int dx = 1;
    for (auto _ : state) {
        dx = 1 - dx;
        timer.Baseline([&] { scene.RedrawNow(); });
        timer.Operation([&] {
            scene.SendMove(m.x + dx, m.y);
            scene.frame->OnIdleUpdateCmdUI();
        });
    }
    timer.Report(state);
    if (panel->RebuildCount() != rebuilds)
        state.SkipWithError("the panel computed during the drag");
    scene.view->CurrentTool()->MouseUp(scene.view, 0, CPoint(m.x + dx, m.y));
}

} // namespace

BENCHMARK(BM_PhysicsModel_vs_FullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelRefresh_vs_FullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepWithPanel_vs_FullRedraw)->Unit(benchmark::kMillisecond);
#endif
