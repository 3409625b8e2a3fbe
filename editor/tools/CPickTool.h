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

    // The index of the vertex of a polyline or polygon within 2 pixels of p
    // on both axes, the first in the point array; -1 for circles or when none
    // is near. With a view, p is in its window's pixels; without, in units.
    static int HitVertex(const CPrimitive* prim, const POINT& p, CMorvetView* pView = nullptr);
    void MoveSelection(CMorvetView* pView, int32_t dx, int32_t dy);

    // PICK_NONE between drags, else what the drag at hand does.
    int PickMode() const { return m_nPickMode; }

private:
    static void RedrawNow(CMorvetView* pView);
    CRect BandRect() const;
    // A move of the vertex the document holds grabbed, as one edit.
    void MoveGrabbedVertex(CMorvetView* pView, int32_t dx, int32_t dy, bool ownStep);

    int m_nPickMode = PICK_NONE;
    // The latest pointer place in units: a drag moves by the difference.
    CPoint m_ptPickLogical;
    // Where the drag began, and the grabbed vertex then: snapping measures
    // whole grid steps from there, not from the last pointer move.
    CPoint m_ptDragStart;
    CPoint m_ptVertexStart;
};
