#pragma once
#include "view/tools/CShapeTool.h"

// Collects the vertices of a polyline (code 2) or polygon (code 3) click by click.
class CPathTool : public CShapeTool {
public:
    static constexpr int kMaxPoints = 100;

    explicit CPathTool(int nToolType) : CShapeTool(nToolType) {}

    POINT m_points[kMaxPoints] = {};
    int m_nPointCount = 0;
};
