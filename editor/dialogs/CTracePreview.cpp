#include "dialogs/CTracePreview.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kOutline(0, 230, 0);
const QColor kHole(255, 150, 0);
} // namespace

CTracePreview::CTracePreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CTracePreview::SetPicture(const QImage& image, double scale, double centerX, double centerY) {
    m_image = image;
    m_scale = scale;
    m_centerX = centerX;
    m_centerY = centerY;
    update();
}

void CTracePreview::SetTrace(const TraceResult& trace) {
    m_trace = trace;
    update();
}

void CTracePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(40, 40, 40));
    if (m_image.isNull())
        return;
    // The whole picture, as large as fits, with its pixels square.
    const double fit =
        std::min(double(width()) / m_image.width(), double(height()) / m_image.height());
    const QSizeF size(m_image.width() * fit, m_image.height() * fit);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                        size);
    p.fillRect(target, Qt::white);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(target, m_image);

    // Units back to the picture's pixels, then to the preview.
    const auto toPreview = [&](const POINT& u) {
        const double px = (u.x - m_centerX) / m_scale + m_image.width() / 2.0;
        const double py = (u.y - m_centerY) / m_scale + m_image.height() / 2.0;
        return QPointF(target.left() + px * fit, target.top() + py * fit);
    };
    p.setRenderHint(QPainter::Antialiasing, true);
    const auto drawRings = [&](const std::vector<Ring>& rings, const QColor& color, bool closed) {
        p.setPen(QPen(color, 1.5));
        p.setBrush(Qt::NoBrush);
        for (const Ring& ring : rings) {
            QPolygonF poly;
            for (const POINT& pt : ring)
                poly << toPreview(pt);
            if (closed)
                p.drawPolygon(poly);
            else
                p.drawPolyline(poly);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        for (const Ring& ring : rings)
            for (const POINT& pt : ring)
                p.drawEllipse(toPreview(pt), 2.0, 2.0);
    };
    drawRings(m_trace.holes, kHole, false);
    drawRings(m_trace.outlines, kOutline, true);
}
