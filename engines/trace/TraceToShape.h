#pragma once
#include "object/CShape.h"
#include "trace/ImageTracer.h"

// Appends one filled polygon per traced outline, in the given colour, and,
// when asked, each hole as a closed polyline (a wall) after them. origin is
// where the shape's center of mass lies in its own coordinates (the editor
// keeps the object about its window's middle).
void AppendTraceToShape(const TraceResult& trace, COLORREF color, bool holesAsPolylines,
                        CShape& shape, const POINT& origin = POINT{0, 0});
