// The tools at 50 % and 200 %: real mouse events in window pixels store object
// units through the view's mapping, tolerances stay in pixels, and what is
// drawn lands where the mapping says, one pixel wide.
#include "ToolTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <cmath>

namespace {
struct ZoomedToolsTest : ToolFixture, ::testing::WithParamInterface<CZoom> {
    // The view's anchor is its middle; the unit under a pixel, by the closed form.
    static CPoint Unit(CZoom z, int x, int y) {
        return CPoint(int(std::lround(200 + (x - 200) / z.Value())),
                      int(std::lround(150 + (y - 150) / z.Value())));
    }
    static CPoint Pixel(CZoom z, CPoint u) {
        return CPoint(int(std::lround(200 + (u.x - 200) * z.Value())),
                      int(std::lround(150 + (u.y - 150) * z.Value())));
    }
    void ZoomTo(CZoom z) {
        view->SetZoom(z, CPoint(200, 150));
        view->UpdateWindow();
    }
};

TEST_P(ZoomedToolsTest, CreationToolsStoreTheUnitsUnderThePointer) {
    const CZoom z = GetParam();
    ZoomTo(z);
    Use(TOOL_RECTANGLE);
    Drag(240, 170, 300, 250);
    const CPoint a = Unit(z, 240, 170), b = Unit(z, 300, 250);
    EXPECT_EQ(PointsOf(Last()), Pts({a, {a.x, b.y}, b, {b.x, a.y}, a}));

    Use(TOOL_POLYLINE);
    Press(100, 100);
    Move(120, 130);
    Release(120, 130);
    Click(150, 90);
    Key(Qt::Key_Return);
    EXPECT_EQ(PointsOf(Last()), Pts({Unit(z, 100, 100), Unit(z, 120, 130), Unit(z, 150, 90)}));

    // The rectangle's outline is one pixel wide where the mapping puts it.
    view->UpdateWindow();
    const CPoint pa = Pixel(z, a), pb = Pixel(z, b);
    const int midY = (pa.y + pb.y) / 2;
    EXPECT_EQ(Px(pa.x, midY), 0xFFFFFFu);
    EXPECT_EQ(Px(pa.x + 1, midY), 0x000000u);
    EXPECT_EQ(Px(pa.x - 1, midY), 0x000000u);
    EXPECT_EQ(Px(pb.x, midY), 0xFFFFFFu);
    EXPECT_EQ(Px(pb.x + 1, midY), 0x000000u);
}

TEST_P(ZoomedToolsTest, ShrinkingBandsLeaveNothingBehind) {
    ZoomTo(GetParam());
    doc.m_color = RGB(0, 200, 255);
    for (int tool : {TOOL_FILLED_RECTANGLE, TOOL_RECTANGLE, TOOL_FILLED_CIRCLE}) {
        Use(tool);
        Press(100, 80);
        Move(300, 260);
        view->UpdateWindow();
        Move(150, 120);
        view->UpdateWindow();
        const QImage shrunk = view->Surface().copy();
        view->Invalidate(true);
        view->UpdateWindow();
        int stale = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                stale += (shrunk.pixel(x, y) & 0xFFFFFF) != Px(x, y);
        EXPECT_EQ(stale, 0) << "tool " << tool;
        Release(150, 120);
    }
}

TEST_P(ZoomedToolsTest, SelectingAndVertexGrabbingWorkInPixels) {
    const CZoom z = GetParam();
    CPrimitive* path = Add(PRIM_POLYLINE, {{220, 160}, {260, 200}});
    CPrimitive* box = Add(PRIM_POLYGON, {{100, 60}, {140, 60}, {140, 90}, {100, 90}});
    ZoomTo(z);
    Use(TOOL_SELECT);
    const CPoint inBox = Pixel(z, {120, 75});
    Click(inBox.x, inBox.y);
    EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({box}));

    const CPoint v = Pixel(z, {220, 160});
    Click(v.x + 1, v.y + 1);
    ASSERT_EQ(view->Selection(), std::vector<CPrimitive*>({path}));
    // Three pixels off is out of reach at any zoom, two pixels in reach.
    Press(v.x + 3, v.y);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    Release(v.x + 3, v.y);
    ASSERT_EQ(view->Selection(), std::vector<CPrimitive*>({path}));
    Press(v.x + 2, v.y - 2);
    ASSERT_EQ(doc.GrabbedVertex(), &path->m_pPoints[0]);
    Move(v.x + 2 + 40, v.y - 2 + 20);
    Release(v.x + 2 + 40, v.y - 2 + 20);
    const CPoint moved = Unit(z, v.x + 42, v.y + 18) - Unit(z, v.x + 2, v.y - 2);
    EXPECT_EQ(PointsOf(path), Pts({CPoint(220 + moved.x, 160 + moved.y), {260, 200}}));
}

TEST_P(ZoomedToolsTest, CenterOfMassGoesToTheUnitClicked) {
    const CZoom z = GetParam();
    Add(PRIM_POLYLINE, {{220, 160}, {260, 200}});
    ZoomTo(z);
    Use(TOOL_MASS_CENTER);
    Click(260, 180);
    const CPoint u = Unit(z, 260, 180);
    // The clicked unit is the new origin: under the anchor, and zero in the file.
    EXPECT_EQ(PointsOf(Last()),
              Pts({{220 - u.x + 200, 160 - u.y + 150}, {260 - u.x + 200, 200 - u.y + 150}}));
    // The red cross stays at the anchor, twelve pixels across at any zoom.
    view->UpdateWindow();
    EXPECT_EQ(Px(200, 150), 0xFF0000u);
    EXPECT_EQ(Px(194, 144), 0xFF0000u);
    EXPECT_EQ(Px(205, 155), 0xFF0000u);
    EXPECT_NE(Px(206, 156), 0xFF0000u);
    EXPECT_NE(Px(193, 143), 0xFF0000u);
}

INSTANTIATE_TEST_SUITE_P(Zooms, ZoomedToolsTest, ::testing::Values(CZoom{1, 2}, CZoom{2, 1}),
                         [](const ::testing::TestParamInfo<CZoom>& info) {
                             return info.param.num == 1 ? std::string("Half")
                                                        : std::string("Double");
                         });
} // namespace

namespace {
// A modifier pressed alone no longer finishes a path being collected, so that
// Ctrl+wheel can zoom in the middle of one; every other key still finishes it.
TEST_F(ToolFixture, ModifierKeysAloneLeaveAPathBeingCollectedOpen) {
    Use(TOOL_POLYGON);
    auto* tool = static_cast<CPathTool*>(view->CurrentTool());
    Press(100, 100);
    Move(140, 120);
    Release(140, 120);
    for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Meta, Qt::Key_AltGr,
                        Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock, Qt::Key_Super_L}) {
        // Sent as the window system sends them; Qt Test knows no text for some.
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &release);
        EXPECT_EQ(tool->m_nPointCount, 2) << "key " << key;
        EXPECT_TRUE(view->HasCapture()) << "key " << key;
    }
    // Ctrl with the wheel zooms about the pointer; the next click is in units
    // of the new zoom.
    QTest::keyPress(view.get(), Qt::Key_Control);
    const QPointF at(140, 120);
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    QTest::keyRelease(view.get(), Qt::Key_Control);
    EXPECT_EQ(view->Zoom(), CZoom::FromValue(1.5));
    EXPECT_EQ(tool->m_nPointCount, 2);
    Click(140 + 30, 120 + 45);
    Key(Qt::Key_Space);
    EXPECT_FALSE(view->HasCapture());
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {140, 120}, {160, 150}}));
}

// A circle stored with a negative radius draws about its centre as its
// positive twin does; a click and a rubber band hit it there too.
TEST_F(ToolFixture, CirclesOfNegativeRadiusAreHitWhereTheyShow) {
    CPrimitive* ring = Add(PRIM_CIRCLE, {{150, 110}, {-20, -20}});
    CPrimitive* disc = Add(PRIM_FILLED_CIRCLE, {{270, 190}, {-15, -15}}, RGB(0, 200, 0));
    Use(TOOL_SELECT);
    for (const CZoom z : {CZoom{1, 1}, CZoom{2, 1}}) {
        SCOPED_TRACE(z.Value());
        view->SetZoom(z, CPoint(200, 150));
        view->Invalidate(true);
        view->UpdateWindow();
        const auto pixel = [z](int x, int y) {
            return CPoint(int(std::lround(200 + (x - 200) * z.Value())),
                          int(std::lround(150 + (y - 150) * z.Value())));
        };
        const CPoint d = pixel(270, 190), r = pixel(150 + 19, 110);
        ASSERT_EQ(Px(d.x, d.y), 0x00C800u);
        view->SelectElement(nullptr, false);
        Click(d.x, d.y);
        EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({disc}));
        Click(r.x, r.y);
        EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({ring}));
        const CPoint off = pixel(150 + 21, 110);
        Click(off.x, off.y);
        EXPECT_TRUE(view->Selection().empty());

        // A band that reaches only the ring's top-left corner.
        const CPoint from = pixel(120, 80), to = pixel(135, 95);
        Drag(from.x, from.y, to.x, to.y);
        EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({ring}));
        const CPoint beside = pixel(260, 210);
        Drag(from.x, from.y, beside.x, beside.y);
        EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({ring, disc}));
        view->ResetZoom();
    }
}
} // namespace
