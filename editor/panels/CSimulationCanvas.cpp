#include "panels/CSimulationCanvas.h"

#include "platform/CDC.h"
#include "simulation/SimulationRunner.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kMargin = 24;           // pixels kept free around the fitted scene
constexpr double kFollowInset = 0.15; // share of each side the body may enter before the view pans
constexpr double kGrabPixels = 4;     // how near the body a press still takes hold
constexpr double kMinZoom = 1e-4;
const QColor kFloorFill(72, 72, 72);
const QColor kFloorEdge(160, 160, 160);
} // namespace

CSimulationCanvas::CSimulationCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    setFocusPolicy(Qt::ClickFocus);
}

CSimulationCanvas::~CSimulationCanvas() = default;

void CSimulationCanvas::SetSimulation(SimulationRunner* simulation, const CShape& fileShape) {
    m_simulation = simulation;
    m_fileShape = fileShape;
    m_frameShape = fileShape;
    Fit();
    update();
}

void CSimulationCanvas::Fit() {
    if (!m_simulation || !m_simulation->IsRunning())
        return;
    double l = 0, t = 0, r = 0, b = 0; // the center of mass is always in view
    for (int i = 0; i < m_fileShape.GetSize(); ++i) {
        CRect e;
        m_fileShape.GetElementRect(i, &e);
        l = std::min(l, double(e.left));
        t = std::min(t, double(e.top));
        r = std::max(r, double(e.right));
        b = std::max(b, double(e.bottom));
    }
    // The floor's top below the center of mass, so that the landing shows.
    const QLineF top = m_simulation->FloorTop();
    if (top.dx() != 0)
        b = std::max(b, top.y1() + (0 - top.x1()) * top.dy() / top.dx() + 1);
    QRectF box(QPointF(l, t), QPointF(r, b));
    box.adjust(-1, -1, 1, 1);
    const double zx = (width() - 2 * kMargin) / std::max(1.0, box.width());
    const double zy = (height() - 2 * kMargin) / std::max(1.0, box.height());
    m_zoom = std::clamp(std::min(zx, zy), kMinZoom, 1.0);
    m_center = box.center();
}

QPointF CSimulationCanvas::SceneToPixel(QPointF scene) const {
    return (scene - m_center) * m_zoom + QPointF(width() / 2, height() / 2);
}

QPointF CSimulationCanvas::PixelToScene(QPointF pixel) const {
    return (pixel - QPointF(width() / 2, height() / 2)) / m_zoom + m_center;
}

void CSimulationCanvas::FollowBody() {
    if (!m_simulation || !m_simulation->IsRunning())
        return;
    const QPointF p = SceneToPixel(m_simulation->Position());
    const double ix = width() * kFollowInset, iy = height() * kFollowInset;
    double dx = 0, dy = 0;
    if (p.x() < ix)
        dx = p.x() - ix;
    else if (p.x() > width() - ix)
        dx = p.x() - (width() - ix);
    if (p.y() < iy)
        dy = p.y() - iy;
    else if (p.y() > height() - iy)
        dy = p.y() - (height() - iy);
    m_center += QPointF(dx, dy) / m_zoom;
}

void CSimulationCanvas::Render(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect(), Qt::black);
    if (!m_simulation)
        return;
    // One snapshot for the whole frame: the body steps on while we draw.
    const SimulationSnapshot snapshot = m_simulation->Snapshot();
    if (!snapshot.running)
        return;

    // The floor: its top edge across the view, filled down to the bottom.
    const QLineF top = m_simulation->FloorTop();
    const QPointF a = SceneToPixel(top.p1()), b = SceneToPixel(top.p2());
    const double left = std::max(std::min(a.x(), b.x()), -1.0);
    const double right = std::min(std::max(a.x(), b.x()), double(width()) + 1);
    if (left < right && a.x() != b.x()) {
        const auto yAt = [&](double x) {
            return a.y() + (x - a.x()) * (b.y() - a.y()) / (b.x() - a.x());
        };
        const double bottom = std::max({yAt(left), yAt(right), double(height())}) + 1;
        const QPointF band[4] = {
            {left, yAt(left)}, {right, yAt(right)}, {right, bottom}, {left, bottom}};
        painter.setPen(kFloorEdge);
        painter.setBrush(kFloorFill);
        painter.drawPolygon(band, 4);
    }

    // The object as the editor draws it, turned about its center of mass and
    // placed where the body is (coordinates truncate, as every drawn copy does).
    CDC dc(&painter);
    const QPointF c = SceneToPixel(snapshot.position);
    const double angle = snapshot.angle;
    const CPoint at(int32_t(std::clamp(c.x(), -1e9, 1e9)), int32_t(std::clamp(c.y(), -1e9, 1e9)));
    m_fileShape.TransformInto(m_frameShape, 0, 0, at.x, at.y, angle, m_zoom, m_zoom);
    m_frameShape.Draw(&dc);

    // The centroid turns with the body; the cross stays upright, as in the editor.
    const QPointF g = m_simulation->Model().mass.centroid;
    const double ca = std::cos(angle), sa = std::sin(angle);
    const QPointF turned(g.x() * ca - g.y() * sa, g.x() * sa + g.y() * ca);
    const QPointF gp = c + turned * m_zoom;
    if (std::abs(gp.x()) < 1e6 && std::abs(gp.y()) < 1e6) {
        const CPoint m(int32_t(gp.x()), int32_t(gp.y()));
        CBrush hollow;
        const LOGBRUSH lb{BS_NULL, 0, 0};
        hollow.CreateBrushIndirect(&lb);
        CPen* oldPen = dc.SelectObject(&m_centroidPen);
        CBrush* oldBrush = dc.SelectObject(&hollow);
        dc.Ellipse(m.x - 4, m.y - 4, m.x + 5, m.y + 5);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
    CPen* old = dc.SelectObject(&m_crossPen);
    DrawCenterOfMassCross(&dc, at);
    dc.SelectObject(old);
}

void CSimulationCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        Render(painter);
        return;
    }
    // The object's lines are drawn pixel by pixel, one pixel wide: straight
    // onto a scaled screen they would cover one device pixel of every few,
    // dotted and thinner than the floor. Drawn at one pixel per unit and then
    // enlarged, as the editor's window is, every line keeps the same width.
    QImage frame(size(), QImage::Format_RGB32);
    if (frame.isNull())
        return;
    {
        QPainter framePainter(&frame);
        Render(framePainter);
    }
    painter.drawImage(rect(), frame);
}

void CSimulationCanvas::resizeEvent(QResizeEvent*) {
    Fit();
    FollowBody();
}

void CSimulationCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_simulation || !m_simulation->IsRunning())
        return;
    if (m_simulation->Grab(PixelToScene(event->position()), kGrabPixels / m_zoom) && onGrab)
        onGrab();
}

void CSimulationCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (m_simulation && m_simulation->IsGrabbing())
        m_simulation->DragTo(PixelToScene(event->position()));
}

void CSimulationCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_simulation)
        m_simulation->Release();
}
