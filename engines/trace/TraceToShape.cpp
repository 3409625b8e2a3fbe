#include "trace/TraceToShape.h"

namespace {
void Append(CShape& shape, int32_t type, COLORREF color, const Ring& ring) {
    POINT* points = new POINT[ring.size()];
    for (size_t i = 0; i < ring.size(); ++i)
        points[i] = POINT{ring[i].x, ring[i].y};
    shape.AppendElement(type, color, int32_t(ring.size()), points);
}
} // namespace

void AppendTraceToShape(const TraceResult& trace, COLORREF color, bool holesAsPolylines,
                        CShape& shape) {
    for (const Ring& outline : trace.outlines)
        Append(shape, PRIM_POLYGON, color, outline);
    if (holesAsPolylines)
        for (const Ring& hole : trace.holes)
            Append(shape, PRIM_POLYLINE, color, hole);
}
