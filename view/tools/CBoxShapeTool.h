#pragma once
#include "view/tools/CShapeTool.h"

// Rectangles, filled rectangles, circles and filled circles, drawn by dragging.
class CBoxShapeTool : public CShapeTool {
public:
    explicit CBoxShapeTool(int nToolType) : CShapeTool(nToolType) {}

    bool m_bTracking = false;
};
