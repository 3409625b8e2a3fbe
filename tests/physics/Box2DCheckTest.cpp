// The one judgement of what may go to Box2D: its reasons follow the very
// single-precision test that failed, and its advice is only ever one that
// a scale the export takes would follow.
#include "physics/Box2DCheck.h"
#include "physics/Box2DLimits.h"

#include <gtest/gtest.h>

namespace {

void AddPath(CShape& s, int type, std::vector<POINT> pts) {
    auto* p = new POINT[pts.size()];
    std::copy(pts.begin(), pts.end(), p);
    s.AppendElement(type, 0xFF, int(pts.size()), p);
}

std::string Errors(const CShape& shape, double scale) {
    return CheckForBox2D(shape, scale).errors.join('\n').toStdString();
}

TEST(Box2DCheck, ReasonsFollowTheSinglePrecisionTestThatFailed) {
    // At 400 units per metre a one-unit wall is exactly Box2D's welding
    // distance wide; 10 units from the center of mass its corners' floats
    // fall just inside it.
    CShape wall;
    AddPath(wall, PRIM_POLYLINE, {{10, 10}, {10, 40}});
    const Box2DCheck check = CheckForBox2D(wall, 400);
    ASSERT_EQ(check.errors.size(), 1);
    EXPECT_EQ(check.errors[0].toStdString(),
              "element 0: error: too small for Box2D at 400 units per metre: corners 1 units "
              "apart, which single precision brings within Box2D's welding distance (1 units)");
    const PhysicsProblem& p = check.model.problems[0];
    EXPECT_TRUE(p.hasPlace);
    EXPECT_EQ(p.place.x(), 10); // between the two corners of one end
    EXPECT_TRUE(p.place.y() == 10 || p.place.y() == 40);
    EXPECT_EQ(Errors(wall, 399), "");

    // Well inside the welding distance the message says what is needed.
    CShape ring;
    ring.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{0, 0}, {1, 1}});
    EXPECT_NE(Errors(ring, 100).find("corners 0.196034 units apart, at least 0.25 needed"),
              std::string::npos)
        << Errors(ring, 100);

    // Too far for Box2D's floats: the advice names the scale that holds the
    // element, and there is none beyond 400.
    CShape far;
    AddPath(far, PRIM_POLYGON, {{3000000, 0}, {3000010, 0}, {3000010, 10}});
    EXPECT_EQ(Errors(far, 100),
              "element 0: error: reaches 30000.1 m from the center of mass at 100 units per "
              "metre, beyond the 10000 m within which Box2D's floats keep the precision it "
              "needs; 301 units per metre would hold it");
    EXPECT_EQ(Errors(far, 301), "");
    CShape farther;
    AddPath(farther, PRIM_POLYGON, {{5000000, 0}, {5000010, 0}, {5000010, 10}});
    EXPECT_EQ(Errors(farther, 400),
              "element 0: error: reaches 12500 m from the center of mass at 400 units per metre, "
              "beyond the 10000 m within which Box2D's floats keep the precision it needs");
}

TEST(Box2DCheck, TheWholeObjectMustHaveAMassBox2DCanHold) {
    CShape square;
    AddPath(square, PRIM_POLYGON, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const struct {
        double density;
        const char* error;
    } cases[] = {
        {std::nan(""), "error: the mass density is not a number"},
        {-INFINITY, "error: the mass density must be above zero (it is -inf)"},
        {0, "error: the mass density must be above zero (it is 0)"},
        {INFINITY, "error: the mass density is infinite"},
        {1e300,
         "error: the mass density 1e+300 is too large: the object weighs 1e+298 kg at 100 units "
         "per metre, above the 1e+15 kg Box2D can compute with"},
        {1e-15,
         "error: the mass density 1e-15 is too small: the object weighs 1e-17 kg at 100 units "
         "per metre, below the 1e-12 kg Box2D can compute with"},
        {1e17, ""},
        {0.1, ""},
    };
    for (const auto& c : cases) {
        square.m_dMassDensity = c.density;
        EXPECT_EQ(Errors(square, 100), c.error) << c.density;
    }
    // The bounds hold at every scale: mass in kilograms, inertia in kg m².
    for (double scale : {1.0, 100.0, 400.0}) {
        square.m_dMassDensity = physics::kMaxBox2DMass * scale * scale / 100 * 1.01;
        EXPECT_NE(Errors(square, scale), "") << scale;
        square.m_dMassDensity /= 1.02;
        EXPECT_EQ(Errors(square, scale), "") << scale;
    }

    CShape nothing;
    AddPath(nothing, PRIM_POLYLINE, {{3, 4}});
    EXPECT_EQ(Errors(nothing, 100), "error: the object has no element with an area or a length, "
                                    "so it has no mass for Box2D");
    // An element's own error comes alone: the mass it leaves out is not the body's.
    CShape bowTie;
    AddPath(bowTie, PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    EXPECT_EQ(Errors(bowTie, 100),
              "element 0: error: filled polygon's edges cross or touch at (5, 5)");
    EXPECT_EQ(Errors(square, 0.5), "error: the scale must lie between 1 and 400 units per metre");
}

} // namespace
