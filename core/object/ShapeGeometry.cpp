#include "object/CShape.h"

#include <cmath>
#include <limits>

namespace {
// Conversion toward zero, as every coordinate computed in doubles is stored.
// Results beyond the 32-bit range (a file may hold any coordinate) stop at its
// ends instead of being undefined.
inline int32_t Truncate(double v) {
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (!(v > lo))
        return v != v ? 0 : std::numeric_limits<int32_t>::min();
    if (!(v < hi))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

// Centre plus or minus radius, kept inside the 32-bit range.
inline int32_t Offset(int32_t c, int64_t d) {
    const int64_t v = int64_t(c) + d;
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    return int32_t(v);
}
} // namespace

void GetPrimitiveRect(const CPrimitive* prim, CRect* rect, const POINT& shift) {
    const bool circle = !(prim->m_nType == PRIM_POLYLINE || prim->m_nType == PRIM_POLYGON);
    if (prim->m_nPoints <= 0 || (circle && prim->m_nPoints < 2)) {
        // An element without the points it needs covers nothing and is never hit.
        rect->SetRectEmpty();
        return;
    }
    const POINT* p = prim->m_pPoints;
    const auto x = [&](int32_t i) { return WrapAdd(p[i].x, shift.x); };
    const auto y = [&](int32_t i) { return WrapAdd(p[i].y, shift.y); };
    if (!circle) {
        int32_t l = x(0), r = l, t = y(0), b = t;
        for (int32_t i = 1; i < prim->m_nPoints; ++i) {
            const int32_t px = x(i), py = y(i);
            if (px < l)
                l = px;
            else if (px > r)
                r = px;
            if (py < t)
                t = py;
            else if (py > b)
                b = py;
        }
        rect->SetRect(l, t, r, b);
    } else {
        const int32_t r = p[1].x;
        rect->SetRect(Offset(x(0), -int64_t(r)), Offset(y(0), -int64_t(r)), Offset(x(0), r),
                      Offset(y(0), r));
    }
}

void GetPrimitiveHitRect(const CPrimitive* prim, CRect* rect, const POINT& shift) {
    GetPrimitiveRect(prim, rect, shift);
    rect->NormalizeRect();
}

bool HasNoExtent(const CPrimitive* prim) {
    switch (prim->m_nType) {
    case PRIM_POLYLINE:
    case PRIM_POLYGON:
        return prim->m_nPoints <= 0;
    case PRIM_CIRCLE:
    case PRIM_FILLED_CIRCLE:
        return prim->m_nPoints < 2;
    default:
        return true;
    }
}

void MovePrimitive(CPrimitive* prim, int32_t dx, int32_t dy) {
    POINT* pts = prim->m_pPoints;
    // Records of other types keep their points as circles do, as Transform treats them.
    const int32_t n = prim->IsPath() ? prim->m_nPoints : (prim->m_nPoints < 2 ? 0 : 1);
    for (int32_t i = 0; i < n; ++i) {
        pts[i].x = WrapAdd(pts[i].x, dx);
        pts[i].y = WrapAdd(pts[i].y, dy);
    }
}

void TransformPrimitive(const CPrimitive* prim, POINT* dest, int32_t pivotX, int32_t pivotY,
                        int32_t targetX, int32_t targetY, double angle, double scaleX,
                        double scaleY) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    const double cax = ca * scaleX, sax = sa * scaleX, cay = ca * scaleY, say = sa * scaleY;
    const double tx = (targetX - pivotX * cax) + pivotY * say;
    const double ty = (targetY - pivotX * sax) - pivotY * cay;
    const POINT* src = prim->m_pPoints;
    const bool path = prim->m_nType == PRIM_POLYLINE || prim->m_nType == PRIM_POLYGON;
    if (path) {
        for (int32_t i = 0; i < prim->m_nPoints; ++i) {
            const double x = src[i].x, y = src[i].y;
            dest[i].x = Truncate((x * cax - y * say) + tx);
            dest[i].y = Truncate((y * cay + x * sax) + ty);
        }
        return;
    }
    if (prim->m_nPoints < 2)
        return; // nothing to place without a centre and a radius
    const double x = src[0].x, y = src[0].y;
    const int32_t radius = src[1].x;
    dest[0].x = Truncate((x * cax - y * say) + tx);
    dest[0].y = Truncate((y * cay + x * sax) + ty);
    dest[1].x = Truncate(radius * scaleX);
}

void CShape::GetElementRect(int index, CRect* rect) const {
    GetPrimitiveRect(m_elements[size_t(index)], rect);
}

void CShape::Move(int32_t dx, int32_t dy) {
    for (CPrimitive* p : m_elements)
        MovePrimitive(p, dx, dy);
}

void CShape::Transform(int32_t pivotX, int32_t pivotY, int32_t targetX, int32_t targetY,
                       double angle, double scaleX, double scaleY) {
    for (CPrimitive* p : m_elements)
        TransformPrimitive(p, p->m_pPoints, pivotX, pivotY, targetX, targetY, angle, scaleX,
                           scaleY);
}

void CShape::TransformInto(CShape& dest, int32_t pivotX, int32_t pivotY, int32_t targetX,
                           int32_t targetY, double angle, double scaleX, double scaleY) const {
    const size_t n = std::min(m_elements.size(), dest.m_elements.size());
    for (size_t i = 0; i < n; ++i) {
        const CPrimitive* src = m_elements[i];
        CPrimitive* dst = dest.m_elements[i];
        // A destination of another shape gets nothing rather than a write past its points.
        if (dst->m_nType != src->m_nType || dst->m_nPoints != src->m_nPoints)
            continue;
        TransformPrimitive(src, dst->m_pPoints, pivotX, pivotY, targetX, targetY, angle, scaleX,
                           scaleY);
    }
}
