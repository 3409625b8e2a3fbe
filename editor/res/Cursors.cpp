#include "res/Cursors.h"

#include "res/CommandIds.h"

#include <QBitmap>
#include <QImage>

namespace {
// Builds a 32x32 monochrome cursor of black lines with a white outline from the
// set of black pixels: every pixel next to a black one that is not itself black
// becomes white, the rest stays transparent.
QCursor MonochromeCursor(const QImage& black, int hotX, int hotY) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (black.pixelIndex(x, y))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    near = nx >= 0 && ny >= 0 && nx < 32 && ny < 32 && black.pixelIndex(nx, ny);
                }
            if (near)
                img.setPixel(x, y, qRgb(255, 255, 255));
        }
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (black.pixelIndex(x, y))
                img.setPixel(x, y, qRgb(0, 0, 0));
    return QCursor(QPixmap::fromImage(img), hotX, hotY);
}

QImage EmptyMask() {
    QImage m(32, 32, QImage::Format_Indexed8);
    m.setColorCount(2);
    m.setColor(0, qRgb(0, 0, 0));
    m.setColor(1, qRgb(255, 255, 255));
    m.fill(0);
    return m;
}

QCursor DrawCross() {
    QImage m = EmptyMask();
    // Two 21-pixel lines through (16,16) that leave an open 3x3 centre framed in black.
    for (int i = 6; i <= 26; ++i) {
        if (i >= 15 && i <= 17)
            continue;
        m.setPixel(16, i, 1);
        m.setPixel(i, 16, 1);
    }
    for (int i = 14; i <= 18; ++i) {
        m.setPixel(i, 14, 1);
        m.setPixel(i, 18, 1);
        m.setPixel(14, i, 1);
        m.setPixel(18, i, 1);
    }
    return MonochromeCursor(m, 16, 16);
}

QCursor MassCenter() {
    QImage m = EmptyMask();
    // An X of 17 by 17 pixels crossing at the hot spot (14,15).
    for (int i = -8; i <= 8; ++i) {
        m.setPixel(14 + i, 15 + i, 1);
        m.setPixel(14 + i, 15 - i, 1);
    }
    return MonochromeCursor(m, 14, 15);
}
QCursor EditVertices() {
    QImage m = EmptyMask();
    // A handle's square round the hot spot (16,16), with short ticks out from
    // its sides, so the point being picked stays in sight.
    for (int i = 13; i <= 19; ++i) {
        m.setPixel(i, 13, 1);
        m.setPixel(i, 19, 1);
        m.setPixel(13, i, 1);
        m.setPixel(19, i, 1);
    }
    for (int i = 0; i < 5; ++i) {
        m.setPixel(16, 7 + i, 1);
        m.setPixel(16, 21 + i, 1);
        m.setPixel(7 + i, 16, 1);
        m.setPixel(21 + i, 16, 1);
    }
    return MonochromeCursor(m, 16, 16);
}
} // namespace

QCursor LoadToolCursor(int cursorId) {
    switch (cursorId) {
    case IDC_DRAWCROSS: {
        static const QCursor c = DrawCross();
        return c;
    }
    case IDC_MASSCENTER: {
        static const QCursor c = MassCenter();
        return c;
    }
    case IDC_EDITVERTICES: {
        static const QCursor c = EditVertices();
        return c;
    }
    default:
        return QCursor(Qt::ArrowCursor);
    }
}
