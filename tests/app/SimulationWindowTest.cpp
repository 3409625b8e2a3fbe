// The Simulation window under real events: Ctrl+T in the editor opens it
// beside the editor, it plays, pauses, steps and restarts from keys sent to
// whichever control has the focus, the mouse throws the body, and it goes with
// its document.
#include "AppFixture.h"
#include "dialogs/ModalDriver.h"
#include "panels/CSimulationCanvas.h"
#include "panels/CSimulationWindow.h"
#include "simulation/SimulationRunner.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPointer>

namespace {
void AddBox(CMorvetDoc* doc, int l, int t, int r, int b, int32_t type = PRIM_POLYGON) {
    const POINT pts[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
    doc->AddElement(type, RGB(0, 200, 0), 4, pts);
}

// Lets the event loop run until the condition holds, however loaded the machine.
template <typename Fn> bool WaitFor(Fn condition) {
    return QTest::qWaitFor(condition, 20000);
}
} // namespace

using SimulationWindowTest = AppFixture;

TEST_F(SimulationWindowTest, OpensPlaysPausesStepsRestartsThrowsAndClosesWithItsDocument) {
    ASSERT_TRUE(Start());
    CMorvetDoc* doc = Doc();
    AddBox(doc, -20, -10, 20, 10);
    QTest::keyClick(View(), Qt::Key_T, Qt::ControlModifier);
    QPointer<CSimulationWindow> w = CSimulationWindow::Find(doc);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "Simulation - Object1");
    EXPECT_TRUE(w->IsPlaying());
    EXPECT_GE(w->x(), Frame()->frameGeometry().left()); // beside the editor, not over its left
    const SimulationRunner& sim = w->GetSimulation();
    ASSERT_TRUE(WaitFor([&] { return sim.State().t > 0.2; }));

    // The keys act from inside a number field, which keeps its value.
    auto* gravity = w->findChildren<QDoubleSpinBox*>().at(0);
    gravity->setFocus();
    QTest::keyClick(gravity, Qt::Key_Space);
    EXPECT_FALSE(w->IsPlaying());
    // Paused, no frame adds time and the runner has none left: nothing steps.
    EXPECT_TRUE(sim.IsIdle());
    const int paused = sim.State().steps;
    QTest::keyClick(gravity, Qt::Key_Right);
    EXPECT_EQ(sim.State().steps, paused + 1);
    EXPECT_FALSE(w->IsPlaying());
    EXPECT_EQ(gravity->value(), 9.81);
    EXPECT_EQ(gravity->text(), gravity->textFromValue(9.81) + gravity->suffix());

    // The canvas shows the body where it is, with the red cross on its center of mass.
    QImage shot = w->Canvas()->grab().toImage();
    const QPoint cross = w->Canvas()->SceneToPixel(sim.Position()).toPoint();
    EXPECT_EQ(shot.pixelColor(cross), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(cross + QPoint(12, 0)), QColor(0, 200, 0)); // the box's fill

    // Restart reads the object as it is now.
    AddBox(doc, 30, -10, 50, 10);
    QTest::keyClick(w->Canvas(), Qt::Key_Home);
    EXPECT_EQ(sim.State().steps, 0);
    EXPECT_EQ(sim.Model().fixtures.size(), 2u);
    // An object made invalid shows its problems in the window and runs no more.
    const POINT bowTie[4] = {{0, 0}, {40, 40}, {40, 0}, {0, 40}};
    doc->AddElement(PRIM_POLYGON, RGB(1, 1, 1), 4, bowTie);
    QTest::keyClick(gravity, Qt::Key_Home);
    EXPECT_FALSE(sim.IsRunning());
    EXPECT_FALSE(w->Errors().isEmpty());
    QTest::keyClick(gravity, Qt::Key_Space); // nothing to play
    EXPECT_FALSE(w->IsPlaying());
    doc->m_shape.DeleteElement(2);
    QTest::keyClick(gravity, Qt::Key_Home);
    EXPECT_TRUE(sim.IsRunning());

    // A press on the paused body takes hold and plays; dragging lifts it, and
    // the release lets it go.
    const QPoint body = w->Canvas()->SceneToPixel(sim.Position()).toPoint() + QPoint(-10, 0);
    QTest::mousePress(w->Canvas(), Qt::LeftButton, {}, body);
    EXPECT_TRUE(sim.IsGrabbing());
    EXPECT_TRUE(w->IsPlaying());
    QTest::mouseMove(w->Canvas(), body - QPoint(0, 60));
    ASSERT_TRUE(WaitFor([&] { return sim.State().y < -30; }));
    QTest::mouseRelease(w->Canvas(), Qt::LeftButton, {}, body - QPoint(0, 60));
    EXPECT_FALSE(sim.IsGrabbing());

    // Closing the document (without saving) closes its simulation and frees it.
    user.answers.push_back(QMessageBox::No);
    Frame()->Children()[0]->close();
    Idle();
    EXPECT_EQ(CSimulationWindow::Find(doc), nullptr);
    EXPECT_TRUE(w.isNull());
}

TEST_F(SimulationWindowTest, ClosingTheWindowStopsItAndTheCommandOpensAFreshOne) {
    ASSERT_TRUE(Start());
    AddBox(Doc(), -20, -10, 20, 10, PRIM_POLYLINE);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OBJECT_SIMULATE));
    QPointer<CSimulationWindow> first = CSimulationWindow::Find(Doc());
    ASSERT_TRUE(first);
    // The command again brings the same window forward.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OBJECT_SIMULATE));
    EXPECT_EQ(CSimulationWindow::Find(Doc()), first.data());
    first->close();
    EXPECT_FALSE(first->IsPlaying());
    EXPECT_FALSE(first->GetSimulation().IsRunning());
    Idle();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(CSimulationWindow::Find(Doc()), nullptr);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OBJECT_SIMULATE));
    EXPECT_NE(CSimulationWindow::Find(Doc()), nullptr);
}

TEST_F(SimulationWindowTest, AnObjectWithErrorsOpensNoSimulationAndShowsItsProblems) {
    ASSERT_TRUE(Start());
    const POINT bowTie[4] = {{0, 0}, {40, 40}, {40, 0}, {0, 40}};
    Doc()->AddElement(PRIM_POLYGON, RGB(1, 1, 1), 4, bowTie);
    QString shown;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        box->accept();
    });
    QTest::keyClick(View(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(shown.startsWith("This object cannot be simulated")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("element 0:")) << shown.toStdString();
    EXPECT_EQ(CSimulationWindow::Find(Doc()), nullptr);
}
