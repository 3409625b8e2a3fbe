#include "tools/CShapeTool.h"

#include "view/CMorvetView.h"

CShapeTool::CShapeTool(int nToolType) : m_nToolType(nToolType) {
    m_penFeedback.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
}

CShapeTool::~CShapeTool() {
    m_penFeedback.DeleteObject();
}

void CShapeTool::MouseDown(CMorvetView* pView, UINT, const CPoint& point) {
    if (!pView->HasCapture())
        pView->SetCapture();
    m_ptPress = point;
    m_ptTrack = point;
}

void CShapeTool::MouseDoubleClick(CMorvetView*, UINT, const CPoint&) {}

void CShapeTool::MouseUp(CMorvetView* pView, UINT, const CPoint&) {
    pView->ReleaseCapture();
}

void CShapeTool::MouseMove(CMorvetView* pView, UINT, const CPoint& point) {
    m_ptTrack = point;
    pView->SetToolCursor(0);
}

void CShapeTool::KeyDown(CMorvetView*, UINT, UINT, UINT) {}

void CShapeTool::DrawFeedback(CMorvetView*, CDC*) {}
