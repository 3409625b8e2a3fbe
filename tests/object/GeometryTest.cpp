// Bounding rectangles and the point transform.
#include "ObjectTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace morvet_test;

namespace {

CPrimitive Prim(int32_t type, std::initializer_list<POINT> pts) {
    CPrimitive p;
    p.m_nType = type;
    p.m_nPoints = int32_t(pts.size());
    p.m_pPoints = NewPoints(pts);
    return p;
}

CRect RectOf(const CPrimitive& p) {
    CRect r(-1, -1, -1, -1);
    GetPrimitiveRect(&p, &r);
    return r;
}

POINT TransformOne(POINT pt, int32_t px, int32_t py, int32_t tx, int32_t ty, double a, double sx,
                   double sy) {
    CPrimitive p = Prim(PRIM_POLYLINE, {pt});
    POINT out{-12345, -12345};
    TransformPrimitive(&p, &out, px, py, tx, ty, a, sx, sy);
    return out;
}

constexpr double kPi = 3.14159265358979323846;

} // namespace

// --- GetPrimitiveRect ------------------------------------------------------

TEST(GeometryRect, PolylineExtremes) {
    EXPECT_EQ(RectOf(Prim(PRIM_POLYLINE, {{10, 5}, {3, 8}, {7, -2}})), CRect(3, -2, 10, 8));
}

TEST(GeometryRect, PolygonUsesAllPoints) {
    EXPECT_EQ(RectOf(Prim(PRIM_POLYGON, {{0, 0}, {-5, 9}, {12, -3}, {4, 4}})),
              CRect(-5, -3, 12, 9));
}

TEST(GeometryRect, OnePointPolylineIsZeroSized) {
    const CRect r = RectOf(Prim(PRIM_POLYLINE, {{4, 4}}));
    EXPECT_EQ(r, CRect(4, 4, 4, 4));
    EXPECT_TRUE(r.IsRectEmpty());
}

TEST(GeometryRect, HorizontalPolylineHasZeroHeight) {
    const CRect r = RectOf(Prim(PRIM_POLYLINE, {{0, 7}, {30, 7}}));
    EXPECT_EQ(r, CRect(0, 7, 30, 7));
    EXPECT_TRUE(r.IsRectEmpty());
}

TEST(GeometryRect, CircleFromCentreAndRadius) {
    EXPECT_EQ(RectOf(Prim(PRIM_CIRCLE, {{100, 50}, {10, 10}})), CRect(90, 40, 110, 60));
    // Only the x of the second point is the radius.
    EXPECT_EQ(RectOf(Prim(PRIM_FILLED_CIRCLE, {{100, 50}, {10, 999}})), CRect(90, 40, 110, 60));
}

TEST(GeometryRect, PathWithoutPointsHasEmptyRectangle) {
    for (int32_t type : {PRIM_POLYLINE, PRIM_POLYGON}) {
        const CRect r = RectOf(Prim(type, {}));
        EXPECT_TRUE(r.IsRectEmpty()) << "type " << type;
        EXPECT_FALSE(r.PtInRect(POINT{0, 0}));
    }
}

TEST(GeometryRect, CircleWithoutRadiusHasEmptyRectangle) {
    EXPECT_TRUE(RectOf(Prim(PRIM_CIRCLE, {{5, 5}})).IsRectEmpty());
    EXPECT_TRUE(RectOf(Prim(PRIM_FILLED_CIRCLE, {})).IsRectEmpty());
}

TEST(GeometryRect, ShapeGetElementRectUsesIndex) {
    CShape s;
    Append(s, PRIM_POLYLINE, 0, {{0, 0}, {1, 1}});
    Append(s, PRIM_CIRCLE, 0, {{0, 0}, {3, 3}});
    CRect r;
    s.GetElementRect(1, &r);
    EXPECT_EQ(r, CRect(-3, -3, 3, 3));
}

// --- TransformPrimitive ----------------------------------------------------

TEST(GeometryTransform, PureMoveIsExactAndReversible) {
    const POINT p{-17, 42};
    const POINT moved = TransformOne(p, 0, 0, 123, -456, 0.0, 1.0, 1.0);
    EXPECT_EQ(moved, (POINT{106, -414}));
    EXPECT_EQ(TransformOne(moved, 0, 0, -123, 456, 0.0, 1.0, 1.0), p);
    // A move from pivot to target is a move by target - pivot.
    EXPECT_EQ(TransformOne(p, 10, 20, 15, 10, 0.0, 1.0, 1.0), (POINT{-12, 32}));
}

TEST(GeometryTransform, LargeMovesStayExact) {
    const POINT p{1000000, -1000000};
    EXPECT_EQ(TransformOne(p, 0, 0, 7, -7, 0.0, 1.0, 1.0), (POINT{1000007, -1000007}));
}

TEST(GeometryTransform, ScaleHalfTruncatesAbsoluteCoordinates) {
    // About (400, 300), x = 403 -> 401, x = 397 -> 398, y = 300 stays.
    EXPECT_EQ(TransformOne({403, 300}, 400, 300, 400, 300, 0.0, 0.5, 0.5), (POINT{401, 300}));
    EXPECT_EQ(TransformOne({397, 300}, 400, 300, 400, 300, 0.0, 0.5, 0.5), (POINT{398, 300}));
    EXPECT_EQ(TransformOne({400, 303}, 400, 300, 400, 300, 0.0, 0.5, 0.5), (POINT{400, 301}));
    EXPECT_EQ(TransformOne({400, 297}, 400, 300, 400, 300, 0.0, 0.5, 0.5), (POINT{400, 298}));
}

TEST(GeometryTransform, TruncationIsTowardZeroForNegativeResults) {
    // -3 * 0.5 = -1.5 becomes -1, not -2.
    EXPECT_EQ(TransformOne({-3, -5}, 0, 0, 0, 0, 0.0, 0.5, 0.5), (POINT{-1, -2}));
    EXPECT_EQ(TransformOne({3, 5}, 0, 0, 0, 0, 0.0, 0.5, 0.5), (POINT{1, 2}));
}

TEST(GeometryTransform, QuarterTurnIsClockwiseOnScreen) {
    EXPECT_EQ(TransformOne({10, 0}, 0, 0, 0, 0, kPi / 2, 1.0, 1.0), (POINT{0, 10}));
    EXPECT_EQ(TransformOne({0, 10}, 0, 0, 0, 0, kPi / 2, 1.0, 1.0), (POINT{-10, 0}));
}

TEST(GeometryTransform, AlmostFullTurnLosesAUnit) {
    // 6.28318 is just short of 2*pi: (100, 0) comes out a hair below 100.
    EXPECT_EQ(TransformOne({100, 0}, 0, 0, 0, 0, 6.28318, 1.0, 1.0), (POINT{99, 0}));
}

TEST(GeometryTransform, ScaleAboutPivotThenPlaceOnTarget) {
    // Offset (10, -4) from the pivot, doubled, placed at the target (1000, 1000).
    EXPECT_EQ(TransformOne({410, 296}, 400, 300, 1000, 1000, 0.0, 2.0, 2.0), (POINT{1020, 992}));
}

TEST(GeometryTransform, EvaluatesRotateScaleTranslateInOneFixedOrder) {
    // Compare with the transform formula, evaluated term by term in its stated order.
    const double a = 0.7, sx = 1.3, sy = 0.6;
    const int px = 37, py = -12, tx = 250, ty = 180;
    const double ca = std::cos(a), sa = std::sin(a);
    const double cax = ca * sx, sax = sa * sx, cay = ca * sy, say = sa * sy;
    const double Tx = (tx - px * cax) + py * say, Ty = (ty - px * sax) - py * cay;
    for (int x = -40; x <= 40; x += 7)
        for (int y = -40; y <= 40; y += 9) {
            const POINT r = TransformOne({x, y}, px, py, tx, ty, a, sx, sy);
            EXPECT_EQ(r.x, int32_t((x * cax - y * say) + Tx));
            EXPECT_EQ(r.y, int32_t((y * cay + x * sax) + Ty));
        }
}

TEST(GeometryTransform, InPlaceEqualsIntoCopy) {
    CPrimitive src = Prim(PRIM_POLYGON, {{1, 2}, {30, -4}, {-7, 19}, {100, 100}});
    CPrimitive copy(src);
    std::vector<POINT> out(4);
    TransformPrimitive(&src, out.data(), 5, 5, 50, -50, 1.1, 2.0, 0.3);
    TransformPrimitive(&copy, copy.m_pPoints, 5, 5, 50, -50, 1.1, 2.0, 0.3);
    EXPECT_EQ(PointsOf(&copy), out);
    // The source passed by pointer is read only.
    EXPECT_EQ(src.m_pPoints[1], (POINT{30, -4}));
}

TEST(GeometryTransform, CircleRadiusScalesByXOnlyAndSecondYIsUntouched) {
    CPrimitive c = Prim(PRIM_CIRCLE, {{100, 100}, {15, 15}});
    TransformPrimitive(&c, c.m_pPoints, 100, 100, 100, 100, 0.0, 0.5, 3.0);
    EXPECT_EQ(c.m_pPoints[0], (POINT{100, 100}));
    EXPECT_EQ(c.m_pPoints[1].x, 7);
    EXPECT_EQ(c.m_pPoints[1].y, 15) << "the y of the second point is neither read nor written";
}

TEST(GeometryTransform, CircleSecondYIsNotWrittenIntoDestination) {
    CPrimitive c = Prim(PRIM_FILLED_CIRCLE, {{10, 20}, {4, 4}});
    POINT dest[2] = {{0, 0}, {0, -777}};
    TransformPrimitive(&c, dest, 0, 0, 5, 5, 0.0, 2.0, 2.0);
    EXPECT_EQ(dest[0], (POINT{25, 45}));
    EXPECT_EQ(dest[1].x, 8);
    EXPECT_EQ(dest[1].y, -777);
}

TEST(GeometryTransform, CircleCentreTurnsRadiusDoesNot) {
    CPrimitive c = Prim(PRIM_CIRCLE, {{10, 0}, {6, 6}});
    TransformPrimitive(&c, c.m_pPoints, 0, 0, 0, 0, kPi / 2, 1.0, 1.0);
    EXPECT_EQ(c.m_pPoints[0], (POINT{0, 10}));
    EXPECT_EQ(c.m_pPoints[1].x, 6);
}

TEST(GeometryTransform, UnknownTypeIsTransformedLikeACircle) {
    CPrimitive u = Prim(9, {{10, 10}, {8, 8}, {50, 50}});
    TransformPrimitive(&u, u.m_pPoints, 0, 0, 0, 0, 0.0, 0.5, 0.5);
    EXPECT_EQ(u.m_pPoints[0], (POINT{5, 5}));
    EXPECT_EQ(u.m_pPoints[1], (POINT{4, 8}));
    EXPECT_EQ(u.m_pPoints[2], (POINT{50, 50}));
}

TEST(GeometryTransform, ElementsWithoutPointsAreLeftAlone) {
    CPrimitive empty = Prim(PRIM_POLYGON, {});
    TransformPrimitive(&empty, empty.m_pPoints, 0, 0, 10, 10, 1.0, 2.0, 2.0);
    CPrimitive lone = Prim(PRIM_CIRCLE, {{3, 3}});
    TransformPrimitive(&lone, lone.m_pPoints, 0, 0, 10, 10, 0.0, 1.0, 1.0);
    EXPECT_EQ(lone.m_pPoints[0], (POINT{3, 3}));
}

// --- CShape::Transform and TransformInto ------------------------------------

TEST(GeometryShape, TransformMovesEveryElement) {
    CShape s;
    Append(s, PRIM_POLYLINE, 0, {{0, 0}, {10, 10}});
    Append(s, PRIM_CIRCLE, 0, {{5, 5}, {3, 3}});
    s.Transform(0, 0, 100, 200, 0.0, 1.0, 1.0);
    EXPECT_EQ(PointsOf(s.m_elements[0]), (std::vector<POINT>{{100, 200}, {110, 210}}));
    EXPECT_EQ(PointsOf(s.m_elements[1]), (std::vector<POINT>{{105, 205}, {3, 3}}));
}

TEST(GeometryShape, TransformIntoLeavesSourceUnchanged) {
    CShape s;
    Append(s, PRIM_POLYGON, 0, {{260, 170}, {300, 200}});
    Append(s, PRIM_FILLED_CIRCLE, 0, {{250, 180}, {20, 5}});
    CShape copy(s);
    s.TransformInto(copy, 0, 0, -250, -180, 0.0, 1.0, 1.0);
    EXPECT_EQ(PointsOf(s.m_elements[0]), (std::vector<POINT>{{260, 170}, {300, 200}}));
    EXPECT_EQ(PointsOf(copy.m_elements[0]), (std::vector<POINT>{{10, -10}, {50, 20}}));
    EXPECT_EQ(PointsOf(copy.m_elements[1]), (std::vector<POINT>{{0, 0}, {20, 5}}));
}

TEST(GeometryShape, TransformIntoDifferentStructureWritesNothingOutOfBounds) {
    // Left to the implementer: the core skips elements that do not match.
    CShape s;
    Append(s, PRIM_POLYGON, 0, {{1, 1}, {2, 2}, {3, 3}});
    CShape other;
    Append(other, PRIM_POLYGON, 0, {{0, 0}});
    s.TransformInto(other, 0, 0, 10, 10, 0.0, 1.0, 1.0);
    EXPECT_EQ(PointsOf(other.m_elements[0]), (std::vector<POINT>{{0, 0}}));
}
