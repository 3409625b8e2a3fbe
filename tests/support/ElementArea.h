#pragma once
// The area an outline element encloses, by the shoelace formula: what the
// tracing tests compare with the area of the shape they drew.
#include "object/CPrimitive.h"

#include <cmath>

namespace morvet_test {

inline double ElementArea(const CPrimitive* e) {
    double twice = 0;
    for (int i = 0; i < e->m_nPoints; ++i) {
        const POINT& a = e->m_pPoints[i];
        const POINT& b = e->m_pPoints[(i + 1) % e->m_nPoints];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return std::fabs(twice) / 2;
}

} // namespace morvet_test
