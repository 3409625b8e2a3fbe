#include "tools/SquareFromDrag.h"

#include <algorithm>
#include <cstdlib>

CRect SquareFromDrag(const POINT& a, const POINT& b) {
    const int32_t side = std::min(std::abs(a.x - b.x), std::abs(a.y - b.y));
    CRect r(a.x, a.y, a.x < b.x ? a.x + side : a.x - side, a.y < b.y ? a.y + side : a.y - side);
    r.NormalizeRect();
    return r;
}
