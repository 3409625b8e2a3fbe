#pragma once
#include "tools/CShapeTool.h"

class CMorvetDoc;

// The select tool: click, Shift-click, rubber band, dragging the selection or
// one vertex, arrow keys and Tab.
class CPickTool : public CShapeTool {
public:
    CPickTool() : CShapeTool(TOOL_SELECT) {}

    void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void KeyDown(CMorvetView* pView, UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void DrawFeedback(CMorvetView* pView, CDC* pDC) override;

    // The vertex of a polyline or polygon within 2 pixels of p on both axes,
    // the first in the point array; NULL for circles or when none is near.
    // With a view, p is in its window's pixels; without, in units.
    static POINT* HitVertex(CPrimitive* prim, const POINT& p, CMorvetView* pView = nullptr);
    void MoveSelection(CMorvetView* pView, int32_t dx, int32_t dy);
    // Whether the grabbed vertex lies in this document's object; a vertex
    // grabbed in another document is not this view's to move or to show.
    static bool GrabbedVertexIn(const CMorvetDoc* pDoc);

    bool m_bSnapshotDue = true;

private:
    void SnapshotIfDue(CMorvetDoc* pDoc);
    static void RedrawNow(CMorvetView* pView);
    static CRect BandRect();
    void MoveGrabbedVertex(CMorvetView* pView, int32_t dx, int32_t dy);

    // The document's history stamp right after this tool's latest step.
    uint64_t m_nJoinStamp = 0;
    // Where the drag began, and the grabbed vertex then: snapping measures
    // whole grid steps from there, not from the last pointer move.
    CPoint m_ptDragStart;
    CPoint m_ptVertexStart;
};
