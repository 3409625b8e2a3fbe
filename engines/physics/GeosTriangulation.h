#pragma once
// GEOS's constrained Delaunay triangulation of a simple outline, with the
// triangles given back as indices into the outline.
#include "geometry/ExactGeometry.h"

#include <array>
#include <vector>

namespace physics {

using geometry::IPoint;

// ring must be simple, without repeated points, with positive signed area.
// Returns false when GEOS refuses or answers with a point not of the ring;
// the caller still checks that the triangles cover the ring.
bool TriangulateWithGeos(const std::vector<IPoint>& ring,
                         std::vector<std::array<int, 3>>& triangles);

} // namespace physics
