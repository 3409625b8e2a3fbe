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
};

enum { PICK_NONE = 0, PICK_RUBBER_BAND = 1, PICK_MOVE = 2, PICK_VERTEX = 3 };

// A mouse tool. The eight tools are single objects shared by every view; the
// drag state lives in statics, as only one window can hold the mouse at a time.
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

    // The shared tool for a code; the select tool for any unknown code.
    static CShapeTool* ToolForType(int nToolType);

    // Call before an element or a whole object is destroyed: the grabbed
    // vertex must never point into freed memory.
    static void ForgetPointsOf(const CPrimitive* prim);
    static void ForgetPointsOf(const CShape& shape);

    const int m_nToolType;
    CPen m_penFeedback;

    static CPoint s_ptPress;
    static CPoint s_ptTrack;
    static int s_nPickMode;
    static CPoint s_ptPickLogical;
    static POINT* s_pGrabbedVertex;
};
