#include "view/Grid.h"

#include <QSettings>
#include <algorithm>
#include <limits>

namespace {
const char* const kShowKey = "Grid/Show";
const char* const kSnapKey = "Grid/Snap";
const char* const kSpacingKey = "Grid/Spacing";

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();

// The nearest multiple of spacing to d, halves away from zero.
int64_t NearestMultiple(int64_t d, int64_t spacing) {
    const int64_t half = spacing / 2;
    const int64_t n = d >= 0 ? (d + half) / spacing : -((-d + half) / spacing);
    // An even spacing's exact half rounds up above; an odd one has no half.
    return n * spacing;
}

// Brings a grid coordinate back inside the 32-bit range, a whole step at a time.
int32_t InsideRange(int64_t v, int64_t spacing) {
    while (v > kMax32)
        v -= spacing;
    while (v < kMin32)
        v += spacing;
    return int32_t(v);
}
} // namespace

void GridSettings::Load(const QSettings& settings) {
    showGrid = settings.value(kShowKey, false).toBool();
    snap = settings.value(kSnapKey, false).toBool();
    bool ok = false;
    const int s = settings.value(kSpacingKey, kDefaultSpacing).toInt(&ok);
    spacing = ok && s >= kMinSpacing && s <= kMaxSpacing ? s : kDefaultSpacing;
}

void GridSettings::Save(QSettings& settings) const {
    settings.setValue(kShowKey, showGrid);
    settings.setValue(kSnapKey, snap);
    settings.setValue(kSpacingKey, spacing);
}

GridSettings& ProgramGrid() {
    static GridSettings grid;
    return grid;
}

CPoint SnapToGrid(const POINT& p, const POINT& origin, int spacing) {
    const int64_t s = std::max(1, spacing);
    const int64_t x = origin.x + NearestMultiple(int64_t(p.x) - origin.x, s);
    const int64_t y = origin.y + NearestMultiple(int64_t(p.y) - origin.y, s);
    return CPoint(InsideRange(x, s), InsideRange(y, s));
}

CPoint SnapOffsetToGrid(int64_t dx, int64_t dy, int spacing) {
    const int64_t s = std::max(1, spacing);
    return CPoint(InsideRange(NearestMultiple(dx, s), s), InsideRange(NearestMultiple(dy, s), s));
}

int64_t GridLineStride(int spacing, int minPixels,
                       const std::function<double(int64_t steps)>& pixelsPer) {
    const int64_t s = std::max(1, spacing);
    bool timesFive = true;
    for (int64_t stride = 1; stride * s <= kMax32; timesFive = !timesFive) {
        if (pixelsPer(stride) >= minPixels)
            return stride;
        stride *= timesFive ? 5 : 2;
    }
    return 0;
}
