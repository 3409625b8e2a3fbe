#pragma once
#include "platform/CRect.h"

// The square the circle tools draw: one corner at the press point a, reaching
// toward the tracked point b, as large as the shorter side of the drag allows.
CRect SquareFromDrag(const POINT& a, const POINT& b);
