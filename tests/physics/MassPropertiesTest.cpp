// Mass properties against closed forms. Coordinates are held as the document
// holds them, moved by an origin, to show that only file coordinates count.
#include "physics/PhysicsModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

void AddPath(CShape& s, int type, std::initializer_list<POINT> pts) {
    auto* p = new POINT[pts.size()];
    int i = 0;
    for (const POINT& q : pts)
        p[i++] = q;
    s.AppendElement(type, 0xFF, int(pts.size()), p);
}

void AddCircle(CShape& s, int type, int cx, int cy, int r) {
    s.AppendElement(type, 0xFF, 2, new POINT[2]{{cx, cy}, {r, r}});
}

void AddRect(CShape& s, int l, int t, int r, int b) {
    AddPath(s, PRIM_POLYGON, {{l, t}, {r, t}, {r, b}, {l, b}});
}

// Expected figures from area, centroid and polar moment about the centroid.
void ExpectMass(const CShape& shape, double area, double cx, double cy, double polarCentroid) {
    const PhysicsModel m = BuildPhysicsModel(shape);
    const double rho = shape.m_dMassDensity, tol = 1e-9;
    const double d2 = cx * cx + cy * cy;
    EXPECT_NEAR(m.mass.area, area, tol * area);
    EXPECT_NEAR(m.mass.mass, rho * area, tol * rho * area);
    EXPECT_NEAR(m.mass.centroid.x(), cx, 1e-9 * (1 + std::abs(cx)));
    EXPECT_NEAR(m.mass.centroid.y(), cy, 1e-9 * (1 + std::abs(cy)));
    EXPECT_NEAR(m.mass.distance, std::sqrt(d2), 1e-9 * (1 + std::sqrt(d2)));
    EXPECT_NEAR(m.mass.inertiaAboutCentroid, rho * polarCentroid, tol * rho * polarCentroid);
    const double aboutCom = rho * (polarCentroid + area * d2);
    EXPECT_NEAR(m.mass.inertiaAboutCenterOfMass, aboutCom, tol * aboutCom);
    EXPECT_FALSE(m.HasErrors());
}

double RectPolar(double w, double h) {
    return w * h * (w * w + h * h) / 12;
}

TEST(MassProperties, ClosedForms) {
    {
        SCOPED_TRACE("rectangle off the center of mass, both windings");
        CShape s;
        s.m_dMassDensity = 2.5;
        AddRect(s, 10, 20, 70, 60); // 60 x 40 centred on (40, 40)
        ExpectMass(s, 2400, 40, 40, RectPolar(60, 40));
        CShape r;
        r.m_dMassDensity = 2.5;
        AddPath(r, PRIM_POLYGON, {{10, 20}, {10, 60}, {70, 60}, {70, 20}});
        ExpectMass(r, 2400, 40, 40, RectPolar(60, 40));
    }
    {
        SCOPED_TRACE("disc");
        CShape s;
        AddCircle(s, PRIM_FILLED_CIRCLE, -30, 15, 25);
        const double a = kPi * 625;
        ExpectMass(s, a, -30, 15, a * 625 / 2);
    }
    {
        SCOPED_TRACE("ring: 32 wall boxes along the circle");
        CShape s;
        const double r = 50;
        AddCircle(s, PRIM_CIRCLE, 5, -7, int(r));
        const double len = 2 * r * std::sin(kPi / 32), mid = r * std::cos(kPi / 32);
        const double box = len * 1;
        ExpectMass(s, 32 * box, 5, -7, 32 * (box * (len * len + 1) / 12 + box * mid * mid));
    }
    {
        SCOPED_TRACE("right triangle");
        CShape s;
        AddPath(s, PRIM_POLYGON, {{0, 0}, {90, 0}, {0, 60}});
        ExpectMass(s, 2700, 30, 20, 90.0 * 60 * (90 * 90 + 60 * 60) / 36);
    }
    {
        SCOPED_TRACE("L shape, concave, one outline");
        CShape s;
        AddPath(s, PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}});
        // A 20 x 100 bar plus a 40 x 20 foot.
        const double a1 = 2000, a2 = 800, x1 = 10, y1 = 50, x2 = 40, y2 = 90;
        const double a = a1 + a2, cx = (a1 * x1 + a2 * x2) / a, cy = (a1 * y1 + a2 * y2) / a;
        const double polar =
            RectPolar(20, 100) + a1 * ((x1 - cx) * (x1 - cx) + (y1 - cy) * (y1 - cy)) +
            RectPolar(40, 20) + a2 * ((x2 - cx) * (x2 - cx) + (y2 - cy) * (y2 - cy));
        ExpectMass(s, a, cx, cy, polar);
    }
    {
        SCOPED_TRACE("overlapping elements each count in full");
        CShape s;
        AddRect(s, -10, -10, 10, 10);
        AddRect(s, 0, 0, 20, 20);
        const double a = 800, c = 5;
        const double polar = 2 * (RectPolar(20, 20) + 400 * 2 * c * c);
        ExpectMass(s, a, c, c, polar);
    }
    {
        SCOPED_TRACE("wall: a polyline is a one-unit box per segment");
        CShape s;
        AddPath(s, PRIM_POLYLINE, {{0, 0}, {30, 40}, {30, 40}});
        ExpectMass(s, 50, 15, 20, 50.0 * (2500 + 1) / 12);
    }
}

TEST(MassProperties, NoMassElementsAreNotes) {
    CShape s;
    s.AppendElement(PRIM_POLYLINE, 0, 0, nullptr);
    AddPath(s, PRIM_POLYLINE, {{3, 4}});
    AddPath(s, PRIM_POLYLINE, {{3, 4}, {3, 4}});
    AddCircle(s, PRIM_CIRCLE, 0, 0, 0);
    AddCircle(s, PRIM_FILLED_CIRCLE, 0, 0, -5);
    AddPath(s, 7, {{1, 1}, {2, 2}});
    AddPath(s, PRIM_POLYGON, {{1, 1}, {5, 5}});
    const PhysicsModel m = BuildPhysicsModel(s);
    EXPECT_EQ(m.mass.area, 0);
    EXPECT_EQ(m.mass.mass, 0);
    EXPECT_TRUE(m.fixtures.empty());
    // Each element is a note; the object, with no mass at all, cannot go to
    // Box2D (a loader would make a body of 1 kg of it).
    ASSERT_EQ(m.problems.size(), 8u);
    EXPECT_EQ(m.problems[0].element, -1);
    EXPECT_EQ(m.ErrorCount(), 1);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(m.problems[size_t(i) + 1].element, i);
        EXPECT_EQ(m.problems[size_t(i) + 1].severity, PhysicsProblem::Note);
    }
    EXPECT_EQ(m.problems[2].place, QPointF(3, 4));
}

// Far from the center of mass the inertia about the centroid keeps every
// digit: it is not the difference of two numbers 10^13 times larger.
TEST(MassProperties, InertiaAboutTheCentroidFarFromTheCenterOfMass) {
    for (int far : {100000000, 1000000000, -2000000000}) {
        SCOPED_TRACE(far);
        CShape s;
        s.m_dMassDensity = 1;
        AddRect(s, far, far, far + 10, far + 10);
        PhysicsModel m = BuildPhysicsModel(s);
        EXPECT_NEAR(m.mass.inertiaAboutCentroid, RectPolar(10, 10), 1e-9 * RectPolar(10, 10));
        // Two squares 30 apart, and a 1 x 1 one far beyond them: the parallel
        // axis theorem about their common centroid.
        AddRect(s, far + 30, far, far + 40, far + 10);
        m = BuildPhysicsModel(s);
        const double two = 2 * RectPolar(10, 10) + 200 * 15 * 15;
        EXPECT_NEAR(m.mass.inertiaAboutCentroid, two, 1e-9 * two);
        AddRect(s, far + 1000, far + 1000, far + 1001, far + 1001);
        m = BuildPhysicsModel(s);
        const double cx = (200 * 20.0 + 1000.5) / 201, cy = (200 * 5.0 + 1000.5) / 201;
        const double three = 2 * RectPolar(10, 10) +
                             100 * ((5 - cx) * (5 - cx) + (5 - cy) * (5 - cy)) +
                             100 * ((35 - cx) * (35 - cx) + (5 - cy) * (5 - cy)) + RectPolar(1, 1) +
                             ((1000.5 - cx) * (1000.5 - cx) + (1000.5 - cy) * (1000.5 - cy));
        EXPECT_NEAR(m.mass.inertiaAboutCentroid, three, 1e-9 * three);
    }
}

} // namespace
