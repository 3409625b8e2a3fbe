#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "tools/CShapeTool.h"
#include "view/CMorvetView.h"

#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {
QRgb Px(const CMorvetView& v, int x, int y) {
    return v.Surface().pixel(x, y) & 0xFFFFFF;
}

std::unique_ptr<CMorvetView> MakeView(CMorvetDoc& doc, int w, int h, bool active = true) {
    auto view = std::make_unique<CMorvetView>(&doc);
    view->resize(w, h);
    view->show();
    if (active)
        view->OnActivateView(true, view.get(), nullptr);
    view->UpdateWindow();
    return view;
}

// The points as a 400 x 300 window shows them, about its middle (200, 150).
void AddPolygon(CMorvetDoc& doc, std::initializer_list<POINT> pts, COLORREF color) {
    std::vector<POINT> v(pts);
    for (POINT& p : v)
        p = CPoint(p) - CPoint(200, 150);
    doc.AddElement(PRIM_POLYGON, color, int32_t(v.size()), v.data());
}

struct ViewFixture : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    void SetUp() override {
        doc.OnNewDocument();
        view = MakeView(doc, 400, 300);
    }
};
} // namespace

TEST_F(ViewFixture, NewDocumentIsBlackWithRedCrossAtCentre) {
    EXPECT_EQ(Px(*view, 10, 10), 0x000000u);
    EXPECT_EQ(Px(*view, 200, 150), 0xFF0000u);
    EXPECT_EQ(Px(*view, 194, 144), 0xFF0000u);
    EXPECT_EQ(Px(*view, 205, 155), 0xFF0000u);
    // Lines leave out their end point.
    EXPECT_EQ(Px(*view, 206, 156), 0x000000u);
    EXPECT_EQ(Px(*view, 206, 144), 0xFF0000u);
    EXPECT_EQ(Px(*view, 195, 155), 0xFF0000u);
    EXPECT_EQ(Px(*view, 194, 156), 0x000000u);
    EXPECT_EQ(Px(*view, 201, 150), 0x000000u);
}

TEST_F(ViewFixture, HiddenCrossLeavesCentreBlack) {
    view->m_bShowCenter = false;
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(Px(*view, 200, 150), 0x000000u);
}

TEST_F(ViewFixture, ResizeCarriesTheObjectAlongWithoutModifyingIt) {
    AddPolygon(doc, {{210, 160}, {230, 160}, {230, 180}}, RGB(0, 0, 255));
    doc.SetModifiedFlag(false);
    const int snapshots = doc.HistorySize();
    view->resize(500, 400);
    view->UpdateWindow();
    const POINT* p = doc.m_shape.m_elements[0]->m_pPoints;
    EXPECT_EQ(p[0].x, 10);
    EXPECT_EQ(p[0].y, 10);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), snapshots);
    // The fill follows the element to its new place.
    EXPECT_EQ(Px(*view, 275, 212), 0x0000FFu);
}

TEST_F(ViewFixture, SelectionMarksInvertCornersAndCancelWhereShared) {
    AddPolygon(doc, {{100, 100}, {120, 100}, {120, 120}, {100, 120}}, RGB(0, 0, 0));
    AddPolygon(doc, {{120, 120}, {140, 120}, {140, 140}, {120, 140}}, RGB(0, 0, 0));
    view->UpdateWindow();
    CPrimitive* a = doc.m_shape.m_elements[0];
    CPrimitive* b = doc.m_shape.m_elements[1];
    view->SelectElement(a, false);
    view->UpdateWindow();
    // A 7x7 square centred on the corner: black background turns white.
    EXPECT_EQ(Px(*view, 97, 97), 0xFFFFFFu);
    EXPECT_EQ(Px(*view, 96, 96), 0x000000u);
    EXPECT_EQ(Px(*view, 103, 103), 0xFFFFFFu);
    EXPECT_EQ(Px(*view, 104, 97), 0x000000u);
    view->SelectElement(b, true);
    view->UpdateWindow();
    // (120,120) is a corner of both: inverted twice, no mark; the outline shows again.
    EXPECT_EQ(Px(*view, 122, 118), 0x000000u);
    EXPECT_EQ(Px(*view, 117, 117), 0x000000u);
    EXPECT_EQ(view->Selection().size(), 2u);
    view->SelectElement(b, true);
    EXPECT_EQ(view->Selection().size(), 2u);
    view->DeselectElement(a);
    ASSERT_EQ(view->Selection().size(), 1u);
    EXPECT_EQ(view->Selection()[0], b);
    view->UpdateWindow();
    EXPECT_EQ(Px(*view, 97, 97), 0x000000u);
}

TEST_F(ViewFixture, SelectInRectIgnoresDirectionAndTouchingEdges) {
    AddPolygon(doc, {{10, 10}, {30, 10}, {30, 30}}, 0);
    AddPolygon(doc, {{50, 50}, {70, 50}, {70, 70}}, 0);
    view->UpdateWindow();
    view->SelectInRect(CRect(40, 40, 0, 0), false);
    ASSERT_EQ(view->Selection().size(), 1u);
    EXPECT_EQ(view->Selection()[0], doc.m_shape.m_elements[0]);
    // A rectangle that only touches the second element's left edge meets nothing of it.
    view->SelectInRect(CRect(40, 40, 50, 80), false);
    EXPECT_TRUE(view->Selection().empty());
    view->SelectInRect(CRect(0, 0, 100, 100), false);
    EXPECT_EQ(view->Selection().size(), 2u);
    view->SelectInRect(CRect(20, 20, 20, 80), false);
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(ViewFixture, UndoEmptiesEverySelectionAndKeepsObjectUnderCross) {
    auto second = MakeView(doc, 400, 300, false);
    AddPolygon(doc, {{210, 160}, {230, 160}, {230, 180}}, 0);
    AddPolygon(doc, {{150, 100}, {170, 100}, {170, 120}}, 0);
    view->SelectElement(doc.m_shape.m_elements[0], false);
    second->SelectElement(doc.m_shape.m_elements[1], false);
    // The window grows between the change and its undo: the restored object
    // must come back relative to the cross, not to the old middle.
    view->resize(600, 500);
    second->resize(600, 500);
    view->UpdateWindow();
    doc.Undo();
    EXPECT_TRUE(view->Selection().empty());
    EXPECT_TRUE(second->Selection().empty());
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0].x, 10);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0].y, 10);
    view->UpdateWindow();
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0].x, 10);
}

TEST_F(ViewFixture, ElementAddedHintRepaintsOnlyTheNewElement) {
    auto other = MakeView(doc, 400, 300, false);
    AddPolygon(doc, {{10, 10}, {60, 10}, {60, 40}, {10, 40}}, RGB(0, 255, 0));
    // Paint a stray pixel the hint must not reach.
    other->Surface().setPixel(300, 250, qRgb(1, 2, 3));
    doc.UpdateAllViews(nullptr, HINT_ELEMENT_ADDED, &doc.m_shape);
    other->UpdateWindow();
    EXPECT_EQ(Px(*other, 30, 20), 0x00FF00u);
    EXPECT_EQ(Px(*other, 300, 250), 0x010203u);
    doc.UpdateAllViews(nullptr, 0, nullptr);
    other->UpdateWindow();
    EXPECT_EQ(Px(*other, 300, 250), 0x000000u);
}

TEST_F(ViewFixture, GrabbedVertexShowsOnlyInItsOwnDocument) {
    AddPolygon(doc, {{100, 100}, {150, 100}, {150, 150}}, 0);
    CMorvetDoc other;
    other.OnNewDocument();
    auto otherView = MakeView(other, 400, 300, false);
    doc.GrabVertex({0, 0});
    view->Invalidate();
    otherView->Invalidate();
    view->UpdateWindow();
    otherView->UpdateWindow();
    EXPECT_EQ(Px(*view, 97, 97), 0xFFFFFFu);
    EXPECT_EQ(Px(*otherView, 97, 97), 0x000000u);
    doc.ReleaseGrabbedVertex();
}

// An element reaching the end of the coordinate range (a loaded file's huge
// coordinates are clamped there) must still have its visible part repainted.
TEST_F(ViewFixture, ElementAtTheEdgeOfTheCoordinateRangeIsRepaintedWhenItChanges) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    for (const POINT far : {POINT{kMax - 2, 100}, POINT{kMin + 2, 100}}) {
        POINT line[2] = {{200, 100}, far};
        view->LogicalToObject(line, 2);
        doc.AddElement(PRIM_POLYLINE, RGB(255, 255, 255), 2, line);
        view->SelectElement(doc.m_shape.m_elements.back(), false);
        view->UpdateWindow();
        const int x = far.x > 0 ? 300 : 100;
        ASSERT_EQ(Px(*view, x, 100), 0xFFFFFFu);
        view->OnCmdMsg(ID_EDIT_CLEAR, nullptr);
        view->UpdateWindow();
        EXPECT_EQ(Px(*view, x, 100), 0x000000u) << "a deleted element stays on the screen";
    }
}
