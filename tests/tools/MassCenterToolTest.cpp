#include "ToolTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
using MassCenterToolTest = ToolFixture;

QByteArray SavedBytes(CMorvetDoc& d) {
    QTemporaryDir dir;
    const QString path = dir.filePath("object.vrk");
    EXPECT_TRUE(d.OnSaveDocument(path)) << d.LastError().toStdString();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

TEST_F(MassCenterToolTest, ReleasePointComesUnderTheCrossAndIntoTheFileAsZero) {
    ASSERT_EQ(view->Anchor(), CPoint(200, 150));
    CPrimitive* line = Add(PRIM_POLYLINE, {{210, 140}, {260, 140}});
    CPrimitive* ring = Add(PRIM_CIRCLE, {{100, 100}, {7, 7}});
    view->SelectElement(line, false);
    Use(TOOL_MASS_CENTER);
    Press(50, 50);
    Move(210, 140);
    EXPECT_EQ(view->cursor().hotSpot(), QPoint(14, 15));
    Release(210, 140);
    EXPECT_EQ(PointsOf(line), Pts({{200, 150}, {250, 150}}));
    EXPECT_EQ(PointsOf(ring), Pts({{90, 110}, {7, 7}}));
    EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({line}));
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_TRUE(doc.IsModified()) << "the placement changes what the file holds";
    EXPECT_FALSE(view->HasCapture());

    CMorvetDoc expected;
    expected.OnNewDocument();
    POINT* pts = new POINT[2]{{0, 0}, {50, 0}};
    expected.m_shape.AppendElement(PRIM_POLYLINE, RGB(255, 255, 255), 2, pts);
    expected.m_shape.AppendElement(PRIM_CIRCLE, RGB(255, 255, 255), 2,
                                   new POINT[2]{{-110, -40}, {7, 7}});
    EXPECT_EQ(SavedBytes(doc), SavedBytes(expected));
}

TEST_F(MassCenterToolTest, ReleaseAtTheOriginMovesNothingButRepaints) {
    CPrimitive* line = Add(PRIM_POLYLINE, {{210, 140}, {260, 140}});
    view->UpdateWindow();
    Use(TOOL_MASS_CENTER);
    Press(200, 150);
    Release(200, 150);
    EXPECT_EQ(PointsOf(line), Pts({{210, 140}, {260, 140}}));
    EXPECT_FALSE(doc.IsModified());
    view->UpdateWindow();
    EXPECT_EQ(Px(230, 140), 0xFFFFFFu);
}

TEST_F(MassCenterToolTest, UndoRightAfterRevertsThePlacementWithTheLastEdit) {
    Use(TOOL_RECTANGLE);
    Drag(210, 140, 260, 170);
    Use(TOOL_MASS_CENTER);
    Click(210, 140);
    EXPECT_EQ(PointsOf(Last())[0], CPoint(200, 150));
    doc.Undo();
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    // The Undo recorded the state it left, placement included.
    doc.Redo();
    EXPECT_EQ(PointsOf(Last())[0], CPoint(200, 150));
}
} // namespace
