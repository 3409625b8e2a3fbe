#include "tools/CPathTool.h"

#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"

#include <cstdlib>
#include <vector>

int CPathTool::ElementType() const {
    return m_nToolType == TOOL_POLYGON ? PRIM_POLYGON : PRIM_POLYLINE;
}

void CPathTool::InvertLine(CMorvetView* pView, const POINT& a, const POINT& b) {
    CClientDC dc(pView);
    pView->OnPrepareDC(&dc);
    const int oldRop = dc.SetROP2(R2_NOT);
    CPen* oldPen = dc.SelectObject(&m_penFeedback);
    dc.MoveTo(a.x, a.y);
    dc.LineTo(b.x, b.y);
    dc.SelectObject(oldPen);
    dc.SetROP2(oldRop);
}

void CPathTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->Selection().empty())
        pView->SelectElement(nullptr, false);
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    pView->GetDocument()->ReleaseGrabbedVertex();
    CShapeTool::MouseDown(pView, nFlags, p);
    if (m_nPointCount == 0) {
        m_points[0] = p;
        m_nPointCount = 1;
    }
}

void CPathTool::MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    pView->SetToolCursor(IDC_DRAWCROSS);
    if (!pView->HasCapture())
        return;
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    if (m_nPointCount == 0)
        return;
    const CPoint a = m_points[m_nPointCount - 1];
    if (a != m_ptTrack)
        InvertLine(pView, a, m_ptTrack);
    if (a != p)
        InvertLine(pView, a, p);
    m_ptTrack = p;
}

void CPathTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture())
        return;
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    if (m_nPointCount == 0)
        return;
    if (m_nPointCount == 1) {
        // How far the pointer went is felt in pixels, whatever the zoom.
        CPoint start = m_points[0];
        pView->LogicalToDevice(&start);
        if (std::abs(point.x - start.x) > 2 || std::abs(point.y - start.y) > 2) {
            m_points[1] = p;
            m_nPointCount = 2;
            return;
        }
        // A click without a drag starts nothing. Take back the rubber line that
        // is actually on the screen, which ends where the pointer was last seen.
        m_nPointCount = 0;
        if (m_ptTrack != m_points[0])
            InvertLine(pView, m_points[0], m_ptTrack);
        pView->ReleaseCapture();
        return;
    }
    m_points[m_nPointCount++] = p;
    if (m_nPointCount == kMaxPoints)
        MouseDoubleClick(pView, nFlags, p);
}

void CPathTool::AddCollected(CMorvetView* pView, bool wholeWindows) {
    CMorvetDoc* pDoc = pView->GetDocument();
    // Collected in this window's logical units, added in the object's.
    std::vector<POINT> points(m_points, m_points + m_nPointCount);
    pView->LogicalToObject(points.data(), m_nPointCount);
    if (!wholeWindows) {
        pDoc->AddElement(ElementType(), pDoc->m_color, m_nPointCount, points.data());
        return;
    }
    CDocEdit edit(*pDoc, pView);
    edit.AppendElement(ElementType(), pDoc->m_color, m_nPointCount, points.data());
}

void CPathTool::MouseDoubleClick(CMorvetView* pView, UINT, const CPoint&) {
    pView->ReleaseCapture();
    if (m_nPointCount > 0) {
        AddCollected(pView, false);
    }
    m_nPointCount = 0;
}

void CPathTool::KeyDown(CMorvetView* pView, UINT nChar, UINT, UINT) {
    // A modifier alone is on its way to Ctrl+wheel, a Ctrl-drag or a
    // shortcut; only a key of its own finishes the path.
    if (IsModifierKey(nChar))
        return;
    // A slip while collecting is taken back: Backspace the last vertex (the
    // first one cancels), Escape the whole element, with nothing added.
    if (m_nPointCount > 0 && (nChar == VK_ESCAPE || nChar == VK_BACK)) {
        if (nChar == VK_BACK && m_nPointCount >= 2) {
            --m_nPointCount;
        } else {
            m_nPointCount = 0;
            pView->ReleaseCapture();
        }
        // Redrawn at once: the rubber line now starts at another vertex, and
        // the next pointer move inverts it where the repaint put it.
        pView->Invalidate(true);
        pView->UpdateWindow();
        return;
    }
    pView->ReleaseCapture();
    // A key ends the path as a command ends: the other windows are drawn
    // again whole.
    if (m_nPointCount > 0)
        AddCollected(pView, true);
    pView->Invalidate(true);
    m_nPointCount = 0;
}

void CPathTool::DrawFeedback(CMorvetView* pView, CDC* pDC) {
    CPen* oldPen = pDC->SelectObject(&m_penFeedback);
    if (m_nPointCount >= 2) {
        pDC->MoveTo(m_points[0].x, m_points[0].y);
        for (int i = 1; i < m_nPointCount; ++i)
            pDC->LineTo(m_points[i].x, m_points[i].y);
    }
    // The rubber line to the pointer lives on the screen by inversion; a
    // repaint in the middle of collecting puts it back, so that the next
    // pointer move still finds it there to take it away.
    if (m_nPointCount > 0 && pView->HasCapture() && !pDC->IsPrinting()) {
        const POINT& a = m_points[m_nPointCount - 1];
        if (CPoint(a) != m_ptTrack) {
            const int oldRop = pDC->SetROP2(R2_NOT);
            pDC->MoveTo(a.x, a.y);
            pDC->LineTo(m_ptTrack.x, m_ptTrack.y);
            pDC->SetROP2(oldRop);
        }
    }
    pDC->SelectObject(oldPen);
}
