#include "ToolTestSupport.h"

#include "tools/SquareFromDrag.h"

namespace {
using BoxShapeToolTest = ToolFixture;

TEST_F(BoxShapeToolTest, RectangleKeepsTheDragDirectionAndTheColourAtRelease) {
    Use(TOOL_RECTANGLE);
    doc.m_color = RGB(0, 128, 255);
    Drag(10, 10, 60, 40);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(Last()->m_nType, PRIM_POLYLINE);
    EXPECT_EQ(Last()->m_crColor, RGB(0, 128, 255));
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {10, 40}, {60, 40}, {60, 10}, {10, 10}}));

    Press(60, 40);
    Move(10, 10);
    doc.m_color = RGB(255, 0, 0);
    Release(10, 10);
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    EXPECT_EQ(Last()->m_crColor, RGB(255, 0, 0));
    EXPECT_EQ(PointsOf(Last()), Pts({{60, 40}, {60, 10}, {10, 10}, {10, 40}, {60, 40}}));

    // One undo step per element, each taking back exactly one.
    EXPECT_EQ(doc.HistorySize(), 2);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_FALSE(view->HasCapture());
}

TEST_F(BoxShapeToolTest, FilledRectangleIsAFourCornerPolygonOnTop) {
    Add(PRIM_POLYLINE, {{0, 0}, {300, 200}});
    Use(TOOL_FILLED_RECTANGLE);
    Drag(10, 10, 60, 40);
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    EXPECT_EQ(Last()->m_nType, PRIM_POLYGON);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {10, 40}, {60, 40}, {60, 10}}));
}

TEST_F(BoxShapeToolTest, CirclesUseTheSquareFromThePressPoint) {
    struct Case {
        CPoint a, b, centre;
        int radius;
    };
    const Case cases[] = {
        {{100, 100}, {130, 120}, {110, 110}, 10},
        {{100, 100}, {70, 120}, {90, 110}, 10},
        {{1, 1}, {6, 10}, {3, 3}, 2}, // (0,0) would be the middle of the view to QTest
        {{100, 100}, {150, 100}, {100, 100}, 0},
    };
    Use(TOOL_CIRCLE);
    for (const Case& c : cases) {
        Drag(c.a.x, c.a.y, c.b.x, c.b.y);
        EXPECT_EQ(Last()->m_nType, PRIM_CIRCLE);
        EXPECT_EQ(PointsOf(Last()), Pts({c.centre, {c.radius, c.radius}}))
            << "drag to " << c.b.x << "," << c.b.y;
    }
    EXPECT_EQ(SquareFromDrag(CPoint(100, 100), CPoint(70, 120)), CRect(80, 100, 100, 120));

    Use(TOOL_FILLED_CIRCLE);
    Drag(100, 100, 130, 120);
    EXPECT_EQ(Last()->m_nType, PRIM_FILLED_CIRCLE);
    EXPECT_EQ(doc.m_shape.GetSize(), 5);
}

TEST_F(BoxShapeToolTest, ClickWithoutDragAddsNothingAndLeavesNoBand) {
    Use(TOOL_FILLED_RECTANGLE);
    doc.m_color = RGB(0, 255, 0);
    Press(40, 40);
    Move(90, 80);
    view->UpdateWindow();
    EXPECT_EQ(Px(60, 60), 0x00FF00u) << "the band shows while dragging";
    Move(40, 40);
    view->UpdateWindow();
    Release(40, 40);
    view->UpdateWindow();
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(Px(40, 40), 0x000000u);
    EXPECT_EQ(Px(60, 60), 0x000000u);
    EXPECT_FALSE(view->HasCapture());
}

TEST_F(BoxShapeToolTest, ShrinkingBandLeavesNothingBehind) {
    Use(TOOL_RECTANGLE);
    Press(10, 10);
    Move(100, 100);
    view->UpdateWindow();
    EXPECT_EQ(Px(100, 50), 0xFFFFFFu);
    Move(30, 30);
    view->UpdateWindow();
    EXPECT_EQ(Px(100, 50), 0x000000u);
    EXPECT_EQ(Px(30, 20), 0xFFFFFFu);
    // A band of zero height is still a line on the screen.
    Move(80, 10);
    view->UpdateWindow();
    EXPECT_EQ(Px(30, 20), 0x000000u);
    Move(80, 50);
    view->UpdateWindow();
    Release(80, 50);
}

TEST_F(BoxShapeToolTest, EveryViewOfTheDocumentShowsTheNewElement) {
    auto other = MakeView(doc);
    view->UpdateWindow();
    Use(TOOL_RECTANGLE);
    view->SelectElement(Add(PRIM_POLYLINE, {{300, 250}, {350, 280}}), false);
    Drag(10, 10, 60, 40);
    EXPECT_TRUE(view->Selection().empty()) << "drawing clears the selection";
    other->UpdateWindow();
    EXPECT_EQ(other->Surface().pixel(35, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(other->Surface().pixel(60, 25) & 0xFFFFFF, 0xFFFFFFu);
}

// A window of another size shows the object about its own middle, so the new
// element lies elsewhere there than in the window it was drawn in.
TEST_F(BoxShapeToolTest, ViewsOfOtherSizesShowTheNewElementWhereTheyDrawIt) {
    auto other = std::make_unique<CMorvetView>(&doc);
    other->resize(600, 400);
    other->show();
    other->UpdateWindow();
    Use(TOOL_RECTANGLE);
    Drag(10, 10, 60, 40);
    view->UpdateWindow();
    EXPECT_EQ(Px(35, 10), 0xFFFFFFu);
    other->UpdateWindow();
    EXPECT_EQ(other->Surface().pixel(135, 60) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(other->Surface().pixel(160, 75) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(BoxShapeToolTest, CreationToolsShowTheCrosshair) {
    Use(TOOL_CIRCLE);
    Move(50, 50);
    EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(view->cursor().hotSpot(), QPoint(16, 16));
    Use(TOOL_POLYGON);
    view->setCursor(Qt::ArrowCursor);
    Move(60, 50);
    EXPECT_EQ(view->cursor().hotSpot(), QPoint(16, 16));
    Use(TOOL_SELECT);
    Move(70, 50);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}
} // namespace
