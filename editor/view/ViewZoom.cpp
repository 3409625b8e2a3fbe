#include "view/ViewZoom.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {
// Fine enough for any zoom a fit can ask for, coarse enough that the largest
// level times it stays far inside an int.
constexpr int kFreeDenominator = 1 << 16;
constexpr double kSameLevel = 1e-9;
} // namespace

const std::vector<CZoom>& CZoom::Levels() {
    static const std::vector<CZoom> levels = {{1, 32}, {1, 16}, {1, 8},  {1, 4},  {1, 3},  {1, 2},
                                              {2, 3},  {1, 1},  {3, 2},  {2, 1},  {3, 1},  {4, 1},
                                              {6, 1},  {8, 1},  {12, 1}, {16, 1}, {24, 1}, {32, 1}};
    return levels;
}

CZoom CZoom::NextLevel() const {
    for (const CZoom& level : Levels())
        if (level.Value() > Value() * (1 + kSameLevel))
            return level;
    return Largest();
}

CZoom CZoom::PreviousLevel() const {
    const std::vector<CZoom>& levels = Levels();
    for (auto it = levels.rbegin(); it != levels.rend(); ++it)
        if (it->Value() < Value() * (1 - kSameLevel))
            return *it;
    return Smallest();
}

CZoom CZoom::FromValue(double value) {
    if (!(value > Smallest().Value()))
        return Smallest();
    if (!(value < Largest().Value()))
        return Largest();
    for (const CZoom& level : Levels())
        if (std::abs(level.Value() - value) <= level.Value() * 1e-6)
            return level;
    CZoom z{int(std::lround(value * kFreeDenominator)), kFreeDenominator};
    z.num = std::max(z.num, 1);
    return z;
}

QString CZoom::Percent() const {
    const double percent = Value() * 100.0;
    // Whole percentages without decimals; below 10 % as many as the level
    // needs (3.125 %), otherwise one (33.3 %).
    int decimals = 0;
    if (std::abs(percent - std::round(percent)) > 1e-6) {
        decimals = 1;
        if (percent < 10)
            while (decimals < 3 && std::abs(percent * std::pow(10, decimals) -
                                            std::round(percent * std::pow(10, decimals))) > 1e-6)
                ++decimals;
    }
    return QLocale().toString(percent, 'f', decimals) + QStringLiteral(" %");
}
