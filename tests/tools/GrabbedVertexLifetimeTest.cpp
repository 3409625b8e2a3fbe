// Every way an element can be destroyed while one of its vertices is grabbed.
// Run under AddressSanitizer (MORVET_SANITIZE=ON) these fail loudly if a
// repaint or an arrow key reaches freed memory.
#include "ToolTestSupport.h"

#include "res/CommandIds.h"

namespace {
struct GrabbedVertexLifetimeTest : ToolFixture {
    CPrimitive* line = nullptr;
    CPrimitive* box = nullptr;

    void SetUp() override {
        ToolFixture::SetUp();
        box = Add(PRIM_POLYGON, {{10, 10}, {60, 10}, {60, 40}, {10, 40}});
        line = Add(PRIM_POLYLINE, {{100, 100}, {200, 100}, {200, 200}});
        Use(TOOL_SELECT);
    }
    void GrabCorner() {
        Click(150, 150);
        Click(200, 100);
        ASSERT_EQ(doc.GrabbedVertex(), &line->m_pPoints[1]);
    }
    void RepaintAndPressArrows(CMorvetView& v) {
        v.Invalidate(true);
        v.UpdateWindow();
        QTest::keyClick(&v, Qt::Key_Right);
        QTest::keyClick(&v, Qt::Key_Down);
        v.UpdateWindow();
    }
};

TEST_F(GrabbedVertexLifetimeTest, UndoAndRedoDropTheVertex) {
    GrabCorner();
    Key(Qt::Key_Left);
    view->OnCmdMsg(ID_EDIT_UNDO, nullptr);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    RepaintAndPressArrows(*view);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[1])[1], CPoint(200, 100));

    line = doc.m_shape.m_elements[1];
    GrabCorner();
    view->OnCmdMsg(ID_EDIT_REDO, nullptr);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    RepaintAndPressArrows(*view);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[1])[1], CPoint(199, 100));
}

TEST_F(GrabbedVertexLifetimeTest, UndoInTheMiddleOfAVertexDrag) {
    GrabCorner();
    Press(200, 100);
    Move(210, 100);
    view->OnCmdMsg(ID_EDIT_UNDO, nullptr);
    Move(220, 110);
    Release(220, 110);
    RepaintAndPressArrows(*view);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[1])[1], CPoint(200, 100));
}

TEST_F(GrabbedVertexLifetimeTest, ClearAndCutDropTheVertex) {
    GrabCorner();
    view->OnCmdMsg(ID_EDIT_CLEAR, nullptr);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    RepaintAndPressArrows(*view);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0])[0], CPoint(10, 10));

    line = Add(PRIM_POLYLINE, {{100, 100}, {200, 100}, {200, 200}});
    GrabCorner();
    view->OnCmdMsg(ID_EDIT_CUT, nullptr);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    RepaintAndPressArrows(*view);
}

// The grabbed vertex is the document's: edits in a second window that move
// its element to another place in the object take it along, and an undo
// there lets go of it in both windows.
TEST_F(GrabbedVertexLifetimeTest, EditsInAnotherWindowOfTheDocumentKeepItsPlace) {
    auto second = MakeView(doc);
    GrabCorner();
    second->SelectElement(box, false);
    second->OnCmdMsg(ID_OBJECT_MOVE_FORWARD, nullptr);
    ASSERT_EQ(doc.m_shape.m_elements[0], line);
    EXPECT_EQ(doc.GrabbedVertex(), &line->m_pPoints[1]);
    second->OnCmdMsg(ID_EDIT_CLEAR, nullptr);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(doc.GrabbedVertex(), &line->m_pPoints[1]);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(line)[1], CPoint(201, 100));

    second->OnCmdMsg(ID_EDIT_UNDO, nullptr);
    second->OnCmdMsg(ID_EDIT_UNDO, nullptr);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    RepaintAndPressArrows(*view);
    RepaintAndPressArrows(*second);
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    EXPECT_EQ(PointsOf(doc.m_shape.m_elements[0])[1], CPoint(200, 100));
}

TEST_F(GrabbedVertexLifetimeTest, ClosingTheDocumentDropsTheVertex) {
    auto other = std::make_unique<CMorvetDoc>();
    other->OnNewDocument();
    auto otherView = MakeView(*other);
    // (100, 100) to (300, 250) in its window.
    POINT* pts = new POINT[2]{{-100, -50}, {100, 100}};
    other->m_shape.AppendElement(PRIM_POLYLINE, RGB(255, 255, 255), 2, pts);
    view->OnActivateView(false, nullptr, view.get());
    otherView->OnActivateView(true, otherView.get(), nullptr);
    otherView->UseTool(TOOL_SELECT);
    QTest::mouseClick(otherView.get(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseClick(otherView.get(), Qt::LeftButton, {}, QPoint(300, 249));
    ASSERT_NE(other->GrabbedVertex(), nullptr);

    otherView.reset();
    other.reset();
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    view->OnActivateView(true, view.get(), nullptr);
    RepaintAndPressArrows(*view);
}

TEST_F(GrabbedVertexLifetimeTest, ArrowsInAnotherDocumentLeaveTheVertexAlone) {
    CMorvetDoc other;
    other.OnNewDocument();
    auto otherView = MakeView(other);
    GrabCorner();
    QTest::keyClick(otherView.get(), Qt::Key_Right);
    EXPECT_EQ(PointsOf(line)[1], CPoint(200, 100));
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(other.HistorySize(), 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(line)[1], CPoint(201, 100));
}
} // namespace
