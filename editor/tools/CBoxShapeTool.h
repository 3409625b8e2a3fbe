#pragma once
#include "tools/CShapeTool.h"

// Rectangles, filled rectangles, circles and filled circles, drawn by dragging.
class CBoxShapeTool : public CShapeTool {
public:
    explicit CBoxShapeTool(int nToolType) : CShapeTool(nToolType) {}

    void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void DrawFeedback(CMorvetView* pView, CDC* pDC) override;

    bool m_bTracking = false;

private:
    // The device area the band from the press point to these points can cover.
    CRect BandArea(CMorvetView* pView, const POINT& a, const POINT& b);
};
