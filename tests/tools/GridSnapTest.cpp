#include "ToolTestSupport.h"
#include "view/Grid.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <limits>
#include <random>

namespace {

// Snapping on, spacing 10, grid hidden; every test leaves the program's grid
// choices as it found them.
struct GridSnapTest : ToolFixture {
    GridSettings saved;
    void SetUp() override {
        saved = ProgramGrid();
        ProgramGrid() = GridSettings();
        ProgramGrid().snap = true;
        ToolFixture::SetUp();
    }
    void TearDown() override {
        ToolFixture::TearDown();
        ProgramGrid() = saved;
    }
    // A pointer move with the left button held and these modifiers, as the
    // window system delivers it.
    void MoveHeld(int x, int y, Qt::KeyboardModifiers m) {
        const QPointF at(x, y);
        QMouseEvent e(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                      m);
        QApplication::sendEvent(view.get(), &e);
    }
    void DragWith(int x0, int y0, int x1, int y1, Qt::KeyboardModifiers m) {
        Press(x0, y0, m);
        MoveHeld((x0 + x1) / 2, (y0 + y1) / 2, m);
        MoveHeld(x1, y1, m);
        Release(x1, y1, m);
    }
    // The points of an element relative to the center of mass.
    static std::vector<CPoint> Relative(const CPrimitive* e) {
        return std::vector<CPoint>(e->m_pPoints, e->m_pPoints + e->m_nPoints);
    }
};

TEST(GridGeometry, SnappedPointsAreTheNearestGridPointsAndStayInRange) {
    std::mt19937 rng(12);
    std::uniform_int_distribution<int32_t> any(std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max());
    std::uniform_int_distribution<int> spacing(1, 1000);
    for (int i = 0; i < 20000; ++i) {
        const POINT p{i % 4 ? any(rng) % 5000 : any(rng), any(rng) % 5000};
        const POINT o{i % 3 ? any(rng) % 3000 : any(rng), any(rng) % 3000};
        const int s = spacing(rng);
        const CPoint g = SnapToGrid(p, o, s);
        for (const auto& [v, c, org] : {std::tuple{int64_t(p.x), int64_t(g.x), int64_t(o.x)},
                                        std::tuple{int64_t(p.y), int64_t(g.y), int64_t(o.y)}}) {
            ASSERT_EQ((c - org) % s, 0) << "on a grid line through the origin";
            const bool inside =
                org + (v - org) / s * s == v || std::abs(v) < (int64_t(1) << 31) - s;
            if (inside) {
                ASSERT_LE(2 * std::abs(c - v), s) << v << " " << org << " " << s;
            }
        }
        EXPECT_EQ(SnapToGrid(g, o, s), g) << "a grid point stays where it is";
    }
    // Halfway goes away from the center of mass, on either side.
    EXPECT_EQ(SnapToGrid(POINT{15, -15}, POINT{0, 0}, 10), CPoint(20, -20));
    EXPECT_EQ(SnapToGrid(POINT{14, -14}, POINT{0, 0}, 10), CPoint(10, -10));
    // Near the end of the range the nearest line inside it.
    EXPECT_EQ(SnapToGrid(POINT{INT32_MAX, INT32_MIN}, POINT{0, 0}, 1000),
              CPoint(2147483000, -2147483000));
    EXPECT_EQ(SnapOffsetToGrid(-17, 26, 10), CPoint(-20, 30));

    // Lines at least 8 pixels apart: every line, every 5th, every 10th, then
    // 50th, 100th.
    const auto stride = [](int spacing, double pixelsPerUnit) {
        return GridLineStride(spacing, 8, [=](int64_t n) { return n * spacing * pixelsPerUnit; });
    };
    EXPECT_EQ(stride(10, 1.0), 1);
    EXPECT_EQ(stride(8, 1.0), 1);
    EXPECT_EQ(stride(7, 1.0), 5);
    EXPECT_EQ(stride(2, 1.0), 5);
    EXPECT_EQ(stride(1, 1.0), 10);
    EXPECT_EQ(stride(10, 0.125), 10);
    EXPECT_EQ(stride(10, 1.0 / 32), 50);
    EXPECT_EQ(stride(1, 1.0 / 32), 500);
    EXPECT_EQ(stride(1000, 1e-9), 0);
}

TEST_F(GridSnapTest, ToolsPutPointsOnTheGridAndCtrlTurnsSnappingRound) {
    ASSERT_EQ(view->Anchor(), CPoint(200, 150));
    // From 17 left and 8 above the cross to 33 right and 22 below it.
    Use(TOOL_RECTANGLE);
    Drag(200 - 17, 150 - 8, 200 + 33, 150 + 22);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(Relative(Last()), Pts({{-20, -10}, {-20, 20}, {30, 20}, {30, -10}, {-20, -10}}));
    {
        QTemporaryDir dir;
        ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("r.vrk")));
        CMorvetDoc back;
        ASSERT_TRUE(back.OnOpenDocument(dir.filePath("r.vrk")));
        EXPECT_EQ(Relative(back.m_shape.m_elements[0]),
                  Pts({{-20, -10}, {-20, 20}, {30, 20}, {30, -10}, {-20, -10}}));
    }

    // Ctrl held: exactly where the pointer is.
    DragWith(200 - 17, 150 - 8, 200 + 33, 150 + 22, Qt::ControlModifier);
    EXPECT_EQ(Relative(Last()), Pts({{-17, -8}, {-17, 22}, {33, 22}, {33, -8}, {-17, -8}}));

    // A drag shorter than half a step makes nothing.
    DragWith(203, 152, 204, 147, Qt::NoModifier);
    EXPECT_EQ(doc.m_shape.GetSize(), 2);

    // The circle's box corners on grid points; then polygon vertices.
    Use(TOOL_FILLED_CIRCLE);
    Drag(200 + 12, 150 - 31, 200 + 68, 150 + 28);
    EXPECT_EQ(Relative(Last()), Pts({{40, 0}, {30, 30}}));
    Use(TOOL_POLYGON);
    Drag(200 - 41, 150 + 44, 200 + 6, 150 + 47);
    Click(200 + 24, 150 + 76);
    Key(Qt::Key_Return);
    EXPECT_EQ(Relative(Last()), Pts({{-40, 40}, {10, 50}, {20, 80}}));

    // Snapping off, Ctrl on: the grid.
    ProgramGrid().snap = false;
    ProgramGrid().spacing = 25;
    Use(TOOL_RECTANGLE);
    DragWith(200 - 17, 150 - 8, 200 + 33, 150 + 22, Qt::ControlModifier);
    EXPECT_EQ(Relative(Last()), Pts({{-25, 0}, {-25, 25}, {25, 25}, {25, 0}, {-25, 0}}));
    Drag(200 - 17, 150 - 8, 200 + 33, 150 + 22);
    EXPECT_EQ(Relative(Last()), Pts({{-17, -8}, {-17, 22}, {33, 22}, {33, -8}, {-17, -8}}));
}

TEST_F(GridSnapTest, CenterOfMassAndTheSelectToolMoveByWholeSteps) {
    CPrimitive* poly = Add(PRIM_POLYGON, {{203, 151}, {243, 151}, {243, 181}});
    CPrimitive* ring = Add(PRIM_CIRCLE, {{120, 100}, {9, 9}});
    Use(TOOL_MASS_CENTER);
    Click(200 + 23, 150 - 14);
    // The center of mass came to (20, -10): everything moved by (-20, 10).
    EXPECT_EQ(PointsOf(poly), Pts({{183, 161}, {223, 161}, {223, 191}}));
    EXPECT_EQ(PointsOf(ring), Pts({{100, 110}, {9, 9}}));
    view->UpdateWindow();

    // A drag of (27, 14) moves the selection by (30, 10), not to grid points.
    Use(TOOL_SELECT);
    Click(215, 170);
    ASSERT_EQ(view->Selection(), std::vector<CPrimitive*>({poly}));
    // A hand's tremor, short of half a step, moves nothing and records nothing.
    Press(215, 170);
    Move(218, 168);
    Release(218, 168);
    EXPECT_EQ(PointsOf(poly), Pts({{183, 161}, {223, 161}, {223, 191}}));
    EXPECT_EQ(doc.HistorySize(), 0);
    Press(215, 170);
    for (int i = 1; i <= 9; ++i)
        Move(215 + 3 * i, 170 + (14 * i) / 9);
    Release(215 + 27, 170 + 14);
    EXPECT_EQ(PointsOf(poly), Pts({{213, 171}, {253, 171}, {253, 201}}));
    EXPECT_EQ(doc.HistorySize(), 1) << "one drag, one step";

    // Ctrl: by the pointer's own offset.
    Press(230, 180, Qt::ControlModifier);
    MoveHeld(233, 178, Qt::ControlModifier);
    Release(233, 178, Qt::ControlModifier);
    EXPECT_EQ(PointsOf(poly), Pts({{216, 169}, {256, 169}, {256, 199}}));

    // A grabbed vertex goes onto a grid point; the arrow keys still move it
    // by one unit.
    Press(256, 170);
    ASSERT_EQ(doc.GrabbedVertex(), &poly->m_pPoints[1]);
    Move(262, 163);
    Move(279, 162);
    Release(279, 162);
    EXPECT_EQ(CPoint(poly->m_pPoints[1]), CPoint(80, 10));
    Key(Qt::Key_Left);
    EXPECT_EQ(CPoint(poly->m_pPoints[1]), CPoint(79, 10));
    doc.ReleaseGrabbedVertex();
    Key(Qt::Key_Down);
    EXPECT_EQ(PointsOf(poly), Pts({{216, 170}, {279, 161}, {256, 200}}));
}

TEST_F(GridSnapTest, GridLinesLieUnderTheObjectAndThinOut) {
    const QImage plain = view->Surface().copy();
    ProgramGrid().snap = false;
    const COLORREF blue = RGB(0, 0, 255);
    Add(PRIM_POLYGON, {{150, 100}, {180, 100}, {180, 130}, {150, 130}}, blue);
    view->Invalidate();
    view->UpdateWindow();
    const QImage without = view->Surface().copy();
    view->m_bShowGrid = true;
    view->Invalidate();
    view->UpdateWindow();
    const QImage with = view->Surface().copy();
    const QRgb grey = 0x404040;
    int changed = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb a = without.pixel(x, y) & 0xFFFFFF, b = with.pixel(x, y) & 0xFFFFFF;
            const bool onLine = (x - 200) % 10 == 0 || (y - 150) % 10 == 0;
            if (a != b) {
                ++changed;
                ASSERT_EQ(a, 0u) << "only black turns grey: " << x << "," << y;
                ASSERT_EQ(b, grey) << x << "," << y;
                ASSERT_TRUE(onLine) << x << "," << y;
            } else if (onLine && a == 0) {
                ADD_FAILURE() << "a grid line is missing at " << x << "," << y;
            }
        }
    EXPECT_GT(changed, 40 * 300);
    EXPECT_EQ(Px(160, 110), 0x0000FFu) << "the element covers the grid";
    EXPECT_EQ(Px(200, 150), 0xFF0000u) << "the cross stays on top";

    // Spacing 3: every 5th line, 15 units apart; spacing 1: every 10th.
    for (const auto& [spacing, apart] : {std::pair{3, 15}, std::pair{1, 10}}) {
        ProgramGrid().spacing = spacing;
        view->Invalidate();
        view->UpdateWindow();
        for (int x = 0; x < 400; ++x)
            EXPECT_EQ(Px(x, 23) == grey, (x - 200) % apart == 0) << spacing << ": " << x;
    }

    // Off again: the very pixels of before.
    ProgramGrid().spacing = 10;
    view->m_bShowGrid = false;
    doc.m_shape.DeleteElement(0);
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(view->Surface(), plain);
}

} // namespace
