// The sweep that finds where a large outline meets itself, held to the
// quadratic search over every pair on many generated outlines: the same
// verdict and the same place, which belongs to the first pair in edge order.
#include "geometry/PolygonRing.h"
#include "geometry/RingSweep.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using geometry::IPoint;
using Ring = std::vector<IPoint>;

// Corners at sorted angles around a centre: simple on a fine grid, and on a
// coarse one full of corners on edges, shared corners and straight runs.
Ring Star(std::mt19937& rng, int n, int radius) {
    std::uniform_real_distribution<double> angle(0, 2 * M_PI), r(0.2, 1.0);
    std::vector<double> angles(size_t(n), 0.0);
    for (double& a : angles)
        a = angle(rng);
    std::sort(angles.begin(), angles.end());
    Ring ring;
    for (double a : angles) {
        const double k = r(rng) * radius;
        ring.push_back(
            IPoint{int64_t(std::lround(k * std::cos(a))), int64_t(std::lround(k * std::sin(a)))});
    }
    return ring;
}

// Any corners on a small grid: crossings, touches, overlaps and repeats.
Ring Scribble(std::mt19937& rng, int n, int size) {
    std::uniform_int_distribution<int> c(0, size);
    Ring ring;
    for (int i = 0; i < n; ++i)
        ring.push_back(IPoint{c(rng), c(rng)});
    return ring;
}

// Unit steps along the axes: vertical and horizontal edges running over each other.
Ring Walk(std::mt19937& rng, int n) {
    std::uniform_int_distribution<int> dir(0, 3), len(1, 3);
    Ring ring{IPoint{0, 0}};
    for (int i = 1; i < n; ++i) {
        const int d = dir(rng), l = len(rng);
        IPoint p = ring.back();
        (d < 2 ? p.x : p.y) += d % 2 ? l : -l;
        ring.push_back(p);
    }
    return ring;
}

TEST(SelfContact, SweepAgreesWithEveryPairOnGeneratedOutlines) {
    std::mt19937 rng(29);
    int simple = 0, touching = 0;
    for (int round = 0; round < 20000; ++round) {
        const int n = 3 + int(rng() % (round % 50 == 0 ? 600 : 40));
        Ring ring;
        switch (round % 5) {
        case 0:
            ring = Star(rng, n, 1000000);
            break;
        case 1:
            ring = Star(rng, n, 6 + int(rng() % 20));
            break;
        case 2:
            ring = Scribble(rng, n, 2 + int(rng() % 8));
            break;
        case 3:
            ring = Walk(rng, n);
            break;
        default: {
            // A simple outline with one corner moved onto another corner or
            // edge, or a spike folded back along an edge.
            ring = Star(rng, n, 1000);
            const size_t a = rng() % ring.size(), b = rng() % ring.size();
            if (rng() % 2)
                ring[a] = ring[b];
            else
                ring.insert(ring.begin() + long(a) + 1,
                            IPoint{(ring[a].x + ring[(a + 1) % ring.size()].x) / 2,
                                   (ring[a].y + ring[(a + 1) % ring.size()].y) / 2});
            break;
        }
        }
        ring = geometry::DropRepeats(ring);
        if (ring.size() < 3)
            continue;
        double px = 0, py = 0, sx = 0, sy = 0;
        const bool byPairs = geometry::FindSelfContactByPairs(ring, &px, &py);
        const bool bySweep = geometry::FindSelfContactBySweep(ring, &sx, &sy);
        ASSERT_EQ(bySweep, byPairs) << "round " << round;
        if (byPairs) {
            ++touching;
            ASSERT_EQ(sx, px) << "round " << round;
            ASSERT_EQ(sy, py) << "round " << round;
        } else {
            ++simple;
        }
    }
    EXPECT_GT(simple, 5000);
    EXPECT_GT(touching, 5000);
}

} // namespace
