#pragma once
#include "tools/CBoxShapeTool.h"
#include "tools/CMassCenterTool.h"
#include "tools/CPathTool.h"
#include "tools/CPickTool.h"
#include "tools/CVertexTool.h"

// The tools of one view, one of each kind. A tool keeps its state when
// another is chosen, so a path being collected goes on when its tool is
// chosen again.
class CToolSet {
public:
    // The tool for a code; the select tool for any unknown code.
    CShapeTool* ForType(int nToolType);

private:
    CPickTool m_select;
    CMassCenterTool m_massCenter;
    CPathTool m_polyline{TOOL_POLYLINE};
    CPathTool m_polygon{TOOL_POLYGON};
    CBoxShapeTool m_rectangle{TOOL_RECTANGLE};
    CBoxShapeTool m_filledRectangle{TOOL_FILLED_RECTANGLE};
    CBoxShapeTool m_circle{TOOL_CIRCLE};
    CBoxShapeTool m_filledCircle{TOOL_FILLED_CIRCLE};
    CVertexTool m_vertices;
};
