#include "tools/CPickTool.h"

#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"
#include "view/Grid.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

int CPickTool::HitVertex(const CPrimitive* prim, const POINT& p, CMorvetView* pView) {
    if (!prim->IsPath() || prim->m_nPoints <= 0)
        return -1;
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
            return i;
    }
    return -1;
}

void CPickTool::RedrawNow(CMorvetView* pView) {
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    pView->OnDraw(&dc);
}

CRect CPickTool::BandRect() const {
    CRect r(m_ptPress, m_ptTrack);
    r.NormalizeRect();
    return r;
}

void CPickTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    CMorvetDoc* pDoc = pView->GetDocument();
    const bool shift = (nFlags & MK_SHIFT) != 0;
    CPoint p = point;
    pView->DeviceToLogical(&p);
    m_nPickMode = PICK_NONE;

    if (pView->Selection().size() == 1) {
        CPrimitive* only = pView->Selection().front();
        const int vertex = HitVertex(only, point, pView);
        const auto& elements = pDoc->m_shape.m_elements;
        const auto at = std::find(elements.begin(), elements.end(), only);
        const bool grabs = vertex >= 0 && at != elements.end();
        if (grabs)
            pDoc->GrabVertex(CVertexRef{int(at - elements.begin()), vertex});
        else
            pDoc->ReleaseGrabbedVertex();
        if (grabs) {
            pDoc->EndStep();
            pView->Invalidate(true);
            m_nPickMode = PICK_VERTEX;
        }
    }
    if (m_nPickMode != PICK_VERTEX) {
        if (CPrimitive* e = pDoc->ElementAtPoint(p, pView->Anchor())) {
            m_nPickMode = PICK_MOVE;
            pDoc->EndStep();
            if (!pView->IsSelected(e)) {
                pView->SelectElement(e, shift);
            } else if (shift) {
                pView->DeselectElement(e);
                m_nPickMode = PICK_NONE;
            }
        }
    }
    if (m_nPickMode == PICK_NONE) {
        if (!shift)
            pView->SelectElement(nullptr, false);
        m_nPickMode = PICK_RUBBER_BAND;
        CClientDC dc(pView);
        dc.DrawFocusRect(CRect(point, point));
    }
    m_ptPickLogical = p;
    m_ptDragStart = p;
    if (m_nPickMode == PICK_VERTEX)
        m_ptVertexStart = CPoint(*pDoc->GrabbedVertex()) + pView->Anchor();
    CShapeTool::MouseDown(pView, nFlags, point);
}

void CPickTool::MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture()) {
        CShapeTool::MouseMove(pView, nFlags, point);
        return;
    }
    if (m_nPickMode == PICK_RUBBER_BAND) {
        CClientDC dc(pView);
        dc.DrawFocusRect(BandRect());
        CRect next(m_ptPress, point);
        next.NormalizeRect();
        dc.DrawFocusRect(next);
        CShapeTool::MouseMove(pView, nFlags, point);
        return;
    }
    CPoint p = point;
    pView->DeviceToLogical(&p);
    const bool snap = pView->SnapsToGrid(nFlags);
    if (snap && m_nPickMode == PICK_MOVE) {
        // The selection goes as many whole grid steps as the pointer has come.
        const CPoint steps = SnapOffsetToGrid(
            int64_t(p.x) - m_ptDragStart.x, int64_t(p.y) - m_ptDragStart.y, ProgramGrid().spacing);
        p = CPoint(int32_t(int64_t(m_ptDragStart.x) + steps.x),
                   int32_t(int64_t(m_ptDragStart.y) + steps.y));
    }
    int32_t dx = WrapSub(p.x, m_ptPickLogical.x);
    int32_t dy = WrapSub(p.y, m_ptPickLogical.y);
    // Short of half a grid step nothing moves, and the document stays as it was.
    if (m_nPickMode == PICK_MOVE && (!snap || dx != 0 || dy != 0))
        MoveSelection(pView, dx, dy);
    m_ptPickLogical = p;
    const POINT* grabbed = pView->GetDocument()->GrabbedVertex();
    if (m_nPickMode == PICK_VERTEX && grabbed) {
        if (snap) {
            // The vertex keeps its place relative to the pointer, then goes to
            // the nearest grid point.
            const CPoint moved(int32_t(int64_t(m_ptVertexStart.x) + p.x - m_ptDragStart.x),
                               int32_t(int64_t(m_ptVertexStart.y) + p.y - m_ptDragStart.y));
            const CPoint target = SnapToGrid(moved, pView->Anchor(), ProgramGrid().spacing);
            const CPoint vertex = CPoint(*grabbed) + pView->Anchor();
            dx = int32_t(int64_t(target.x) - vertex.x);
            dy = int32_t(int64_t(target.y) - vertex.y);
        }
        if (!snap || dx != 0 || dy != 0)
            MoveGrabbedVertex(pView, dx, dy, false);
        m_ptTrack = point;
        RedrawNow(pView);
        return;
    }
    m_ptTrack = point;
    CShapeTool::MouseMove(pView, nFlags, point);
}

void CPickTool::MoveGrabbedVertex(CMorvetView* pView, int32_t dx, int32_t dy, bool ownStep) {
    // The moves of one drag make one step; the other windows see the vertex
    // where the drag lets go of it.
    CDocEdit edit(*pView->GetDocument(), pView,
                  ownStep ? CDocEdit::Step::Own : CDocEdit::Step::Join, CDocEdit::Tell::Later);
    POINT* v = edit.Doc().GrabbedVertex();
    v->x = WrapAdd(v->x, dx);
    v->y = WrapAdd(v->y, dy);
}

void CPickTool::MoveSelection(CMorvetView* pView, int32_t dx, int32_t dy) {
    // Even with nothing selected the document counts as changed, as it
    // always has; only a real move is a step to undo.
    const std::vector<CPrimitive*>& selection = pView->Selection();
    CDocEdit edit(*pView->GetDocument(), pView,
                  selection.empty() ? CDocEdit::Step::None : CDocEdit::Step::Join,
                  CDocEdit::Tell::Later);
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    for (CPrimitive* e : selection)
        MovePrimitive(e, dx, dy);
    pView->OnDraw(&dc);
}

void CPickTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (pView->HasCapture()) {
        if (m_nPickMode == PICK_RUBBER_BAND) {
            const CRect band = BandRect();
            {
                CClientDC dc(pView);
                dc.DrawFocusRect(band);
            }
            pView->SelectInRect(band, true);
        } else if (m_nPickMode == PICK_MOVE || m_nPickMode == PICK_VERTEX) {
            pView->GetDocument()->EndDrag(pView);
        }
    }
    m_nPickMode = PICK_NONE;
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
        std::vector<CPrimitive*> sel = pView->Selection();
        for (int k = int(sel.size()) - 1; k >= 0; --k) {
            const auto found = std::find(elements.rbegin(), elements.rend(), sel[size_t(k)]);
            if (found == elements.rend())
                continue;
            const size_t i = size_t(elements.rend() - found) - 1;
            sel.erase(sel.begin() + k);
            sel.push_back(i + 1 < elements.size() ? elements[i + 1] : elements.front());
        }
        pView->SetSelection(std::move(sel));
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
    CMorvetDoc* pDoc = pView->GetDocument();
    if (pDoc->GrabbedVertex()) {
        MoveGrabbedVertex(pView, dx, dy, true);
        pView->Invalidate(true);
        return;
    }
    // The pick mode stays as it is during the redraw: a band being dragged is
    // on the screen by inversion and must be drawn back with the rest, or the
    // next pointer move would invert it back on instead of away.
    // A key press joins the step of the drag before it, but the next key
    // press is a step of its own.
    MoveSelection(pView, dx, dy);
    pDoc->EndStep();
}

void CPickTool::DrawFeedback(CMorvetView* pView, CDC* pDC) {
    // The band lives on the screen by inversion; a repaint during the drag
    // puts it back, so that the next move still finds it there to take it away.
    if (m_nPickMode != PICK_RUBBER_BAND || !pView->HasCapture() || pDC->IsPrinting())
        return;
    // The band is in window pixels, as the moves draw it.
    CRect band = BandRect();
    const CPoint offset = pView->PixelOffset(pDC);
    band.OffsetRect(offset.x, offset.y);
    CDevicePixels pixels(pDC);
    pDC->DrawFocusRect(band);
}
