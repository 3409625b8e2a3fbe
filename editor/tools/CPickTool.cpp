#include "tools/CPickTool.h"

#include "document/CMorvetDoc.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"
#include "view/Grid.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

POINT* CPickTool::HitVertex(CPrimitive* prim, const POINT& p, CMorvetView* pView) {
    if (!prim->IsPath() || prim->m_nPoints <= 0)
        return nullptr;
    // The reach is in pixels at any zoom: vertices are compared where they show.
    std::vector<POINT> shown(prim->m_pPoints, prim->m_pPoints + prim->m_nPoints);
    if (pView) {
        pView->ObjectToLogical(shown.data(), int(shown.size()));
        pView->LogicalToDevice(shown.data(), int(shown.size()));
    }
    for (int i = 0; i < prim->m_nPoints; ++i) {
        const POINT& v = shown[size_t(i)];
        // Within two pixels either way, measured in 64 bits so that a vertex
        // at the end of the range cannot wrap.
        if (std::abs(int64_t(p.x) - v.x) < 3 && std::abs(int64_t(p.y) - v.y) < 3)
            return &prim->m_pPoints[i];
    }
    return nullptr;
}

void CPickTool::SnapshotIfDue(CMorvetDoc* pDoc) {
    // A move joins the step this tool recorded last only while that step is
    // still the latest of the same document: not after an Undo or another
    // change, and not in another document, where it could never be undone.
    if (!m_bSnapshotDue && pDoc->HistoryStamp() == m_nJoinStamp)
        return;
    pDoc->PushSnapshot(new CShape(pDoc->m_shape));
    m_nJoinStamp = pDoc->HistoryStamp();
    m_bSnapshotDue = false;
}

void CPickTool::RedrawNow(CMorvetView* pView) {
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    pView->OnDraw(&dc);
}

CRect CPickTool::BandRect() {
    CRect r(s_ptPress, s_ptTrack);
    r.NormalizeRect();
    return r;
}

bool CPickTool::GrabbedVertexIn(const CMorvetDoc* pDoc) {
    const POINT* v = s_pGrabbedVertex;
    if (!v)
        return false;
    return std::any_of(
        pDoc->m_shape.m_elements.begin(), pDoc->m_shape.m_elements.end(), [v](const CPrimitive* e) {
            return e->m_nPoints > 0 && v >= e->m_pPoints && v < e->m_pPoints + e->m_nPoints;
        });
}

void CPickTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    CMorvetDoc* pDoc = pView->GetDocument();
    const bool shift = (nFlags & MK_SHIFT) != 0;
    CPoint p = point;
    pView->DeviceToLogical(&p);
    s_nPickMode = PICK_NONE;

    if (pView->m_selection.size() == 1) {
        s_pGrabbedVertex = HitVertex(pView->m_selection.front(), point, pView);
        if (s_pGrabbedVertex) {
            m_bSnapshotDue = true;
            pView->Invalidate(true);
            s_nPickMode = PICK_VERTEX;
        }
    }
    if (s_nPickMode != PICK_VERTEX) {
        if (CPrimitive* e = pDoc->ElementAtPoint(p, pView->Anchor())) {
            s_nPickMode = PICK_MOVE;
            m_bSnapshotDue = true;
            if (!pView->IsSelected(e)) {
                pView->SelectElement(e, shift);
            } else if (shift) {
                pView->DeselectElement(e);
                s_nPickMode = PICK_NONE;
            }
        }
    }
    if (s_nPickMode == PICK_NONE) {
        if (!shift)
            pView->SelectElement(nullptr, false);
        s_nPickMode = PICK_RUBBER_BAND;
        CClientDC dc(pView);
        dc.DrawFocusRect(CRect(point, point));
    }
    s_ptPickLogical = p;
    m_ptDragStart = p;
    if (s_nPickMode == PICK_VERTEX)
        m_ptVertexStart = CPoint(*s_pGrabbedVertex) + pView->Anchor();
    CShapeTool::MouseDown(pView, nFlags, point);
}

void CPickTool::MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture()) {
        CShapeTool::MouseMove(pView, nFlags, point);
        return;
    }
    if (s_nPickMode == PICK_RUBBER_BAND) {
        CClientDC dc(pView);
        dc.DrawFocusRect(BandRect());
        CRect next(s_ptPress, point);
        next.NormalizeRect();
        dc.DrawFocusRect(next);
        CShapeTool::MouseMove(pView, nFlags, point);
        return;
    }
    CPoint p = point;
    pView->DeviceToLogical(&p);
    const bool snap = pView->SnapsToGrid(nFlags);
    if (snap && s_nPickMode == PICK_MOVE) {
        // The selection goes as many whole grid steps as the pointer has come.
        const CPoint steps = SnapOffsetToGrid(
            int64_t(p.x) - m_ptDragStart.x, int64_t(p.y) - m_ptDragStart.y, ProgramGrid().spacing);
        p = CPoint(int32_t(int64_t(m_ptDragStart.x) + steps.x),
                   int32_t(int64_t(m_ptDragStart.y) + steps.y));
    }
    int32_t dx = WrapSub(p.x, s_ptPickLogical.x);
    int32_t dy = WrapSub(p.y, s_ptPickLogical.y);
    // Short of half a grid step nothing moves, and the document stays as it was.
    if (s_nPickMode == PICK_MOVE && (!snap || dx != 0 || dy != 0))
        MoveSelection(pView, dx, dy);
    s_ptPickLogical = p;
    if (s_nPickMode == PICK_VERTEX && s_pGrabbedVertex) {
        if (snap) {
            // The vertex keeps its place relative to the pointer, then goes to
            // the nearest grid point.
            const CPoint moved(int32_t(int64_t(m_ptVertexStart.x) + p.x - m_ptDragStart.x),
                               int32_t(int64_t(m_ptVertexStart.y) + p.y - m_ptDragStart.y));
            const CPoint target = SnapToGrid(moved, pView->Anchor(), ProgramGrid().spacing);
            const CPoint vertex = CPoint(*s_pGrabbedVertex) + pView->Anchor();
            dx = int32_t(int64_t(target.x) - vertex.x);
            dy = int32_t(int64_t(target.y) - vertex.y);
        }
        if (!snap || dx != 0 || dy != 0)
            MoveGrabbedVertex(pView, dx, dy);
        s_ptTrack = point;
        RedrawNow(pView);
        return;
    }
    s_ptTrack = point;
    CShapeTool::MouseMove(pView, nFlags, point);
}

void CPickTool::MoveGrabbedVertex(CMorvetView* pView, int32_t dx, int32_t dy) {
    CMorvetDoc* pDoc = pView->GetDocument();
    SnapshotIfDue(pDoc);
    s_pGrabbedVertex->x = WrapAdd(s_pGrabbedVertex->x, dx);
    s_pGrabbedVertex->y = WrapAdd(s_pGrabbedVertex->y, dy);
    // A moved vertex is a change the file must get; without the flag, closing
    // the document would drop it without asking.
    pDoc->SetModifiedFlag(true);
}

void CPickTool::MoveSelection(CMorvetView* pView, int32_t dx, int32_t dy) {
    CMorvetDoc* pDoc = pView->GetDocument();
    if (!pView->m_selection.empty())
        SnapshotIfDue(pDoc);
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    for (CPrimitive* e : pView->m_selection)
        MovePrimitive(e, dx, dy);
    pView->OnDraw(&dc);
    pDoc->SetModifiedFlag(true);
}

void CPickTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (pView->HasCapture()) {
        if (s_nPickMode == PICK_RUBBER_BAND) {
            const CRect band = BandRect();
            {
                CClientDC dc(pView);
                dc.DrawFocusRect(band);
            }
            pView->SelectInRect(band, true);
        } else if (s_nPickMode == PICK_MOVE || s_nPickMode == PICK_VERTEX) {
            pView->GetDocument()->UpdateAllViews(pView, 0, nullptr);
        }
    }
    s_nPickMode = PICK_NONE;
    CShapeTool::MouseUp(pView, nFlags, point);
}

void CPickTool::MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (nFlags & MK_SHIFT) {
        CPoint p = point;
        pView->DeviceToLogical(&p);
        if (CPrimitive* e = pView->GetDocument()->ElementAtPoint(p, pView->Anchor()))
            pView->DeselectElement(e);
    }
    CShapeTool::MouseDoubleClick(pView, nFlags, point);
}

void CPickTool::KeyDown(CMorvetView* pView, UINT nChar, UINT, UINT) {
    int32_t dx = 0, dy = 0;
    switch (nChar) {
    case VK_TAB: {
        const std::vector<CPrimitive*>& elements = pView->GetDocument()->m_shape.m_elements;
        std::vector<CPrimitive*>& sel = pView->m_selection;
        for (int k = int(sel.size()) - 1; k >= 0; --k) {
            const auto found = std::find(elements.rbegin(), elements.rend(), sel[size_t(k)]);
            if (found == elements.rend())
                continue;
            const size_t i = size_t(elements.rend() - found) - 1;
            sel.erase(sel.begin() + k);
            sel.push_back(i + 1 < elements.size() ? elements[i + 1] : elements.front());
        }
        pView->Invalidate(true);
        return;
    }
    case VK_LEFT:
        dx = -1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        return;
    }
    if (GrabbedVertexIn(pView->GetDocument())) {
        m_bSnapshotDue = true;
        MoveGrabbedVertex(pView, dx, dy);
        m_bSnapshotDue = true;
        pView->Invalidate(true);
        return;
    }
    // The pick mode stays as it is during the redraw: a band being dragged is
    // on the screen by inversion and must be drawn back with the rest, or the
    // next pointer move would invert it back on instead of away.
    MoveSelection(pView, dx, dy);
    m_bSnapshotDue = true;
}

void CPickTool::DrawFeedback(CMorvetView* pView, CDC* pDC) {
    // The band lives on the screen by inversion; a repaint during the drag
    // puts it back, so that the next move still finds it there to take it away.
    if (s_nPickMode != PICK_RUBBER_BAND || !pView->HasCapture() || pDC->IsPrinting())
        return;
    // The band is in window pixels, as the moves draw it.
    CRect band = BandRect();
    const CPoint offset = pView->PixelOffset(pDC);
    band.OffsetRect(offset.x, offset.y);
    CDevicePixels pixels(pDC);
    pDC->DrawFocusRect(band);
}
