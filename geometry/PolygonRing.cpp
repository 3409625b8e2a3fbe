#include "geometry/PolygonRing.h"

#include "geometry/EdgeContact.h"
#include "geometry/RingSweep.h"

#include <algorithm>

namespace geometry {

std::vector<IPoint> DropRepeats(const std::vector<IPoint>& points) {
    std::vector<IPoint> ring;
    ring.reserve(points.size());
    for (const IPoint& p : points)
        if (ring.empty() || ring.back() != p)
            ring.push_back(p);
    while (ring.size() > 1 && ring.back() == ring.front())
        ring.pop_back();
    return ring;
}

bool AllCollinear(const std::vector<IPoint>& ring) {
    if (ring.size() < 3)
        return true;
    const IPoint& a = ring[0];
    size_t k = 1;
    while (k < ring.size() && ring[k] == a)
        ++k;
    if (k == ring.size())
        return true;
    for (size_t i = k + 1; i < ring.size(); ++i)
        if (Cross(a, ring[k], ring[i]) != 0)
            return false;
    return true;
}

bool FindSelfContactByPairs(const std::vector<IPoint>& ring, double* x, double* y) {
    const size_t n = ring.size();
    if (n < 3)
        return false;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = i + 1; j < n; ++j)
            if (EdgesContact(ring, i, j, x, y))
                return true;
    return false;
}

bool FindSelfContact(const std::vector<IPoint>& ring, double* x, double* y) {
    // Below this many edges, testing every pair costs less than sorting.
    constexpr size_t kPairsUpTo = 48;
    return ring.size() <= kPairsUpTo ? FindSelfContactByPairs(ring, x, y)
                                     : FindSelfContactBySweep(ring, x, y);
}

bool IsStrictlySimple(const std::vector<IPoint>& ring) {
    const size_t n = ring.size();
    if (n < 3 || TwiceSignedArea(ring) == 0)
        return false;
    // A straight corner also covers neighbours folding back over each other,
    // so the search below only has to find edges that are not neighbours.
    for (size_t i = 0; i < n; ++i)
        if (ring[i] == ring[(i + 1) % n] ||
            Cross(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) == 0)
            return false;
    double x = 0, y = 0;
    return !FindSelfContact(ring, &x, &y);
}

std::vector<IPoint> NormalizeSimpleRing(const std::vector<IPoint>& ring) {
    const size_t n = ring.size();
    std::vector<IPoint> out;
    out.reserve(n);
    // In a simple outline a straight corner lies between its neighbours, so
    // corners found straight against the original neighbours can all go at once.
    for (size_t i = 0; i < n; ++i)
        if (Cross(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) != 0)
            out.push_back(ring[i]);
    if (TwiceSignedArea(out) < 0)
        std::reverse(out.begin(), out.end());
    return out;
}

bool IsConvexRing(const std::vector<IPoint>& ring) {
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i)
        if (Cross(ring[i], ring[(i + 1) % n], ring[(i + 2) % n]) < 0)
            return false;
    return true;
}

} // namespace geometry
