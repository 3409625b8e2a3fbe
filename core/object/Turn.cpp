#include "object/Turn.h"

#include <cmath>
#include <limits>

namespace {
int32_t Saturate(int64_t v) {
    constexpr int64_t lo = std::numeric_limits<int32_t>::min();
    constexpr int64_t hi = std::numeric_limits<int32_t>::max();
    return int32_t(v < lo ? lo : v > hi ? hi : v);
}

int32_t RoundSaturate(double v) {
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    if (!(v > lo))
        return v != v ? 0 : std::numeric_limits<int32_t>::min();
    if (!(v < hi))
        return std::numeric_limits<int32_t>::max();
    return int32_t(std::lround(v));
}

// Half units back to whole ones, to the nearest; halves away from zero.
int32_t FromHalves(int64_t halves) {
    return Saturate(halves >= 0 ? (halves + 1) / 2 : -((-halves + 1) / 2));
}

// The points a turn or mirror moves: all of a path's, a circle's centre.
int32_t MovedPoints(const CPrimitive* prim) {
    if (prim->IsPath())
        return prim->m_nPoints;
    return prim->m_nPoints > 0 ? 1 : 0;
}
} // namespace

void FlipPrimitive(CPrimitive* prim, bool horizontal, int64_t twicePivot) {
    for (int32_t i = 0; i < MovedPoints(prim); ++i) {
        POINT& p = prim->m_pPoints[i];
        if (horizontal)
            p.x = Saturate(twicePivot - p.x);
        else
            p.y = Saturate(twicePivot - p.y);
    }
}

void RotatePrimitive(CPrimitive* prim, double degrees, int64_t twicePivotX, int64_t twicePivotY) {
    double turns = std::fmod(degrees, 360.0);
    if (turns < 0)
        turns += 360.0;
    const bool quarter = std::fmod(turns, 90.0) == 0.0;
    const int q = int(turns / 90.0) % 4;
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    for (int32_t i = 0; i < MovedPoints(prim); ++i) {
        POINT& p = prim->m_pPoints[i];
        // Offsets from the pivot in half units: exact in 64 bits.
        const int64_t dx = 2 * int64_t(p.x) - twicePivotX;
        const int64_t dy = 2 * int64_t(p.y) - twicePivotY;
        if (quarter) {
            int64_t rx = dx, ry = dy;
            for (int k = 0; k < q; ++k) {
                const int64_t t = rx;
                rx = -ry;
                ry = t;
            }
            p.x = FromHalves(twicePivotX + rx);
            p.y = FromHalves(twicePivotY + ry);
        } else {
            p.x = RoundSaturate((double(twicePivotX) + double(dx) * c - double(dy) * s) / 2.0);
            p.y = RoundSaturate((double(twicePivotY) + double(dx) * s + double(dy) * c) / 2.0);
        }
    }
}
