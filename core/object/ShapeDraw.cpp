#include "object/CShape.h"
#include "platform/CDC.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

bool CShape::Draw(CDC* pDC, const CRect* pClip, const POINT& shift) const {
    const bool shifted = shift.x != 0 || shift.y != 0;
    // One buffer for every shifted path of this pass.
    std::vector<POINT> moved;
    CPen outline;
    if (!outline.CreatePen(PS_SOLID, 1, RGB(255, 255, 255)))
        return false;
    CPen* oldPen = pDC->SelectObject(&outline);
    for (const CPrimitive* p : m_elements) {
        if (pClip) {
            // Outlines reach one unit past the bounding rectangle's right and bottom.
            // The test runs in 64 bits: a box at the end of the coordinate range
            // must not wrap around when grown.
            CRect r;
            GetPrimitiveRect(p, &r, shift);
            r.NormalizeRect(); // a circle of negative radius spans from right to left
            const int64_t l = int64_t(r.left) - 1, t = int64_t(r.top) - 1;
            const int64_t rt = int64_t(r.right) + 1, b = int64_t(r.bottom) + 1;
            if (std::max<int64_t>(l, pClip->left) >= std::min<int64_t>(rt, pClip->right) ||
                std::max<int64_t>(t, pClip->top) >= std::min<int64_t>(b, pClip->bottom))
                continue;
        }
        CBrush brush(p->m_crColor);
        const POINT* pts = p->m_pPoints;
        if (shifted && p->IsPath() && p->m_nPoints > 0) {
            moved.resize(size_t(p->m_nPoints));
            for (size_t i = 0; i < moved.size(); ++i)
                moved[i] = CPoint(pts[i]) + shift;
            pts = moved.data();
        }
        switch (p->m_nType) {
        case PRIM_POLYLINE:
            pDC->Polyline(pts, p->m_nPoints);
            break;
        case PRIM_POLYGON: {
            CBrush* old = pDC->SelectObject(&brush);
            pDC->Polygon(pts, p->m_nPoints);
            pDC->SelectObject(old);
            break;
        }
        case PRIM_CIRCLE:
        case PRIM_FILLED_CIRCLE: {
            if (p->m_nPoints < 2)
                break;
            CBrush hollow;
            const LOGBRUSH lb{BS_NULL, 0, 0};
            hollow.CreateBrushIndirect(&lb);
            CBrush* old = pDC->SelectObject(p->m_nType == PRIM_CIRCLE ? &hollow : &brush);
            // The box in 64 bits: centre and radius may each lie anywhere in
            // the 32-bit range.
            const int64_t cx = WrapAdd(pts[0].x, shift.x), cy = WrapAdd(pts[0].y, shift.y);
            const int64_t radius = pts[1].x;
            pDC->WideEllipse(cx - radius, cy - radius, cx + radius, cy + radius);
            pDC->SelectObject(old);
            hollow.DeleteObject();
            break;
        }
        default:
            break; // unknown types are kept and written back, never drawn
        }
        brush.DeleteObject();
    }
    pDC->SelectObject(oldPen);
    outline.DeleteObject();
    return true;
}

void DrawCenterOfMassCross(CDC* pDC, const POINT& at) {
    pDC->MoveTo(at.x - 6, at.y - 6);
    pDC->LineTo(at.x + 6, at.y + 6);
    pDC->MoveTo(at.x + 6, at.y - 6);
    pDC->LineTo(at.x - 6, at.y + 6);
}
