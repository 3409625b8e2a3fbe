#include "trace/OutlineRepair.h"
#include "geometry/PolygonRing.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {
int Turn(const POINT& a, const POINT& b, const POINT& c) {
    const long long v = (long long)(b.x - a.x) * (c.y - a.y) - (long long)(b.y - a.y) * (c.x - a.x);
    return (v > 0) - (v < 0);
}

bool OnSegment(const POINT& a, const POINT& b, const POINT& p) {
    return Turn(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Every pair of edges, no sweep: the reference for IsSimplePolygon.
bool SimpleByAllPairs(const Ring& r) {
    const size_t n = r.size();
    if (n < 3)
        return false;
    long long twice = 0;
    for (size_t i = 0; i < n; ++i)
        twice += (long long)r[i].x * r[(i + 1) % n].y - (long long)r[(i + 1) % n].x * r[i].y;
    if (twice == 0)
        return false;
    for (size_t i = 0; i < n; ++i) {
        const POINT &a = r[i], &b = r[(i + 1) % n];
        if (a.x == b.x && a.y == b.y)
            return false;
        for (size_t j = i + 1; j < n; ++j) {
            const POINT &c = r[j], &d = r[(j + 1) % n];
            const bool neighbours = j == i + 1 || (i == 0 && j == n - 1);
            if (neighbours) {
                // They share one vertex; anything more is an overlap.
                const POINT& shared = j == i + 1 ? b : a;
                const POINT& p = j == i + 1 ? a : b;
                const POINT& q = j == i + 1 ? d : c;
                if (Turn(p, shared, q) == 0)
                    return false;
                continue;
            }
            const int t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a),
                      t4 = Turn(c, d, b);
            if ((t1 * t2 < 0 && t3 * t4 < 0) || OnSegment(a, b, c) || OnSegment(a, b, d) ||
                OnSegment(c, d, a) || OnSegment(c, d, b))
                return false;
        }
    }
    return true;
}

} // namespace

TEST(OutlineRepair, SimplicityAgreesWithTheAllPairsCheckOnRandomPolygons) {
    // Small coordinates make touches, overlaps and repeated points common.
    QRandomGenerator rng(15);
    int simple = 0;
    for (int n = 0; n < 20000; ++n) {
        Ring r(size_t(rng.bounded(3, 9)));
        for (POINT& p : r)
            p = {rng.bounded(0, 6), rng.bounded(0, 6)};
        ASSERT_EQ(IsSimplePolygon(r), SimpleByAllPairs(r)) << n;
        simple += SimpleByAllPairs(r);
    }
    EXPECT_GT(simple, 1000); // both answers well represented
    EXPECT_LT(simple, 19000);
    // Near the ends of the 32-bit range the predicates stay exact.
    const int big = 2147483600;
    EXPECT_TRUE(IsSimplePolygon({{-big, -big}, {big, -big}, {big, big}, {-big, big}}));
    EXPECT_FALSE(IsSimplePolygon({{-big, -big}, {big, big}, {big, -big}, {-big, big}}));
    EXPECT_FALSE(IsSimplePolygon({{-big, -big}, {big, -big}, {0, -big}, {0, big}}));
}

TEST(OutlineRepair, SpikesStraightVerticesAndTouchesAreRepaired) {
    // A square with a zero-width spike out of its top edge and points on its
    // edges: four corners are left.
    Ring spiked = {{0, 0}, {4, 0}, {4, -7}, {4, 0}, {10, 0}, {10, 5}, {10, 10}, {0, 10}, {0, 0}};
    std::vector<Ring> out = RepairOutline(spiked);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), 4u);
    EXPECT_TRUE(IsSimplePolygon(out[0]));
    EXPECT_EQ(geometry::TwiceSignedArea(out[0]), 200);

    // Two squares meeting at one corner, walked as one outline: two squares.
    const Ring eight = {{0, 0}, {5, 0}, {5, 5}, {10, 5}, {10, 10}, {5, 10}, {5, 5}, {0, 5}};
    EXPECT_FALSE(IsSimplePolygon(eight));
    out = RepairOutline(eight);
    ASSERT_EQ(out.size(), 2u);
    for (const Ring& r : out) {
        EXPECT_TRUE(IsSimplePolygon(r));
        EXPECT_EQ(geometry::TwiceSignedArea(r), 50);
    }

    // An outline that touches itself from the inside encloses a pocket that
    // turns the other way: the pocket is not shape.
    Ring pocket = {{0, 0}, {10, 0}, {10, 10}, {6, 10}, {6, 4},
                   {4, 4}, {4, 6},  {6, 6},   {6, 10}, {0, 10}};
    out = RepairOutline(pocket);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_TRUE(IsSimplePolygon(out[0]));
    EXPECT_EQ(geometry::TwiceSignedArea(out[0]), 200);
    // Of a hole, the same loop goes round shape reaching into it: kept.
    out = RepairOutline(pocket, true);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(geometry::TwiceSignedArea(out[0]) + geometry::TwiceSignedArea(out[1]), 200 - 8);

    // Nothing left of an outline with no width.
    EXPECT_TRUE(RepairOutline({{0, 0}, {5, 0}, {9, 0}, {5, 0}}).empty());
}
