#include "cli/ShapeRender.h"

#include "object/CShape.h"
#include "platform/CDC.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace {
void Paint(CDC& dc, const CShape& shape, QSize size, bool cross) {
    const CPoint c(size.width() / 2, size.height() / 2);
    dc.FillSolidRect(CRect(0, 0, size.width(), size.height()), RGB(0, 0, 0));
    // Files hold coordinates relative to the center of mass; the view moves
    // the object so that its origin lies at the middle, as after opening.
    CShape placed(shape);
    placed.Move(c.x, c.y);
    placed.Draw(&dc);
    if (cross) {
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        CPen* old = dc.SelectObject(&red);
        DrawCenterOfMassCross(&dc, c);
        dc.SelectObject(old);
    }
}
} // namespace

QImage RenderShape(const CShape& shape, QSize size, bool cross) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        CDC dc(&image);
        Paint(dc, shape, size, cross);
    }
    return image;
}

QByteArray RenderShapeSvg(const CShape& shape, QSize size, bool cross) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Morvet object"));
    {
        QPainter painter(&svg);
        CDC dc(&painter);
        Paint(dc, shape, size, cross);
    }
    return buffer.data();
}
