#include "ToolTestSupport.h"

namespace {
struct PickToolTest : ToolFixture {
    CPrimitive* a = nullptr; // filled boxes (10,10)-(60,40) and (100,10)-(150,40)
    CPrimitive* b = nullptr;
    CPrimitive* c = nullptr; // a diagonal line (200,10)-(250,40)

    void SetUp() override {
        ToolFixture::SetUp();
        a = Add(PRIM_POLYGON, {{10, 10}, {60, 10}, {60, 40}, {10, 40}});
        b = Add(PRIM_POLYGON, {{100, 10}, {150, 10}, {150, 40}, {100, 40}});
        c = Add(PRIM_POLYLINE, {{200, 10}, {250, 40}});
        Use(TOOL_SELECT);
        view->Invalidate(true);
        view->UpdateWindow();
    }
    std::vector<CPrimitive*> Sel() const { return view->Selection(); }
    CPickTool* Tool() const { return static_cast<CPickTool*>(view->Tool(TOOL_SELECT)); }
};

TEST_F(PickToolTest, ClickAndShiftClickBuildTheSelection) {
    Click(30, 25);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a}));
    Click(120, 25, Qt::ShiftModifier);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a, b}));
    Click(30, 25);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a, b})) << "a click on a selected one keeps all";
    Click(300, 200, Qt::ShiftModifier);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a, b}));

    Press(30, 25, Qt::ShiftModifier);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({b}));
    EXPECT_EQ(Tool()->PickMode(), PICK_RUBBER_BAND);
    Release(30, 25, Qt::ShiftModifier);
    EXPECT_EQ(Tool()->PickMode(), PICK_NONE);

    Click(300, 200);
    EXPECT_TRUE(Sel().empty());

    // The first press of a Shift double click adds, the double click removes.
    DoubleClick(225, 25, Qt::ShiftModifier);
    EXPECT_TRUE(Sel().empty());
    EXPECT_FALSE(view->HasCapture());
}

TEST_F(PickToolTest, PressPicksTheTopmostElement) {
    CPrimitive* top = Add(PRIM_POLYGON, {{40, 20}, {90, 20}, {90, 60}, {40, 60}});
    Click(50, 30);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({top}));
}

TEST_F(PickToolTest, RubberBandSelectsWhatItReachesAndLeavesNoTrace) {
    Click(300, 200);
    CPrimitive* big = Add(PRIM_POLYLINE, {{145, 35}, {390, 290}});
    Press(110, 110);
    Move(150, 140);
    Release(150, 140);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({big}));

    Press(160, 5);
    Move(160, 60);
    Release(160, 60);
    EXPECT_TRUE(Sel().empty()) << "a band of zero width selects nothing";

    Press(10, 60);
    Move(80, 120);
    view->UpdateWindow();
    EXPECT_EQ(Px(10, 60), 0xFFFFFFu) << "the focus rectangle shows";
    // A repaint in the middle of the drag must not turn the old band into a ghost.
    view->Invalidate(true);
    view->UpdateWindow();
    Move(30, 80);
    view->UpdateWindow();
    EXPECT_EQ(Px(21, 119), 0x000000u);
    EXPECT_EQ(Px(10, 70), 0xFFFFFFu);
    Release(30, 80);
    view->UpdateWindow();
    EXPECT_EQ(Px(10, 60), 0x000000u);
    EXPECT_EQ(Px(10, 70), 0x000000u);
}

TEST_F(PickToolTest, DraggingMovesEverySelectedElementAsOneUndoStep) {
    auto other = MakeView(doc);
    const auto aBefore = PointsOf(a), bBefore = PointsOf(b);
    Click(30, 25);
    Click(120, 25, Qt::ShiftModifier);
    Press(30, 25);
    Move(40, 30);
    Move(50, 35);
    Release(50, 35);
    EXPECT_EQ(PointsOf(a), Pts({{30, 20}, {80, 20}, {80, 50}, {30, 50}}));
    EXPECT_EQ(PointsOf(b)[0], CPoint(120, 20));
    EXPECT_EQ(PointsOf(c)[0], CPoint(200, 10));
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_TRUE(doc.IsModified());
    other->UpdateWindow();
    EXPECT_EQ(other->Surface().pixel(75, 45) & 0xFFFFFF, 0xFFFFFFu) << "other views follow";

    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0]), aBefore);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[1]), bBefore);
}

TEST_F(PickToolTest, GrabbedElementMarksModifiedEvenWithoutDisplacement) {
    Press(30, 25);
    Move(35, 25);
    Move(30, 25);
    Release(30, 25);
    EXPECT_EQ(PointsOf(a)[0], CPoint(10, 10));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), 1);
}

TEST_F(PickToolTest, VertexIsGrabbedWithinTwoUnitsOfTheOnlySelectedPath) {
    CPrimitive* p = Add(PRIM_POLYLINE, {{100, 100}, {200, 100}, {200, 200}});
    Click(150, 150);
    ASSERT_EQ(Sel(), std::vector<CPrimitive*>({p}));
    Press(202, 102);
    EXPECT_EQ(doc.GrabbedVertex(), &p->m_pPoints[1]);
    EXPECT_EQ(Tool()->PickMode(), PICK_VERTEX);
    Move(212, 112);
    Release(212, 112);
    EXPECT_EQ(PointsOf(p), Pts({{100, 100}, {210, 110}, {200, 200}}));
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_TRUE(doc.IsModified());
    view->UpdateWindow();
    EXPECT_NE(Px(207, 107), 0x000000u) << "the grabbed vertex keeps its mark after release";

    Press(213, 110);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr) << "3 units away grabs nothing";
    Release(213, 110);

    // With two elements selected the press is an ordinary one.
    Click(150, 150);
    Click(30, 25, Qt::ShiftModifier);
    Press(100, 100);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    EXPECT_EQ(Tool()->PickMode(), PICK_MOVE);
    Release(100, 100);

    CPrimitive* close = Add(PRIM_POLYGON, {{300, 100}, {303, 100}, {303, 140}});
    EXPECT_EQ(CPickTool::HitVertex(close, CPoint(302, 100), view.get()), 0);
    CPrimitive* circle = Add(PRIM_CIRCLE, {{300, 200}, {10, 10}});
    EXPECT_EQ(CPickTool::HitVertex(circle, CPoint(300, 200), view.get()), -1);
}

TEST_F(PickToolTest, TabStepsTheSelectionThroughTheDrawingOrder) {
    Click(120, 25);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({c}));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a}));

    Click(120, 25, Qt::ShiftModifier);
    Click(225, 25, Qt::ShiftModifier);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a, c, b}));
}

TEST_F(PickToolTest, ArrowKeysMoveTheSelectionOneUndoStepEach) {
    Click(225, 25);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(c), Pts({{201, 10}, {251, 40}}));
    EXPECT_EQ(doc.HistorySize(), 1);
    Key(Qt::Key_Down);
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(PointsOf(c), Pts({{200, 10}, {250, 40}}));
    EXPECT_EQ(doc.HistorySize(), 4);
    doc.Undo();
    doc.Undo();
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[2]), Pts({{201, 10}, {251, 40}}));
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[2]), Pts({{200, 10}, {250, 40}}));
}

TEST_F(PickToolTest, KeyMoveRightAfterADragSharesItsUndoStep) {
    Press(30, 25);
    Move(40, 25);
    Release(40, 25);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(a)[0], CPoint(21, 10));
    EXPECT_EQ(doc.HistorySize(), 1);
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0])[0], CPoint(10, 10));

    // A rubber band after the drag does not make a snapshot due either.
    a = doc.m_shape.m_elements[0];
    Press(30, 25);
    Move(40, 25);
    Release(40, 25);
    const int steps = doc.HistorySize();
    Press(5, 5);
    Move(45, 45);
    Release(45, 45);
    ASSERT_EQ(Sel(), std::vector<CPrimitive*>({a}));
    Key(Qt::Key_Down);
    EXPECT_EQ(doc.HistorySize(), steps);
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0])[0], CPoint(10, 10));
}

TEST_F(PickToolTest, KeyMoveAfterAnUndoIsAStepOfItsOwn) {
    Press(30, 25);
    Move(40, 25);
    Release(40, 25);
    doc.Undo();
    a = doc.m_shape.m_elements[0];
    Press(5, 5);
    Move(65, 45);
    Release(65, 45);
    ASSERT_EQ(Sel(), std::vector<CPrimitive*>({a}));
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(a)[0], CPoint(11, 10));
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0])[0], CPoint(10, 10));
}

TEST_F(PickToolTest, KeyMoveInAnotherDocumentAfterADragCanBeUndone) {
    Press(30, 25);
    Move(40, 25);
    Release(40, 25);

    CMorvetDoc other;
    other.OnNewDocument();
    auto otherView = MakeView(other);
    view->OnActivateView(false, otherView.get(), view.get());
    otherView->OnActivateView(true, otherView.get(), view.get());
    other.m_shape.AppendElement(PRIM_POLYLINE, RGB(255, 255, 255), 2,
                                new POINT[2]{{10, 10}, {50, 40}});
    otherView->SelectElement(other.m_shape.m_elements[0], false);
    otherView->setFocus();
    QTest::keyClick(otherView.get(), Qt::Key_Right);
    EXPECT_EQ(CPoint(other.m_shape.m_elements[0]->m_pPoints[0]), CPoint(11, 10));
    ASSERT_TRUE(other.CanUndo());
    other.Undo();
    EXPECT_EQ(CPoint(other.m_shape.m_elements[0]->m_pPoints[0]), CPoint(10, 10));
}

TEST_F(PickToolTest, ArrowKeysMoveTheGrabbedVertexAfterRelease) {
    Click(225, 25);
    Click(250, 41);
    ASSERT_EQ(doc.GrabbedVertex(), &c->m_pPoints[1]);
    const int steps = doc.HistorySize();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(c), Pts({{200, 10}, {252, 40}}));
    EXPECT_EQ(doc.HistorySize(), steps + 2);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[2]), Pts({{200, 10}, {251, 40}}));
}
} // namespace

// An arrow key in the middle of a band drag redraws the view with the band
// still on it, so the band is taken away whole at the release.
TEST_F(PickToolTest, AnArrowKeyDuringABandDragLeavesNoMarkBehind) {
    Click(30, 25);
    Press(300, 200, Qt::ShiftModifier);
    Move(260, 150);
    Key(Qt::Key_Right);
    Move(230, 120);
    Key(Qt::Key_Down);
    Move(220, 110);
    Release(220, 110, Qt::ShiftModifier);
    EXPECT_EQ(PointsOf(a), Pts({{11, 11}, {61, 11}, {61, 41}, {11, 41}}));
    EXPECT_EQ(Sel(), std::vector<CPrimitive*>({a}));
    const QImage shown = view->Surface().copy();
    view->Invalidate(true);
    view->UpdateWindow();
    EXPECT_EQ(shown, view->Surface());
}
