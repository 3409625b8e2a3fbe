#pragma once
#include "object/CShape.h"
#include "platform/CDC.h"
#include "platform/CPoint.h"
#include "platform/VirtualKeys.h"

class CMorvetView;

enum {
    TOOL_SELECT = 0,
    TOOL_MASS_CENTER = 1,
    TOOL_POLYLINE = 2,
    TOOL_POLYGON = 3,
    TOOL_RECTANGLE = 4,
    TOOL_FILLED_RECTANGLE = 5,
    TOOL_CIRCLE = 6,
    TOOL_FILLED_CIRCLE = 7,
    // Well apart from the drawing tools: any other code still means Select.
    TOOL_EDIT_VERTICES = 16,
};

enum { PICK_NONE = 0, PICK_RUBBER_BAND = 1, PICK_MOVE = 2, PICK_VERTEX = 3 };

// A mouse tool. Each view owns one of each kind (CToolSet), so a drag's state
// is the tool's own; what the windows of a document share lives with the
// document.
class CShapeTool {
public:
    explicit CShapeTool(int nToolType);
    virtual ~CShapeTool();
    CShapeTool(const CShapeTool&) = delete;
    CShapeTool& operator=(const CShapeTool&) = delete;

    virtual void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point);
    virtual void MouseDoubleClick(CMorvetView* pView, UINT nFlags, const CPoint& point);
    virtual void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point);
    virtual void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point);
    virtual void KeyDown(CMorvetView* pView, UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void DrawFeedback(CMorvetView* pView, CDC* pDC);
    // Edit > Clear on parts of elements the tool has selected; false when
    // it has none and the selected elements go as a whole.
    virtual bool ClearSelectedParts(CMorvetView*) { return false; }
    // The point a drag carries, in file units, for the status bar.
    virtual bool DraggedPointUnits(CMorvetView*, CPoint*) { return false; }

    // Where the latest press and pointer move were, as the tool took them.
    CPoint PressPoint() const { return m_ptPress; }
    CPoint TrackPoint() const { return m_ptTrack; }

    const int m_nToolType;
    CPen m_penFeedback;

protected:
    CPoint m_ptPress;
    CPoint m_ptTrack;
};
