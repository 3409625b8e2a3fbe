#pragma once
#include "trace/ImageTracer.h"

#include <QWidget>

// The picture, scaled to fit, with the traced outlines over it: the filled
// polygons' outlines in green, holes in orange, vertices as dots.
class CTracePreview : public QWidget {
    Q_OBJECT
public:
    explicit CTracePreview(QWidget* parent = nullptr);

    // The picture and how its pixels map to object units (as TraceOptions).
    void SetPicture(const QImage& image, double scale, double centerX, double centerY);
    void SetTrace(const TraceResult& trace);

    QSize sizeHint() const override { return QSize(360, 360); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    double m_scale = 1.0, m_centerX = 0.0, m_centerY = 0.0;
    TraceResult m_trace;
};
