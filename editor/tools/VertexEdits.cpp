#include "tools/VertexEdits.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
int32_t Saturate(double v) {
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    return v <= lo   ? std::numeric_limits<int32_t>::min()
           : v >= hi ? std::numeric_limits<int32_t>::max()
                     : int32_t(std::lround(v));
}

void SetPoints(CPrimitive* prim, std::vector<POINT> pts) {
    POINT* own = new POINT[pts.size()];
    std::copy(pts.begin(), pts.end(), own);
    prim->ReplacePoints(own, int32_t(pts.size()));
}
} // namespace

bool IsClosedPolyline(const CPrimitive* prim) {
    if (prim->m_nType != PRIM_POLYLINE || prim->m_nPoints < 3)
        return false;
    const POINT& a = prim->m_pPoints[0];
    const POINT& b = prim->m_pPoints[prim->m_nPoints - 1];
    return a.x == b.x && a.y == b.y;
}

int HandleCount(const CPrimitive* prim) {
    if (prim->IsPath())
        return std::max(0, prim->m_nPoints - (IsClosedPolyline(prim) ? 1 : 0));
    const bool circle = prim->m_nType == PRIM_CIRCLE || prim->m_nType == PRIM_FILLED_CIRCLE;
    return circle && prim->m_nPoints >= 2 ? 2 : 0;
}

CPoint HandlePoint(const CPrimitive* prim, int handle) {
    const POINT& c = prim->m_pPoints[prim->IsPath() ? handle : 0];
    if (prim->IsPath() || handle == 0)
        return CPoint(c);
    const int64_t rim = int64_t(c.x) + prim->m_pPoints[1].x;
    return CPoint(int32_t(std::clamp<int64_t>(rim, std::numeric_limits<int32_t>::min(),
                                              std::numeric_limits<int32_t>::max())),
                  c.y);
}

void SetHandlePoint(CPrimitive* prim, int handle, const POINT& p) {
    if (prim->IsPath()) {
        const bool twin = handle == 0 && IsClosedPolyline(prim);
        prim->m_pPoints[handle] = p;
        if (twin)
            prim->m_pPoints[prim->m_nPoints - 1] = p;
        return;
    }
    if (handle == 0) {
        prim->m_pPoints[0] = p;
        return;
    }
    const POINT& c = prim->m_pPoints[0];
    prim->m_pPoints[1].x = Saturate(std::hypot(double(p.x) - c.x, double(p.y) - c.y));
}

void InsertVertex(CPrimitive* prim, int at, const POINT& p) {
    std::vector<POINT> pts(prim->m_pPoints, prim->m_pPoints + prim->m_nPoints);
    pts.insert(pts.begin() + at, p);
    SetPoints(prim, std::move(pts));
}

QString RefuseVertexRemoval(const CPrimitive* prim, const std::vector<int>& handles) {
    if (!prim->IsPath())
        return QStringLiteral("A circle's handles cannot be deleted.");
    const bool closed = IsClosedPolyline(prim);
    const int corners = prim->m_nPoints - (closed ? 1 : 0);
    const int left = corners - int(handles.size());
    if (prim->m_nType == PRIM_POLYGON && left < 3)
        return QStringLiteral("A polygon keeps at least 3 vertices.");
    if (closed && left < 3)
        return QStringLiteral("A closed polyline keeps at least 3 corners.");
    if (!closed && prim->m_nType == PRIM_POLYLINE && left < 2)
        return QStringLiteral("A polyline keeps at least 2 vertices.");
    return QString();
}

void RemoveVertices(CPrimitive* prim, const std::vector<int>& handles) {
    const bool closed = IsClosedPolyline(prim);
    const int corners = prim->m_nPoints - (closed ? 1 : 0);
    std::vector<bool> doomed(size_t(std::max(corners, 0)), false);
    for (int i : handles)
        if (i >= 0 && i < corners)
            doomed[size_t(i)] = true;
    std::vector<POINT> pts;
    for (int i = 0; i < corners; ++i)
        if (!doomed[size_t(i)])
            pts.push_back(prim->m_pPoints[i]);
    if (closed && !pts.empty())
        pts.push_back(pts.front());
    SetPoints(prim, std::move(pts));
}
