#include "tools/CBoxShapeTool.h"
#include "tools/CMassCenterTool.h"
#include "tools/CPathTool.h"
#include "tools/CPickTool.h"

namespace {
// The eight shared tools, in code order, alive until the program ends.
struct Tools {
    CPickTool select;
    CMassCenterTool massCenter;
    CPathTool polyline{TOOL_POLYLINE};
    CPathTool polygon{TOOL_POLYGON};
    CBoxShapeTool rectangle{TOOL_RECTANGLE};
    CBoxShapeTool filledRectangle{TOOL_FILLED_RECTANGLE};
    CBoxShapeTool circle{TOOL_CIRCLE};
    CBoxShapeTool filledCircle{TOOL_FILLED_CIRCLE};
};
Tools& AllTools() {
    static Tools tools;
    return tools;
}
// Constructed during static initialisation, as the rest of the program expects.
[[maybe_unused]] Tools& g_toolsAtStartup = AllTools();
} // namespace

CShapeTool* CShapeTool::ToolForType(int nToolType) {
    Tools& t = AllTools();
    switch (nToolType) {
    case TOOL_MASS_CENTER:
        return &t.massCenter;
    case TOOL_POLYLINE:
        return &t.polyline;
    case TOOL_POLYGON:
        return &t.polygon;
    case TOOL_RECTANGLE:
        return &t.rectangle;
    case TOOL_FILLED_RECTANGLE:
        return &t.filledRectangle;
    case TOOL_CIRCLE:
        return &t.circle;
    case TOOL_FILLED_CIRCLE:
        return &t.filledCircle;
    default:
        return &t.select;
    }
}
