#include "res/AppIcon.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace {

QPixmap canvasPixmap(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(0, 160, 160));
    p.drawPolygon(QPolygonF(
        {QPointF(4, 20), QPointF(12, 4), QPointF(28, 9), QPointF(25, 27), QPointF(9, 28)}));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QPointF(20, 19), 4, 4);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(QPointF(11, 11), QPointF(19, 19));
    p.drawLine(QPointF(19, 11), QPointF(11, 19));
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap pagePixmap(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const qreal s = size / 32.0;
    p.scale(s, s);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1, 24, 30));
    p.fillRect(QRectF(7, 5, 18, 18), Qt::black);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(QPointF(12, 10), QPointF(20, 18));
    p.drawLine(QPointF(20, 10), QPointF(12, 18));
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon AppIcon() {
    QIcon icon;
    icon.addPixmap(canvasPixmap(32));
    icon.addPixmap(canvasPixmap(16));
    return icon;
}

QIcon DocumentIcon() {
    QIcon icon;
    icon.addPixmap(pagePixmap(32));
    icon.addPixmap(pagePixmap(16));
    return icon;
}
