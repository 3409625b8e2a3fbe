#pragma once
#include "platform/CPoint.h"

#include <cstdint>
#include <vector>

// A closed outline in object units; the last point joins the first.
using Ring = std::vector<POINT>;

// Drops repeated points, zero-width spikes (a walk out and back along one
// line) and vertices that lie on the straight line through their neighbours.
// Leaves the ring empty when fewer than three corners remain.
void DropDegenerateVertices(Ring& ring);

// Repairs a traced outline: drops degenerate vertices, then splits the
// outline wherever it passes through one point twice. Of an outer outline,
// pieces that turn the other way than the outline as a whole enclose no
// shape (they are the inside of a touch) and are left out. Of a hole they
// are kept (keepReversed): there they go round shape that reaches into the
// hole through a corner, and are as much the hole's edge as the rest.
// Pieces may still be non-simple when edges cross; IsSimplePolygon says.
std::vector<Ring> RepairOutline(const Ring& ring, bool keepReversed = false);

// True when the ring has at least three vertices, none straight, a non-zero
// area, and no two edges meet other than neighbours at their shared vertex
// (geometry::IsStrictlySimple): the physics model's own edge search, so what
// tracing calls simple the physics check takes, and a touch is caught however
// close. Twice the signed area is geometry::TwiceSignedArea (positive when
// the points turn clockwise on screen, with y pointing down).
bool IsSimplePolygon(const Ring& ring);
