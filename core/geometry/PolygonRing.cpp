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
    // so only edges that are not neighbours are left to meet.
    for (size_t i = 0; i < n; ++i)
        if (ring[i] == ring[(i + 1) % n] ||
            Cross(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) == 0)
            return false;
    // Whether any pair meets, not which pair comes first: edges sorted by their
    // left end, each tested against those whose x range overlaps its own,
    // costs less than the ordered search on the many outlines of a trace.
    struct Edge {
        int64_t minX, maxX, minY, maxY;
        size_t index;
    };
    std::vector<Edge> edges(n);
    for (size_t i = 0; i < n; ++i) {
        const IPoint& a = ring[i];
        const IPoint& b = ring[(i + 1) % n];
        edges[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y),
                    i};
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.minX < r.minX; });
    double x = 0, y = 0;
    for (size_t k = 0; k < n; ++k) {
        const Edge& e = edges[k];
        for (size_t m = k + 1; m < n && edges[m].minX <= e.maxX; ++m) {
            const Edge& f = edges[m];
            if (f.maxY < e.minY || f.minY > e.maxY)
                continue;
            const size_t i = e.index, j = f.index;
            if ((i + 1) % n == j || (j + 1) % n == i)
                continue;
            if (SegmentsContact(ring[i], ring[(i + 1) % n], ring[j], ring[(j + 1) % n], false, &x,
                                &y))
                return false;
        }
    }
    return true;
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
