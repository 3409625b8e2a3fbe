#include "platform/CellHeightFont.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

QFont CellHeightFont(const QFont& face, int cellHeight, QPaintDevice* device) {
    QFont font(face);
    const auto cell = [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        return device ? QFontMetricsF(font, device).height() : QFontMetricsF(font).height();
    };
    // The largest size whose cell fits, or the next one up where its cell
    // comes nearer; the cell grows with the size, though not in exact
    // proportion once hinted.
    int low = 1, high = std::max(1, cellHeight);
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (cell(mid) <= cellHeight)
            low = mid;
        else
            high = mid - 1;
    }
    const double below = cellHeight - cell(low);
    const int size = cell(low + 1) - cellHeight < below ? low + 1 : low;
    font.setPixelSize(size);
    return font;
}
