#pragma once
// Small builders shared by the object tests.
#include "object/CShape.h"

#include <cstring>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace morvet_test {

// A heap point array the way AppendElement wants it.
inline POINT* NewPoints(std::initializer_list<POINT> pts) {
    if (pts.size() == 0)
        return nullptr;
    auto* out = new POINT[pts.size()];
    size_t i = 0;
    for (const POINT& p : pts)
        out[i++] = p;
    return out;
}

inline void Append(CShape& s, int32_t type, COLORREF color, std::initializer_list<POINT> pts) {
    s.AppendElement(type, color, int32_t(pts.size()), NewPoints(pts));
}

inline std::vector<POINT> PointsOf(const CPrimitive* p) {
    return std::vector<POINT>(p->m_pPoints, p->m_pPoints + (p->m_nPoints > 0 ? p->m_nPoints : 0));
}

inline bool SamePoints(const CPrimitive* a, const CPrimitive* b) {
    return a->m_nPoints == b->m_nPoints &&
           (a->m_nPoints <= 0 ||
            std::memcmp(a->m_pPoints, b->m_pPoints, sizeof(POINT) * size_t(a->m_nPoints)) == 0);
}

} // namespace morvet_test

inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
inline void PrintTo(const POINT& p, std::ostream* os) {
    *os << "(" << p.x << ", " << p.y << ")";
}
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const CRect& r, std::ostream* os) {
    PrintTo(static_cast<const RECT&>(r), os);
}
