#pragma once
#include "platform/CPoint.h"

#include <cstdint>
#include <functional>

class QSettings;

// The grid's program-wide choices. Whether a window shows the grid is its own
// affair; showGrid is what the next window starts with.
struct GridSettings {
    static constexpr int kMinSpacing = 1;
    static constexpr int kMaxSpacing = 1000;
    static constexpr int kDefaultSpacing = 10;

    bool showGrid = false;
    bool snap = false;
    int spacing = kDefaultSpacing;

    // Values out of range in the settings file fall back to the defaults.
    void Load(const QSettings& settings);
    void Save(QSettings& settings) const;
};

// The one set of grid choices the whole program shares.
GridSettings& ProgramGrid();

// The grid point nearest to p on a grid of the given spacing through origin;
// halfway between two lines goes away from the origin. Stays inside the 32-bit
// range: near its ends, the nearest grid line on the inside.
CPoint SnapToGrid(const POINT& p, const POINT& origin, int spacing);

// The whole number of grid steps nearest to an offset, as an offset.
CPoint SnapOffsetToGrid(int64_t dx, int64_t dy, int spacing);

// Every how many grid lines one is drawn, so that drawn lines lie at least
// minPixels apart: 1, 5, 10, then 50, 100, 500 and so on. pixelsPer(n) gives
// the on-screen distance of n grid steps. 0 when even the sparsest grid the
// 32-bit range allows would be too dense.
int64_t GridLineStride(int spacing, int minPixels,
                       const std::function<double(int64_t steps)>& pixelsPer);
