#include "tools/CMassCenterTool.h"

#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

void CMassCenterTool::MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) {
    pView->GetDocument()->ReleaseGrabbedVertex();
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
    {
        // Every coordinate the file will hold has changed: closing without a
        // save prompt would lose the placement. There is no step to undo.
        CDocEdit edit(*pDoc, pView, CDocEdit::Step::None);
        if (p == origin || pDoc->m_shape.GetSize() == 0)
            edit.Cancel();
        pDoc->m_shape.Move(WrapSub(origin.x, p.x), WrapSub(origin.y, p.y));
    }
    pView->Invalidate(true);
    CShapeTool::MouseUp(pView, nFlags, point);
}
