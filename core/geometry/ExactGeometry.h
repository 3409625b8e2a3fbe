#pragma once
// Exact predicates on integer points. Coordinates are 64-bit but come from
// 32-bit file values, so differences fit in 33 bits and their products in 128
// bits: every sign below is exact.
#include <algorithm>
#include <cstdint>

namespace geometry {

struct IPoint {
    int64_t x, y;
    bool operator==(const IPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const IPoint& o) const { return !(*this == o); }
};

using Wide = __int128;

// Twice the signed area of (a, b, c): positive when c lies left of a->b in a
// y-up frame (right of it on screen, where y points down).
inline Wide Cross(const IPoint& a, const IPoint& b, const IPoint& c) {
    return Wide(b.x - a.x) * Wide(c.y - a.y) - Wide(b.y - a.y) * Wide(c.x - a.x);
}

inline int Sign(Wide v) {
    return (v > 0) - (v < 0);
}

// Any point type with integer x and y (the file's 32-bit points among them).
template <class Point> IPoint Exact(const Point& p) {
    return IPoint{int64_t(p.x), int64_t(p.y)};
}

inline Wide Dot(const IPoint& a, const IPoint& b, const IPoint& c) {
    return Wide(b.x - a.x) * Wide(c.x - b.x) + Wide(b.y - a.y) * Wide(c.y - b.y);
}

// Whether p, known to be collinear with a and b, lies on the closed segment a-b.
inline bool OnSegment(const IPoint& a, const IPoint& b, const IPoint& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

} // namespace geometry
