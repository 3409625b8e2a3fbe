#pragma once
// The self-contact search for outlines with many edges: a sweep line over the
// edges with the shared exact predicates (geometry/EdgeContact.h).
#include "geometry/ExactGeometry.h"

#include <vector>

namespace geometry {

// The contract and the answer of FindSelfContact (geometry/PolygonRing.h),
// place included. A simple outline costs one sweep, O(n log n) however long or
// crowded its edges; an outline that meets itself costs a few sweeps more for
// each pair it has to rule out before the first one in edge order.
bool FindSelfContactBySweep(const std::vector<IPoint>& ring, double* x, double* y);

} // namespace geometry
