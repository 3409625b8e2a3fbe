#pragma once
#include <QString>
#include <cstdint>
#include <vector>

// A window's zoom: device pixels per object unit, held as a fraction so that
// the levels of the list (a third, two thirds) and 100 % are exact.
struct CZoom {
    int num = 1;
    int den = 1;

    double Value() const { return double(num) / den; }
    bool IsActual() const { return num == den; }
    bool operator==(const CZoom& o) const { return int64_t(num) * o.den == int64_t(o.num) * den; }
    bool operator!=(const CZoom& o) const { return !(*this == o); }

    // The levels Zoom In and Zoom Out step through, smallest first.
    static const std::vector<CZoom>& Levels();
    static CZoom Smallest() { return Levels().front(); }
    static CZoom Largest() { return Levels().back(); }
    // The first level above (below) this zoom; the end of the list stays.
    CZoom NextLevel() const;
    CZoom PreviousLevel() const;
    // Any value between the ends of the list; a value that is a level within
    // rounding becomes that level exactly.
    static CZoom FromValue(double value);
    // "100 %", "33.3 %", "3.125 %" in the user's locale.
    QString Percent() const;
};
