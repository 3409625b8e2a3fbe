#pragma once
// Splits a simple polygon into few convex pieces that a physics engine takes:
// a triangulation whose triangles are merged across diagonals while the
// result stays convex (Hertel-Mehlhorn), never beyond a corner limit.
#include "geometry/ExactGeometry.h"

#include <array>
#include <vector>

namespace physics {

using geometry::IPoint;

// ring: simple, no repeated points, no straight corners, positive signed area
// (NormalizeSimpleRing's output). On success fills pieces with index lists
// into ring: each convex with 3 to maxCorners corners and no straight corner,
// positive signed area; together they cover the ring exactly once. Returns
// false (pieces empty) only if the input broke those conditions.
bool PartitionConvex(const std::vector<IPoint>& ring, int maxCorners,
                     std::vector<std::vector<int>>& pieces);

// The triangulation PartitionConvex starts from (exposed for tests).
bool Triangulate(const std::vector<IPoint>& ring, std::vector<std::array<int, 3>>& triangles);

} // namespace physics
