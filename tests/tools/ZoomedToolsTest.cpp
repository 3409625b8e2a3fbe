// The tools at 50 % and 200 %: real mouse events in window pixels store object
// units through the view's mapping, tolerances stay in pixels, and what is
// drawn lands where the mapping says, one pixel wide.
#include "ToolTestSupport.h"

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
    Key(Qt::Key_Escape);
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

TEST_P(ZoomedToolsTest, SelectingAndVertexGrabbingWorkInPixels) {
    const CZoom z = GetParam();
    CPrimitive* path = Add(PRIM_POLYLINE, {{220, 160}, {260, 200}});
    CPrimitive* box = Add(PRIM_POLYGON, {{100, 60}, {140, 60}, {140, 90}, {100, 90}});
    ZoomTo(z);
    Use(TOOL_SELECT);
    const CPoint inBox = Pixel(z, {120, 75});
    Click(inBox.x, inBox.y);
    EXPECT_EQ(view->m_selection, std::vector<CPrimitive*>({box}));

    const CPoint v = Pixel(z, {220, 160});
    Click(v.x + 1, v.y + 1);
    ASSERT_EQ(view->m_selection, std::vector<CPrimitive*>({path}));
    // Three pixels off is out of reach at any zoom, two pixels in reach.
    Press(v.x + 3, v.y);
    EXPECT_EQ(CShapeTool::s_pGrabbedVertex, nullptr);
    Release(v.x + 3, v.y);
    ASSERT_EQ(view->m_selection, std::vector<CPrimitive*>({path}));
    Press(v.x + 2, v.y - 2);
    ASSERT_EQ(CShapeTool::s_pGrabbedVertex, &path->m_pPoints[0]);
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
