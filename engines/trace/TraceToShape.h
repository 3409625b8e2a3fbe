#pragma once
#include "object/CShape.h"
#include "trace/ImageTracer.h"

// Appends one filled polygon per traced outline, in the given colour, and,
// when asked, each hole as a closed polyline (a wall) after them. The traced
// coordinates are already relative to the center of mass, as the file's are.
void AppendTraceToShape(const TraceResult& trace, COLORREF color, bool holesAsPolylines,
                        CShape& shape);
