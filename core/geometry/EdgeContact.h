#pragma once
// Whether two edges of a closed outline meet, with the exact predicates that
// every search for a self-contact shares, so that all searches agree.
#include "geometry/ExactGeometry.h"

#include <utility>
#include <vector>

namespace geometry {

// Where segments a-b and c-d meet, if they do; adjacent says that b == c and
// the two only may not fold back over each other.
inline bool SegmentsContact(const IPoint& a, const IPoint& b, const IPoint& c, const IPoint& d,
                            bool adjacent, double* x, double* y) {
    if (adjacent) {
        if (Cross(a, b, d) == 0 && Dot(a, b, d) < 0) {
            *x = double(b.x);
            *y = double(b.y);
            return true;
        }
        return false;
    }
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y))
        return false;
    const Wide d1 = Cross(a, b, c), d2 = Cross(a, b, d);
    const Wide d3 = Cross(c, d, a), d4 = Cross(c, d, b);
    const IPoint* touch = nullptr;
    if (d1 == 0 && OnSegment(a, b, c))
        touch = &c;
    else if (d2 == 0 && OnSegment(a, b, d))
        touch = &d;
    else if (d3 == 0 && OnSegment(c, d, a))
        touch = &a;
    else if (d4 == 0 && OnSegment(c, d, b))
        touch = &b;
    if (touch) {
        *x = double(touch->x);
        *y = double(touch->y);
        return true;
    }
    if (Sign(d1) * Sign(d2) < 0 && Sign(d3) * Sign(d4) < 0) {
        // The crossing lies at a + t (b - a) with t = d3 / (d3 - d4).
        const long double t = (long double)d3 / ((long double)d3 - (long double)d4);
        *x = double((long double)a.x + t * (long double)(b.x - a.x));
        *y = double((long double)a.y + t * (long double)(b.y - a.y));
        return true;
    }
    return false;
}

// Whether edges i and j (i != j) of the ring meet; edge i runs from ring[i] to
// ring[i + 1]. Neighbouring edges share their corner and meet only by folding
// back. The place is always taken from the lower edge first, so that every
// search reports the same point for the same pair.
inline bool EdgesContact(const std::vector<IPoint>& ring, size_t i, size_t j, double* x,
                         double* y) {
    if (i > j)
        std::swap(i, j);
    const size_t n = ring.size();
    if (j == i + 1)
        return SegmentsContact(ring[i], ring[i + 1], ring[j], ring[(j + 1) % n], true, x, y);
    if (i == 0 && j == n - 1)
        return SegmentsContact(ring[j], ring[0], ring[0], ring[1], true, x, y);
    return SegmentsContact(ring[i], ring[i + 1], ring[j], ring[(j + 1) % n], false, x, y);
}

} // namespace geometry
