#include "tools/CMassCenterTool.h"

#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

void CMassCenterTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    s_pGrabbedVertex = nullptr;
    CShapeTool::MouseDown(pView, nFlags, point);
}

void CMassCenterTool::MouseMove(CMorvetView* pView, UINT, const CPoint&) {
    pView->SetToolCursor(IDC_MASSCENTER);
}

void CMassCenterTool::MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    if (!pView->HasCapture())
        return;
    CMorvetDoc* pDoc = pView->GetDocument();
    const CPoint origin = pView->Anchor();
    CPoint p = point;
    pView->DeviceToLogical(&p);
    pView->SnapPoint(&p, nFlags);
    // The clicked point becomes the center of mass: every element moves by
    // minus its object coordinates, wrapping as any move does.
    pDoc->m_shape.Move(WrapSub(origin.x, p.x), WrapSub(origin.y, p.y));
    // Every coordinate the file will hold has changed: closing without a save
    // prompt would lose the placement.
    if (p != origin && pDoc->m_shape.GetSize() > 0)
        pDoc->SetModifiedFlag(true);
    pView->Invalidate(true);
    CShapeTool::MouseUp(pView, nFlags, point);
}
