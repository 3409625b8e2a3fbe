#include "tools/CToolSet.h"

CShapeTool* CToolSet::ForType(int nToolType) {
    switch (nToolType) {
    case TOOL_MASS_CENTER:
        return &m_massCenter;
    case TOOL_POLYLINE:
        return &m_polyline;
    case TOOL_POLYGON:
        return &m_polygon;
    case TOOL_RECTANGLE:
        return &m_rectangle;
    case TOOL_FILLED_RECTANGLE:
        return &m_filledRectangle;
    case TOOL_CIRCLE:
        return &m_circle;
    case TOOL_FILLED_CIRCLE:
        return &m_filledCircle;
    case TOOL_EDIT_VERTICES:
        return &m_vertices;
    default:
        return &m_select;
    }
}
