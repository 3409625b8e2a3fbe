#pragma once
#include "view/tools/CShapeTool.h"

// The select tool: click, Shift-click, rubber band, dragging the selection or
// one vertex, arrow keys and Tab.
class CPickTool : public CShapeTool {
public:
    CPickTool() : CShapeTool(TOOL_SELECT) {}

    bool m_bSnapshotDue = true;
};
