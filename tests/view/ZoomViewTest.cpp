// Zoom and scrolling of a window, through real wheel, mouse and key events and
// the View menu's commands: the unit under the pointer stays put, Fit Object
// shows every element, a scrolled strip redraws exactly what a full redraw
// draws, Actual Size gives back every pixel of 100 %, and windows of one
// document at different zooms each hit and draw what they show.
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "tools/CPathTool.h"
#include "tools/CShapeTool.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <random>

namespace {
std::unique_ptr<CMorvetView> MakeView(CMorvetDoc& doc, int w, int h) {
    auto view = std::make_unique<CMorvetView>(&doc);
    view->resize(w, h);
    view->show();
    view->OnActivateView(true, view.get(), nullptr);
    view->UpdateWindow();
    return view;
}

void Wheel(CMorvetView& view, QPoint at, QPoint angle, Qt::KeyboardModifiers mods = {}) {
    QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), angle, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    view.UpdateWindow();
}

// Every element of a random object within the given box, in the logical units
// of the fixture's 400 x 300 window, whose middle is the center of mass.
void FillRandom(CMorvetDoc& doc, int count, CRect box, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> px(box.left, box.right - 40), py(box.top, box.bottom - 40);
    std::uniform_int_distribution<int> size(1, 40);
    for (int i = 0; i < count; ++i) {
        const int x = px(rng) - 200, y = py(rng) - 150, s = size(rng);
        if (i % 3 == 2) {
            const POINT pts[2] = {{x + 20, y + 20}, {s / 2, s / 2}};
            doc.AddElement(PRIM_FILLED_CIRCLE, RGB(0, 255, 0), 2, pts);
        } else {
            const POINT pts[4] = {{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}};
            doc.AddElement(i % 3 ? PRIM_POLYGON : PRIM_POLYLINE, RGB(0, 0, 255), 4, pts);
        }
    }
}

// How many pixels of two images of one size differ in colour.
int DiffPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

struct ZoomViewTest : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    void SetUp() override {
        doc.OnNewDocument();
        view = MakeView(doc, 400, 300);
    }
    void Command(int id) {
        CCmdUI state(id);
        ASSERT_TRUE(view->OnCmdMsg(id, &state));
        ASSERT_TRUE(state.m_bEnabled);
        view->OnCmdMsg(id, nullptr);
        view->UpdateWindow();
    }
    bool BarsHidden() const {
        for (const QScrollBar* bar : view->findChildren<QScrollBar*>())
            if (!bar->isHidden())
                return false;
        return true;
    }
};

TEST_F(ZoomViewTest, CtrlWheelKeepsTheUnitUnderThePointer) {
    FillRandom(doc, 50, CRect(0, 0, 400, 300), 1);
    view->UpdateWindow();
    const std::vector<QPoint> spots = {{37, 251}, {390, 12}, {200, 150}, {123, 77}};
    const std::vector<int> levelsUp = {150, 200, 300, 400, 600, 800, 1200, 1600, 2400, 3200};
    for (const QPoint at : spots) {
        CPoint before(at.x(), at.y());
        view->DeviceToLogical(&before);
        for (int step = 0; step < 6; ++step) {
            Wheel(*view, at, QPoint(0, 120), Qt::ControlModifier);
            CPoint shown = before;
            view->LogicalToDevice(&shown);
            // The unit was the nearest to the pointer: at most half a unit
            // away, and the scroll's rounding adds at most one pixel.
            const double reach = view->Zoom().Value() / 2 + 1;
            EXPECT_LE(std::abs(shown.x - at.x()), reach) << step;
            EXPECT_LE(std::abs(shown.y - at.y()), reach) << step;
        }
        for (int step = 0; step < 12; ++step) {
            Wheel(*view, at, QPoint(0, -120), Qt::ControlModifier);
            CPoint under(at.x(), at.y());
            view->DeviceToLogical(&under);
            // Zoomed out, a pixel spans several units: the unit under the
            // pointer is still the one it was, to within a pixel's worth.
            const double reach = 1 / view->Zoom().Value() + 1;
            EXPECT_LE(std::abs(under.x - before.x), reach) << step;
            EXPECT_LE(std::abs(under.y - before.y), reach) << step;
        }
        view->OnCmdMsg(ID_VIEW_ACTUAL_SIZE, nullptr);
    }
    // One notch is one level; a touchpad's small delta a smaller step.
    for (int level : levelsUp) {
        Wheel(*view, QPoint(10, 10), QPoint(0, 120), Qt::ControlModifier);
        EXPECT_EQ(view->Zoom(), CZoom::FromValue(level / 100.0));
    }
    Wheel(*view, QPoint(10, 10), QPoint(0, 120), Qt::ControlModifier);
    EXPECT_EQ(view->Zoom(), CZoom::Largest()) << "the list's end holds";
    view->ResetZoom();
    Wheel(*view, QPoint(10, 10), QPoint(0, 30), Qt::ControlModifier);
    EXPECT_GT(view->Zoom().Value(), 1.0);
    EXPECT_LT(view->Zoom().Value(), 1.5);
    EXPECT_EQ(view->Zoom().NextLevel(), CZoom::FromValue(1.5));
    EXPECT_EQ(view->Zoom().PreviousLevel(), CZoom());
    EXPECT_EQ(CZoom::FromValue(1.0 / 3).Percent(), "33.3 %");
    EXPECT_EQ(CZoom::FromValue(1.0 / 32).Percent(), "3.125 %");
    EXPECT_EQ(CZoom().Percent(), "100 %");
}

TEST_F(ZoomViewTest, ZoomCommandsStepAboutTheMiddleAndActualSizeGivesBackEveryPixel) {
    FillRandom(doc, 300, CRect(-300, -250, 700, 550), 2);
    view->SelectElement(doc.m_shape.m_elements[5], false);
    view->UpdateWindow();
    const QImage atActualSize = view->Surface().copy();
    EXPECT_TRUE(BarsHidden());

    Command(ID_VIEW_ZOOM_IN);
    EXPECT_EQ(view->Zoom(), CZoom::FromValue(1.5));
    EXPECT_EQ(view->ScrollOffset(), CPoint(0, 0)) << "about the middle, which stays";
    EXPECT_FALSE(BarsHidden()) << "the object is larger than the window";
    Command(ID_VIEW_ZOOM_OUT);
    Command(ID_VIEW_ZOOM_OUT);
    EXPECT_EQ(view->Zoom(), CZoom::FromValue(2.0 / 3));
    Wheel(*view, QPoint(100, 100), QPoint(0, -120));
    Wheel(*view, QPoint(100, 100), QPoint(0, 120), Qt::ShiftModifier);
    EXPECT_NE(view->ScrollOffset(), CPoint(0, 0));

    Command(ID_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(view->Zoom(), CZoom());
    EXPECT_EQ(view->ScrollOffset(), CPoint(0, 0));
    EXPECT_TRUE(BarsHidden());
    EXPECT_EQ(DiffPixels(view->Surface(), atActualSize), 0);

    for (int i = 0; i < 20; ++i)
        view->OnCmdMsg(ID_VIEW_ZOOM_OUT, nullptr);
    CCmdUI out(ID_VIEW_ZOOM_OUT);
    view->OnCmdMsg(ID_VIEW_ZOOM_OUT, &out);
    EXPECT_FALSE(out.m_bEnabled) << "nothing below 3.125 %";
    EXPECT_EQ(view->Zoom(), CZoom::Smallest());
}

TEST_F(ZoomViewTest, FitObjectShowsEveryElementWithItsMargin) {
    Command(ID_VIEW_FIT_OBJECT);
    EXPECT_EQ(view->Zoom(), CZoom()) << "an empty object fits at 100 %";
    EXPECT_EQ(view->ScrollOffset(), CPoint(0, 0));

    // Far larger than the window and off to one side of the center of mass.
    FillRandom(doc, 400, CRect(1000, -3000, 9000, 2000), 3);
    Command(ID_VIEW_FIT_OBJECT);
    const double z = view->Zoom().Value();
    EXPECT_GT(z, 1.0 / 32);
    EXPECT_LT(z, 1.0 / 16);
    CRect all(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    for (int i = 0; i < doc.m_shape.GetSize(); ++i) {
        CRect r;
        GetPrimitiveRect(doc.m_shape.m_elements[size_t(i)], &r, view->Anchor());
        view->LogicalToDevice(&r);
        all = CRect(std::min(all.left, r.left), std::min(all.top, r.top),
                    std::max(all.right, r.right), std::max(all.bottom, r.bottom));
    }
    // Inside the window with 5 % to spare on every side, and touching the
    // margin on one axis.
    EXPECT_GE(all.left, 20 - 1);
    EXPECT_GE(all.top, 15 - 1);
    EXPECT_LE(all.right, 380 + 1);
    EXPECT_LE(all.bottom, 285 + 1);
    EXPECT_TRUE(all.left <= 21 || all.top <= 16);
    // What shows is drawn: the pixels at the elements' places are not all black.
    int lit = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            lit += (view->Surface().pixel(x, y) & 0xFFFFFF) != 0;
    EXPECT_GT(lit, 500);
}

TEST_F(ZoomViewTest, AScrolledStripMatchesAFullRedrawAndScrollBarsComeOnlyWhenNeeded) {
    FillRandom(doc, 400, CRect(-500, -400, 900, 700), 4);
    view->SelectElement(doc.m_shape.m_elements[10], false);
    view->UpdateWindow();
    EXPECT_TRUE(BarsHidden()) << "never before the user zooms or scrolls";
    view->SetZoom(CZoom{3, 2}, CPoint(130, 90));
    view->UpdateWindow();
    for (const auto& step : std::vector<std::pair<QPoint, Qt::KeyboardModifiers>>{
             {{0, -120}, {}}, {{0, -120}, {}}, {{0, 240}, Qt::ShiftModifier}, {{0, 120}, {}}}) {
        const CPoint before = view->ScrollOffset();
        const QImage unscrolled = view->Surface().copy();
        Wheel(*view, QPoint(200, 150), step.first, step.second);
        EXPECT_GT(DiffPixels(unscrolled, view->Surface()), 1000);
        EXPECT_NE(view->ScrollOffset(), before);
        const QImage scrolled = view->Surface().copy();
        view->Invalidate(true);
        view->UpdateWindow();
        // Qt's cosmetic stroker may end an outline that the window's edge
        // cut one pixel differently from the same outline drawn whole.
        EXPECT_LE(DiffPixels(scrolled, view->Surface()), 2)
            << "scroll to " << view->ScrollOffset().x << "," << view->ScrollOffset().y;
    }
    EXPECT_FALSE(BarsHidden());

    // A middle-button drag moves the drawing with the pointer, whatever the
    // tool, and the tool sees nothing of it.
    view->UseTool(TOOL_POLYLINE);
    const CPoint before = view->ScrollOffset();
    QTest::mousePress(view.get(), Qt::MiddleButton, {}, QPoint(100, 100));
    QTest::mouseMove(view.get(), QPoint(130, 80));
    QTest::mouseRelease(view.get(), Qt::MiddleButton, {}, QPoint(130, 80));
    view->UpdateWindow();
    EXPECT_EQ(view->ScrollOffset(), CPoint(before.x + 30, before.y - 20));
    EXPECT_EQ(static_cast<CPathTool*>(view->CurrentTool())->m_nPointCount, 0);
    EXPECT_EQ(doc.m_shape.GetSize(), 400);

    // A small object zoomed out fits: the bars go.
    view->OnCmdMsg(ID_VIEW_ACTUAL_SIZE, nullptr);
    CMorvetDoc small;
    small.OnNewDocument();
    auto other = MakeView(small, 400, 300);
    const POINT box[4] = {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}};
    small.AddElement(PRIM_POLYGON, RGB(255, 0, 0), 4, box);
    other->SetZoom(CZoom{1, 2}, CPoint(200, 150));
    for (const QScrollBar* bar : other->findChildren<QScrollBar*>())
        EXPECT_TRUE(bar->isHidden());
    Wheel(*other, QPoint(200, 150), QPoint(0, -120));
    EXPECT_EQ(other->ScrollOffset(), CPoint(0, 0)) << "nothing to scroll to";
}

TEST_F(ZoomViewTest, WindowsAtDifferentZoomsEachHitAndDrawWhatTheyShow) {
    auto wide = MakeView(doc, 600, 500);
    const POINT boxPts[4] = {{10, 10}, {30, 10}, {30, 20}, {10, 20}};
    doc.AddElement(PRIM_POLYGON, RGB(255, 255, 0), 4, boxPts);
    CPrimitive* box = doc.m_shape.m_elements.back();
    view->SetZoom(CZoom{4, 1}, CPoint(200, 150));
    wide->SetZoom(CZoom{1, 2}, CPoint(300, 250));
    view->UpdateWindow();
    wide->UpdateWindow();
    // At 400 % the box's middle, 20 and 15 units from the center of mass, is
    // 80 and 60 pixels from the small window's middle; at 50 % 10 and 7 from
    // the wide one's.
    EXPECT_EQ(view->Surface().pixel(280, 210) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(wide->Surface().pixel(310, 257) & 0xFFFFFF, 0xFFFF00u);
    for (CMorvetView* v : {view.get(), wide.get()}) {
        v->UseTool(TOOL_SELECT);
        v->SelectElement(nullptr, false);
    }
    view->OnActivateView(true, view.get(), wide.get());
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(280, 210));
    EXPECT_EQ(view->Selection(), std::vector<CPrimitive*>({box}));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(200 + 4 * 35, 150));
    EXPECT_TRUE(view->Selection().empty()) << "35 units right is beside the box";

    view->OnActivateView(false, wide.get(), view.get());
    wide->OnActivateView(true, wide.get(), view.get());
    QTest::mouseClick(wide.get(), Qt::LeftButton, {}, QPoint(310, 257));
    EXPECT_EQ(wide->Selection(), std::vector<CPrimitive*>({box}));
    // A rectangle drawn in the wide window at 50 % lands where both show it.
    doc.m_color = RGB(0, 255, 255);
    wide->UseTool(TOOL_FILLED_RECTANGLE);
    QTest::mousePress(wide.get(), Qt::LeftButton, {}, QPoint(280, 230));
    QTest::mouseMove(wide.get(), QPoint(290, 240));
    QTest::mouseRelease(wide.get(), Qt::LeftButton, {}, QPoint(290, 240));
    const CPrimitive* added = doc.m_shape.m_elements.back();
    ASSERT_NE(added, box);
    EXPECT_EQ(CPoint(added->m_pPoints[0]), CPoint(-40, -40));
    EXPECT_EQ(CPoint(added->m_pPoints[2]), CPoint(-20, -20));
    view->UpdateWindow();
    wide->UpdateWindow();
    EXPECT_EQ(view->Surface().pixel(200 - 4 * 30, 150 - 4 * 30) & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(wide->Surface().pixel(300 - 15, 250 - 15) & 0xFFFFFF, 0x00FFFFu);
}
} // namespace
