#pragma once
#include "object/CPrimitive.h"

#include <cstdint>

// Turns and mirrors of elements about a pivot given in half units (twice its
// coordinates), so that the middle of any rectangle is exact. Points that
// would leave the 32-bit range stop at its ends. A circle turns or mirrors
// its centre and keeps its radius.

// Mirrors x about the pivot (horizontal) or y (vertical): x' = 2c - x, exact
// (for a rectangle's middle, left + right - x).
void FlipPrimitive(CPrimitive* prim, bool horizontal, int64_t twicePivot);

// Turns by degrees, clockwise on screen (y down): a quarter turn takes
// (x, y) to (-y, x) about the pivot. Quarter turns are exact whenever the
// result lies on whole units; otherwise points round to the nearest unit.
void RotatePrimitive(CPrimitive* prim, double degrees, int64_t twicePivotX, int64_t twicePivotY);
