#pragma once
#include "tools/CShapeTool.h"

// Places the center of mass where the button is released.
class CMassCenterTool : public CShapeTool {
public:
    CMassCenterTool() : CShapeTool(TOOL_MASS_CENTER) {}

    void MouseDown(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseUp(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
    void MouseMove(CMorvetView* pView, UINT nFlags, const CPoint& point) override;
};
