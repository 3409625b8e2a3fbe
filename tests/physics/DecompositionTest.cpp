// Convex pieces checked by property over thousands of generated polygons, with
// GEOS as an independent judge of validity and of coverage; invalid outlines
// refused with their place.
#include "physics/PhysicsModel.h"

#include <geos_c.h>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

using Wide = __int128;

struct P {
    int64_t x, y;
    bool operator<(const P& o) const { return x != o.x ? x < o.x : y < o.y; }
};

Wide Cross(const P& a, const P& b, const P& c) {
    return Wide(b.x - a.x) * (c.y - a.y) - Wide(b.y - a.y) * (c.x - a.x);
}

Wide TwiceArea(const std::vector<P>& r) {
    Wide s = 0;
    for (size_t i = 0; i < r.size(); ++i)
        s += Wide(r[i].x) * r[(i + 1) % r.size()].y - Wide(r[(i + 1) % r.size()].x) * r[i].y;
    return s;
}

// Convex a and b (both turning the same way) overlap only if no edge of either
// has all of the other's corners on its outer side or on the edge's line.
bool InteriorsOverlap(const std::vector<P>& a, const std::vector<P>& b) {
    for (int pass = 0; pass < 2; ++pass) {
        const std::vector<P>& e = pass ? b : a;
        const std::vector<P>& o = pass ? a : b;
        for (size_t i = 0; i < e.size(); ++i) {
            bool separates = true;
            for (const P& q : o)
                separates = separates && Cross(e[i], e[(i + 1) % e.size()], q) >= 0;
            if (separates)
                return false;
        }
    }
    return true;
}

struct Geos {
    GEOSContextHandle_t h = GEOS_init_r();
    ~Geos() { GEOS_finish_r(h); }
    GEOSGeometry* Polygon(const std::vector<P>& r) const {
        GEOSCoordSequence* s = GEOSCoordSeq_create_r(h, unsigned(r.size() + 1), 2);
        for (size_t i = 0; i <= r.size(); ++i)
            GEOSCoordSeq_setXY_r(h, s, unsigned(i), double(r[i % r.size()].x),
                                 double(r[i % r.size()].y));
        return GEOSGeom_createPolygon_r(h, GEOSGeom_createLinearRing_r(h, s), nullptr, 0);
    }
    bool IsValid(const std::vector<P>& r) const {
        if (r.size() < 3)
            return false;
        GEOSGeometry* g = Polygon(r);
        const bool valid = g && GEOSisValid_r(h, g) == 1;
        GEOSGeom_destroy_r(h, g);
        return valid;
    }
    // Area of the symmetric difference between the outline and the union of the pieces.
    double Mismatch(const std::vector<P>& outline, const std::vector<std::vector<P>>& pieces) {
        std::vector<GEOSGeometry*> parts;
        for (const auto& piece : pieces)
            parts.push_back(Polygon(piece));
        GEOSGeometry* all = GEOSGeom_createCollection_r(h, GEOS_GEOMETRYCOLLECTION, parts.data(),
                                                        unsigned(parts.size()));
        GEOSGeometry* un = GEOSUnaryUnion_r(h, all);
        GEOSGeometry* whole = Polygon(outline);
        GEOSGeometry* diff = GEOSSymDifference_r(h, un, whole);
        double area = -1;
        GEOSArea_r(h, diff, &area);
        for (GEOSGeometry* g : {all, un, whole, diff})
            GEOSGeom_destroy_r(h, g);
        return area;
    }
};

CShape OnePolygon(const std::vector<P>& r) {
    CShape s;
    auto* pts = new POINT[r.size()];
    for (size_t i = 0; i < r.size(); ++i)
        pts[i] = POINT{int32_t(r[i].x), int32_t(r[i].y)};
    s.AppendElement(PRIM_POLYGON, 0xFF, int(r.size()), pts);
    return s;
}

// Star-shaped outlines around the origin: concave, sometimes with straight
// corners or repeated angles (then not simple, which GEOS judges).
std::vector<P> StarPolygon(std::mt19937& rng, int n, int reach) {
    std::uniform_real_distribution<double> angle(0, 6.283185307179586);
    std::uniform_int_distribution<int> radius(reach / 8, reach);
    std::vector<double> angles(static_cast<size_t>(n));
    for (double& a : angles)
        a = angle(rng);
    std::sort(angles.begin(), angles.end());
    std::vector<P> r;
    for (double a : angles) {
        const int d = radius(rng);
        r.push_back(
            P{int64_t(std::lround(d * std::cos(a))), int64_t(std::lround(d * std::sin(a)))});
    }
    return r;
}

// Points on a tiny grid: mostly crossing, touching or flat outlines.
std::vector<P> GridPolygon(std::mt19937& rng, int n) {
    std::uniform_int_distribution<int> c(0, 4);
    std::vector<P> r;
    for (int i = 0; i < n; ++i)
        r.push_back(P{c(rng), c(rng)});
    return r;
}

void CheckPieces(const std::vector<P>& outline, const PhysicsModel& m, Geos& geos,
                 bool checkCoverage = true) {
    const std::set<P> corners(outline.begin(), outline.end());
    Wide total = 0;
    std::vector<std::vector<P>> pieces;
    for (const PhysicsFixture& f : m.fixtures) {
        ASSERT_FALSE(f.isCircle);
        ASSERT_GE(f.vertices.size(), 3u);
        ASSERT_LE(f.vertices.size(), 8u);
        std::vector<P> piece;
        for (const QPointF& v : f.vertices) {
            const P q{int64_t(v.x()), int64_t(v.y())};
            ASSERT_EQ(double(q.x), v.x());
            ASSERT_TRUE(corners.count(q)) << "a piece's corner is not the polygon's own";
            piece.push_back(q);
        }
        for (size_t i = 0; i < piece.size(); ++i) // strictly convex, clockwise with y down
            ASSERT_LT(Cross(piece[i], piece[(i + 1) % piece.size()], piece[(i + 2) % piece.size()]),
                      0);
        total += -TwiceArea(piece);
        pieces.push_back(piece);
    }
    const Wide whole = TwiceArea(outline);
    ASSERT_TRUE(total == (whole < 0 ? -whole : whole)) << "areas do not add up exactly";
    for (size_t i = 0; i < pieces.size(); ++i)
        for (size_t j = i + 1; j < pieces.size(); ++j)
            ASSERT_FALSE(InteriorsOverlap(pieces[i], pieces[j])) << "pieces " << i << ", " << j;
    // Disjoint pieces of the right total area could still stick out of the
    // outline; GEOS's overlay says whether they cover exactly it.
    if (checkCoverage) {
        EXPECT_LT(geos.Mismatch(outline, pieces), 1e-6);
    }
    // Few pieces: Hertel-Mehlhorn leaves at most 4 times the fewest convex
    // pieces, which is at least reflex corners / 2 + 1... and never more than
    // the triangles.
    EXPECT_LE(pieces.size(), outline.size() - 2);
}

TEST(Decomposition, GeneratedPolygonsSplitExactlyIntoConvexPieces) {
    std::mt19937 rng(13);
    Geos geos;
    int valid = 0, invalid = 0;
    for (int round = 0; round < 4000; ++round) {
        const bool grid = round % 4 == 3;
        const int n = grid ? 3 + round % 7 : 3 + round % 80; // past 48 edges: the grid search
        const std::vector<P> outline =
            grid ? GridPolygon(rng, n) : StarPolygon(rng, n, round % 2 ? 1000 : 30);
        const PhysicsModel m = BuildPhysicsModel(OnePolygon(outline));
        const bool geosValid = geos.IsValid(outline);
        ASSERT_EQ(!m.HasErrors(), geosValid) << "round " << round;
        if (!geosValid) {
            ++invalid;
            ASSERT_EQ(m.problems.size(), 1u);
            EXPECT_EQ(m.problems[0].element, 0);
            EXPECT_TRUE(m.problems[0].hasPlace);
            EXPECT_TRUE(m.fixtures.empty());
            continue;
        }
        ++valid;
        SCOPED_TRACE(round);
        CheckPieces(outline, m, geos, valid % 4 == 0);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(valid, 2000);
    EXPECT_GT(invalid, 300);
}

TEST(Decomposition, LargeOutlinesTakeGeosTriangulationChecked) {
    std::mt19937 rng(5);
    Geos geos;
    for (int n : {250, 600, 2000}) {
        std::vector<P> outline = StarPolygon(rng, n, 100000);
        // A comb: a run of teeth along the bottom makes many reflex corners.
        std::vector<P> comb;
        for (int i = 0; i < n / 2; ++i) {
            comb.push_back(P{i * 10, 0});
            comb.push_back(P{i * 10 + 5, 50});
        }
        comb.push_back(P{(n / 2) * 10, 100});
        comb.push_back(P{0, 100});
        for (const auto& o : {outline, comb}) {
            ASSERT_TRUE(geos.IsValid(o));
            const PhysicsModel m = BuildPhysicsModel(OnePolygon(o));
            ASSERT_FALSE(m.HasErrors());
            CheckPieces(o, m, geos);
        }
    }
}

// Teeth along y = 0 to 50, closed by a last corner and back to the start.
std::vector<P> Comb(int teeth, P last) {
    std::vector<P> comb;
    for (int i = 0; i < teeth; ++i) {
        comb.push_back(P{i * 10, 0});
        comb.push_back(P{i * 10 + 5, 50});
    }
    comb.push_back(last);
    return comb;
}

TEST(Decomposition, InvalidOutlinesAreRefusedWithTheirPlace) {
    struct Case {
        std::vector<P> outline;
        QPointF place;
    };
    const Case cases[] = {
        {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}, QPointF(5, 5)},                 // bow tie
        {{{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}, {5, 5}}, QPointF(5, 5)}, // touch at a corner
        {{{0, 0}, {10, 0}, {10, 10}, {10, 5}, {0, 10}}, QPointF(10, 10)},      // folds back
        {{{0, 0}, {10, 0}, {10, 10}, {5, 0}, {0, 10}}, QPointF(5, 0)},         // corner on an edge
        {{{0, 0}, {3, 3}, {6, 6}}, QPointF(0, 0)},                             // flat
        {{{7, 7}, {7, 7}, {7, 7}, {7, 7}}, QPointF(7, 7)},                     // one point
        {{{-2147483647, 0}, {2147483647, 1}, {2147483647, 0}, {-2147483647, 1}}, // huge crossing
         QPointF(0, 0.5)},
        // The edge back from (3000, 10) to the start first crosses the tooth
        // from (5, 50) to (10, 0), at t = 14995 / 15005 along it.
        {Comb(300, {3000, 10}), QPointF(5 + 5 * 14995 / 15005.0, 50 - 50 * 14995 / 15005.0)},

    };
    for (const Case& c : cases) {
        const PhysicsModel m = BuildPhysicsModel(OnePolygon(c.outline));
        ASSERT_TRUE(m.HasErrors());
        ASSERT_EQ(m.problems.size(), 1u);
        EXPECT_TRUE(m.problems[0].hasPlace);
        EXPECT_NEAR(m.problems[0].place.x(), c.place.x(), 1e-6);
        EXPECT_NEAR(m.problems[0].place.y(), c.place.y(), 1e-6);
        EXPECT_TRUE(m.fixtures.empty());
        EXPECT_EQ(m.mass.area, 0);
    }
}

TEST(Decomposition, ConcaveAndLargeConvexPolygonsAreNotes) {
    std::vector<P> octagonPlus;
    for (int k = 0; k < 12; ++k)
        octagonPlus.push_back(P{std::lround(100 * std::cos(k * 0.5235987755982988)),
                                std::lround(100 * std::sin(k * 0.5235987755982988))});
    const PhysicsModel convex = BuildPhysicsModel(OnePolygon(octagonPlus));
    ASSERT_EQ(convex.problems.size(), 1u);
    EXPECT_EQ(convex.problems[0].severity, PhysicsProblem::Note);
    EXPECT_EQ(convex.fixtures.size(), 2u);
    const PhysicsModel concave =
        BuildPhysicsModel(OnePolygon({{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}}));
    ASSERT_EQ(concave.problems.size(), 1u);
    EXPECT_EQ(concave.problems[0].severity, PhysicsProblem::Note);
    EXPECT_EQ(concave.fixtures.size(), 2u);
    // Straight corners drop out: a square with points along its sides is one piece.
    const PhysicsModel square = BuildPhysicsModel(
        OnePolygon({{0, 0}, {5, 0}, {10, 0}, {10, 5}, {10, 10}, {0, 10}, {0, 10}}));
    EXPECT_TRUE(square.problems.empty());
    ASSERT_EQ(square.fixtures.size(), 1u);
    EXPECT_EQ(square.fixtures[0].vertices.size(), 4u);
}

} // namespace
