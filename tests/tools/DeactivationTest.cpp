#include "ToolTestSupport.h"

#include <QApplication>
#include <QDialog>

namespace {
// Another window takes over (Ctrl+N, Ctrl+Tab) while the mouse is still held
// in this one: the drag must end there, or this window, now inactive and
// deaf to the mouse, would keep the mouse from every window.
struct DeactivationTest : ToolFixture {
    CMorvetDoc otherDoc;
    std::unique_ptr<CMorvetView> other;

    void SetUp() override {
        ToolFixture::SetUp();
        otherDoc.OnNewDocument();
        other = MakeView(otherDoc);
    }
    void TearDown() override {
        other.reset();
        ToolFixture::TearDown();
    }
    void SwitchToOther() {
        view->OnActivateView(false, other.get(), view.get());
        other->OnActivateView(true, other.get(), view.get());
    }
};

TEST_F(DeactivationTest, BoxDragEndsWhereThePointerWasAndTheMouseIsFree) {
    Use(TOOL_RECTANGLE);
    Press(10, 10);
    Move(60, 40);
    SwitchToOther();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {10, 40}, {60, 40}, {60, 10}, {10, 10}}));
    // No band is left behind for the next repaint of a rectangle tool.
    EXPECT_FALSE(static_cast<CBoxShapeTool*>(view->Tool(TOOL_RECTANGLE))->m_bTracking);
    Release(60, 40);

    other->UseTool(TOOL_RECTANGLE);
    QTest::mousePress(other.get(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(other.get(), QPoint(50, 50));
    QTest::mouseRelease(other.get(), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(otherDoc.m_shape.GetSize(), 1);
}

TEST_F(DeactivationTest, RubberBandIsTakenOffTheWindowAndSelects) {
    CPrimitive* e = Add(PRIM_POLYGON, {{20, 20}, {40, 20}, {40, 40}});
    Press(10, 10);
    Move(30, 30);
    SwitchToOther();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_TRUE(view->IsSelected(e));
    view->UpdateWindow();
    EXPECT_EQ(Px(10, 10), 0u);
    EXPECT_EQ(Px(30, 15), 0u);
}

TEST_F(DeactivationTest, PathBeingCollectedIsFinished) {
    Use(TOOL_POLYLINE);
    Drag(10, 10, 50, 10);
    Click(50, 50);
    Move(80, 80);
    SwitchToOther();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {50, 10}, {50, 50}}));
    EXPECT_EQ(static_cast<CPathTool*>(view->Tool(TOOL_POLYLINE))->m_nPointCount, 0u);
}
TEST_F(DeactivationTest, ModalDialogOpenedMidDragGetsTheMouse) {
    QApplication::setActiveWindow(view.get());
    Use(TOOL_FILLED_RECTANGLE);
    Press(10, 10);
    Move(60, 40);
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {10, 40}, {60, 40}, {60, 10}}));
    EXPECT_FALSE(static_cast<CBoxShapeTool*>(view->Tool(TOOL_FILLED_RECTANGLE))->m_bTracking);
}
} // namespace
