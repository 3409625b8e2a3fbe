#pragma once
#include "tools/CShapeTool.h"

// Collects the vertices of a polyline (code 2) or polygon (code 3) click by click.
class CPathTool : public CShapeTool {
public:
    static constexpr int kMaxPoints = 100;

    explicit CPathTool(int nToolType) : CShapeTool(nToolType) {}

    void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void KeyDown(CMorvetView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void DrawFeedback(CMorvetView* pView, CDC* pDC) override;

    int ElementType() const;

    POINT m_points[kMaxPoints] = {};
    int m_nPointCount = 0;

private:
    // One step; wholeWindows redraws the other windows whole rather than
    // the new element's area.
    void AddCollected(CMorvetView* pView, bool wholeWindows);
    // Inverts the line from a to b on the view's surface: drawn once it shows,
    // drawn again it is gone.
    void InvertLine(CMorvetView* pView, const POINT& a, const POINT& b);
};
