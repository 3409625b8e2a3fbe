#pragma once
// The checks a filled polygon passes before anything splits it or hands it to
// a physics engine: repeated points dropped, flat and self-touching outlines
// found (with the place), straight corners removed.
#include "geometry/ExactGeometry.h"

#include <vector>

namespace geometry {

// The outline without consecutive repeats and without a closing point equal
// to the first.
std::vector<IPoint> DropRepeats(const std::vector<IPoint>& points);

// Whether every point lies on one line (true for fewer than three points).
bool AllCollinear(const std::vector<IPoint>& ring);

// Looks for two edges of the closed outline that cross or touch, adjacent
// edges folding back over each other included. Returns false when the outline
// is simple; otherwise true with a point they share in *x, *y (exact for a
// touch, the nearest double for a crossing). ring has no consecutive repeats.
// When several pairs meet, the place is that of the first pair in edge order
// (lowest first edge, then lowest second edge), whichever search runs.
bool FindSelfContact(const std::vector<IPoint>& ring, double* x, double* y);

// The same answer by testing every pair of edges: quadratic, for small rings
// and as the reference the faster search is held to.
bool FindSelfContactByPairs(const std::vector<IPoint>& ring, double* x, double* y);

// Twice the signed area, exact for points of up to 32 bits each way (sign as
// Cross); zero for fewer than three points.
template <class Point> Wide TwiceSignedArea(const std::vector<Point>& ring) {
    Wide sum = 0;
    const size_t n = ring.size();
    if (n < 3)
        return 0;
    const IPoint first = Exact(ring[0]);
    for (size_t i = 1; i + 1 < n; ++i)
        sum += Cross(first, Exact(ring[i]), Exact(ring[i + 1]));
    return sum;
}

// Whether the outline is a simple polygon in the strict sense: at least three
// corners, none repeated or straight, a non-zero area, and no two edges
// meeting other than neighbours at their shared corner.
bool IsStrictlySimple(const std::vector<IPoint>& ring);

// A simple outline with its straight (180 degree) corners removed and turned
// so that its signed area is positive. Corners are the outline's own points.
std::vector<IPoint> NormalizeSimpleRing(const std::vector<IPoint>& ring);

// Whether a normalized ring is convex (every corner turns the same way).
bool IsConvexRing(const std::vector<IPoint>& ring);

} // namespace geometry
