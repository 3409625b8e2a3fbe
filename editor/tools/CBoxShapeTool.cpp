#include "tools/CBoxShapeTool.h"

#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "tools/SquareFromDrag.h"
#include "view/CMorvetView.h"

#include <algorithm>
#include <cstdlib>

namespace {
CRect Normalized(const POINT& a, const POINT& b) {
    CRect r(a, b);
    r.NormalizeRect();
    return r;
}
} // namespace

void CBoxShapeTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    pView->GetDocument()->ReleaseGrabbedVertex();
    CShapeTool::MouseDown(pView, nFlags, p);
    pView->SelectElement(nullptr, false);
    m_bTracking = true;
}

CRect CBoxShapeTool::BandArea(CMorvetView* pView, const POINT& a, const POINT& b) {
    // Built from the corners rather than by UnionRect, which drops empty
    // rectangles: a band of zero width still draws a line that must be repainted.
    CRect u(std::min({m_ptPress.x, a.x, b.x}), std::min({m_ptPress.y, a.y, b.y}),
            std::max({m_ptPress.x, a.x, b.x}), std::max({m_ptPress.y, a.y, b.y}));
    // A filled rectangle's band covers one unit past its corner, which is
    // more than a pixel once zoomed in.
    if (!pView->Zoom().IsActual()) {
        u.right += u.right < INT32_MAX ? 1 : 0;
        u.bottom += u.bottom < INT32_MAX ? 1 : 0;
    }
    pView->LogicalToDevice(&u);
    u.InflateRect(1, 1);
    return u;
}

void CBoxShapeTool::MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    pView->SetToolCursor(IDC_DRAWCROSS);
    if (!pView->HasCapture())
        return;
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    const CRect u = BandArea(pView, m_ptTrack, p);
    m_ptTrack = p;
    // The repaint draws the new band through DrawFeedback; the old one goes
    // with its area.
    pView->InvalidateRect(&u, false);
}

void CBoxShapeTool::DrawFeedback(CMorvetView* pView, CDC* pDC) {
    if (!m_bTracking)
        return;
    CPen* oldPen = pDC->SelectObject(&m_penFeedback);
    CBrush colour(pView->GetDocument()->m_color);
    const LOGBRUSH lb{BS_NULL, 0, 0};
    CBrush hollow;
    const CPoint d = m_ptPress;
    const CPoint t = m_ptTrack;
    const CRect r = Normalized(d, t);
    switch (m_nToolType) {
    case TOOL_RECTANGLE:
        pDC->MoveTo(d.x, d.y);
        pDC->LineTo(d.x, t.y);
        pDC->LineTo(t.x, t.y);
        pDC->LineTo(t.x, d.y);
        pDC->LineTo(d.x, d.y);
        break;
    case TOOL_FILLED_RECTANGLE: {
        CBrush* old = pDC->SelectObject(&colour);
        pDC->Rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
        pDC->SelectObject(old);
        break;
    }
    default: {
        const CRect s = SquareFromDrag(d, t);
        hollow.CreateBrushIndirect(&lb);
        CBrush* old = pDC->SelectObject(m_nToolType == TOOL_CIRCLE ? &hollow : &colour);
        pDC->Ellipse(s.left, s.top, s.right, s.bottom);
        pDC->SelectObject(old);
        break;
    }
    }
    pDC->SelectObject(oldPen);
    colour.DeleteObject();
    hollow.DeleteObject();
}

void CBoxShapeTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture())
        return;
    pView->ReleaseCapture();
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    CMorvetDoc* pDoc = pView->GetDocument();
    // The element may be smaller than the band (truncated radius) or not be
    // added at all; the band must not stay behind on the screen.
    const CRect band = BandArea(pView, m_ptTrack, m_ptTrack);
    if (p != m_ptPress) {
        const CPoint d = m_ptPress;
        const CPoint t = m_ptTrack;
        switch (m_nToolType) {
        case TOOL_RECTANGLE: {
            POINT pts[5] = {{d.x, d.y}, {d.x, t.y}, {t.x, t.y}, {t.x, d.y}, {d.x, d.y}};
            pView->LogicalToObject(pts, 5);
            pDoc->AddElement(PRIM_POLYLINE, pDoc->m_color, 5, pts);
            break;
        }
        case TOOL_FILLED_RECTANGLE: {
            POINT pts[4] = {{d.x, d.y}, {d.x, t.y}, {t.x, t.y}, {t.x, d.y}};
            pView->LogicalToObject(pts, 4);
            pDoc->AddElement(PRIM_POLYGON, pDoc->m_color, 4, pts);
            break;
        }
        default: {
            const CRect s = SquareFromDrag(d, t);
            const int32_t radius = std::abs(s.right - s.left) / 2;
            POINT pts[2] = {{(s.left + s.right) / 2, (s.top + s.bottom) / 2}, {radius, radius}};
            // The centre is a place, the radius a length.
            pView->LogicalToObject(pts, 1);
            pDoc->AddElement(m_nToolType == TOOL_CIRCLE ? PRIM_CIRCLE : PRIM_FILLED_CIRCLE,
                             pDoc->m_color, 2, pts);
            break;
        }
        }
    }
    m_bTracking = false;
    pView->InvalidateRect(&band, false);
}
