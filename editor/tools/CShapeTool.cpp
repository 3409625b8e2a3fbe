#include "tools/CShapeTool.h"

#include "view/CMorvetView.h"

CPoint CShapeTool::s_ptPress;
CPoint CShapeTool::s_ptTrack;
int CShapeTool::s_nPickMode = PICK_NONE;
CPoint CShapeTool::s_ptPickLogical;
POINT* CShapeTool::s_pGrabbedVertex = nullptr;

CShapeTool::CShapeTool(int nToolType) : m_nToolType(nToolType) {
    m_penFeedback.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
}

CShapeTool::~CShapeTool() {
    m_penFeedback.DeleteObject();
}

void CShapeTool::MouseDown(CMorvetView* pView, UINT, const CPoint& point) {
    if (!pView->HasCapture())
        pView->SetCapture();
    s_ptPress = point;
    s_ptTrack = point;
}

void CShapeTool::MouseDoubleClick(CMorvetView*, UINT, const CPoint&) {}

void CShapeTool::MouseUp(CMorvetView* pView, UINT, const CPoint&) {
    pView->ReleaseCapture();
}

void CShapeTool::MouseMove(CMorvetView* pView, UINT, const CPoint& point) {
    s_ptTrack = point;
    pView->SetToolCursor(0);
}

void CShapeTool::KeyDown(CMorvetView*, UINT, UINT, UINT) {}

void CShapeTool::DrawFeedback(CMorvetView*, CDC*) {}

void CShapeTool::ForgetPointsOf(const CPrimitive* prim) {
    const POINT* v = s_pGrabbedVertex;
    if (v && prim->m_nPoints > 0 && v >= prim->m_pPoints && v < prim->m_pPoints + prim->m_nPoints)
        s_pGrabbedVertex = nullptr;
}

void CShapeTool::ForgetPointsOf(const CShape& shape) {
    for (const CPrimitive* p : shape.m_elements)
        ForgetPointsOf(p);
}
