#include "ToolTestSupport.h"

namespace {
struct PathToolTest : ToolFixture {
    CPathTool* Tool(int code) { return static_cast<CPathTool*>(view->Tool(code)); }

    // Press at the first vertex, drag to the second and release there, click
    // the third, double click the fourth.
    void DrawSquarePath() {
        Press(10, 10);
        Move(50, 10);
        Release(50, 10);
        Move(50, 50);
        Click(50, 50);
        Move(10, 50);
        DoubleClick(10, 50);
    }
};

TEST_F(PathToolTest, PolylineAndPolygonFinishByDoubleClick) {
    Use(TOOL_POLYLINE);
    DrawSquarePath();
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(Last()->m_nType, PRIM_POLYLINE);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {50, 10}, {50, 50}, {10, 50}}));
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_FALSE(view->HasCapture());
    EXPECT_EQ(Tool(TOOL_POLYLINE)->m_nPointCount, 0);

    Use(TOOL_POLYGON);
    doc.m_color = RGB(0, 0, 255);
    DrawSquarePath();
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    EXPECT_EQ(Last()->m_nType, PRIM_POLYGON);
    EXPECT_EQ(Last()->m_crColor, RGB(0, 0, 255));
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {50, 10}, {50, 50}, {10, 50}}));
    view->UpdateWindow();
    EXPECT_EQ(Px(30, 30), 0x0000FFu) << "the finished polygon is filled on screen";
}

TEST_F(PathToolTest, ClickWithinTwoUnitsCancelsTheFirstVertex) {
    Use(TOOL_POLYLINE);
    Press(100, 100);
    Move(102, 98);
    Release(102, 98);
    EXPECT_EQ(Tool(TOOL_POLYLINE)->m_nPointCount, 0);
    EXPECT_FALSE(view->HasCapture());
    view->UpdateWindow();
    EXPECT_EQ(Px(101, 99), 0x000000u) << "the rubber line is taken back";
    DoubleClick(200, 200);
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    EXPECT_EQ(doc.HistorySize(), 0);

    Press(100, 100);
    Move(103, 100);
    Release(103, 100);
    EXPECT_EQ(Tool(TOOL_POLYLINE)->m_nPointCount, 2) << "3 units away is a second vertex";
    EXPECT_TRUE(view->HasCapture());
}

TEST_F(PathToolTest, HundredthVertexFinishesAtOnce) {
    Use(TOOL_POLYGON);
    Press(10, 10);
    Move(14, 10);
    Release(14, 10);
    for (int i = 2; i < CPathTool::kMaxPoints; ++i)
        Click(10 + 4 * i, 10 + (i % 2) * 20);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(Last()->m_nPoints, 100);
    EXPECT_EQ(PointsOf(Last()).back(), CPoint(10 + 4 * 99, 30));
    EXPECT_FALSE(view->HasCapture());

    Press(60, 200);
    EXPECT_EQ(Tool(TOOL_POLYGON)->m_nPointCount, 1) << "the next click starts a new element";
    EXPECT_EQ(CPoint(Tool(TOOL_POLYGON)->m_points[0]), CPoint(60, 200));
}

TEST_F(PathToolTest, AnyKeyFinishesEvenWithOnePoint) {
    Use(TOOL_POLYLINE);
    Press(30, 30);
    Move(80, 60);
    Key(Qt::Key_A);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{30, 30}}));
    EXPECT_FALSE(view->HasCapture());
    view->UpdateWindow();
    EXPECT_EQ(Px(55, 45), 0x000000u) << "the view is repainted without the rubber line";

    Key(Qt::Key_Space);
    EXPECT_EQ(doc.m_shape.GetSize(), 1) << "a key with nothing collected adds nothing";
}

TEST_F(PathToolTest, BackspaceTakesBackTheLastVertexAndEscapeTheWholeElement) {
    Use(TOOL_POLYLINE);
    Press(10, 10);
    Move(50, 10);
    Release(50, 10);
    Move(50, 50);
    Click(50, 50);
    Move(90, 50);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Tool(TOOL_POLYLINE)->m_nPointCount, 2);
    EXPECT_EQ(Px(50, 30), 0x000000u) << "the taken-back segment is gone";
    EXPECT_EQ(Px(70, 30), 0xFFFFFFu) << "the rubber line starts at the vertex before";
    Move(90, 90);
    EXPECT_EQ(Px(70, 30), 0x000000u);
    Click(90, 90);
    Move(10, 90);
    DoubleClick(10, 90);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {50, 10}, {90, 90}, {10, 90}}));
    EXPECT_EQ(doc.HistorySize(), 1);

    // Backspace down to the first vertex cancels; Escape cancels at once.
    Use(TOOL_POLYGON);
    for (Qt::Key last : {Qt::Key_Backspace, Qt::Key_Escape}) {
        Press(200, 100);
        Move(260, 100);
        Release(260, 100);
        Click(260, 160);
        Move(200, 160);
        if (last == Qt::Key_Backspace) {
            Key(Qt::Key_Backspace);
            Key(Qt::Key_Backspace);
        }
        Key(last);
        EXPECT_EQ(Tool(TOOL_POLYGON)->m_nPointCount, 0);
        EXPECT_FALSE(view->HasCapture());
        EXPECT_EQ(doc.m_shape.GetSize(), 1);
        EXPECT_EQ(doc.HistorySize(), 1);
        view->UpdateWindow();
        EXPECT_EQ(Px(230, 100), 0x000000u);
        EXPECT_EQ(Px(260, 130), 0x000000u);
        EXPECT_EQ(Px(230, 160), 0x000000u);
    }
}

// Punctuation, shifted symbols and keys of other layouts are keys too.
TEST_F(PathToolTest, KeysWithoutALetterFinishAsWell) {
    Use(TOOL_POLYLINE);
    int added = 0;
    for (Qt::Key key :
         {Qt::Key_Comma, Qt::Key_Period, Qt::Key_Slash, Qt::Key_Exclam, Qt::Key_Udiaeresis}) {
        Press(30, 30);
        Move(80, 60);
        Release(80, 60);
        Key(key);
        EXPECT_EQ(doc.m_shape.GetSize(), ++added) << "key " << key;
        EXPECT_FALSE(view->HasCapture()) << "key " << key;
    }
}

TEST_F(PathToolTest, CollectedPointsSurviveToolSwitches) {
    Use(TOOL_POLYLINE);
    Press(10, 10);
    Move(50, 10);
    Release(50, 10);
    Use(TOOL_RECTANGLE);
    Use(TOOL_POLYLINE);
    Move(50, 50);
    Click(50, 50);
    DoubleClick(10, 50);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{10, 10}, {50, 10}, {50, 50}, {10, 50}}));
}

TEST_F(PathToolTest, RubberLineIsInvertedAndTakenBackAlsoAcrossRepaints) {
    Use(TOOL_POLYLINE);
    Press(100, 100);
    Move(160, 100);
    EXPECT_EQ(Px(130, 100), 0xFFFFFFu);
    Move(100, 160);
    EXPECT_EQ(Px(130, 100), 0x000000u);
    EXPECT_EQ(Px(100, 130), 0xFFFFFFu);
    // A repaint while collecting must not leave a ghost for the next move to draw.
    view->Invalidate(true);
    view->UpdateWindow();
    EXPECT_EQ(Px(100, 130), 0xFFFFFFu);
    Move(160, 160);
    EXPECT_EQ(Px(100, 130), 0x000000u);
    EXPECT_EQ(Px(130, 130), 0xFFFFFFu);
    Release(160, 160);
    Move(200, 160);
    view->Invalidate(true);
    view->UpdateWindow();
    EXPECT_EQ(Px(130, 130), 0xFFFFFFu) << "the collected segment is part of the repaint";
    EXPECT_EQ(Px(180, 160), 0xFFFFFFu);
    Key(Qt::Key_Escape);
}
} // namespace
