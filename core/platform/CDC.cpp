#include "platform/CDC.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPolygon>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
// Coordinates of a file may lie anywhere in the 32-bit range; QRect's own
// arithmetic (right = left + width - 1) must never see values it overflows on.
// Nothing beyond this bound can reach any device, so clamping changes no pixel.
constexpr int64_t kQtCoordLimit = int64_t(1) << 29;
int ClampCoord(int64_t v) {
    return int(std::clamp(v, -kQtCoordLimit, kQtCoordLimit));
}

// A box given by its edges, right and bottom exclusive, in either order.
QRect BoxFromEdges(int64_t l, int64_t t, int64_t r, int64_t b) {
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (l == r || t == b)
        return QRect();
    return QRect(QPoint(ClampCoord(l), ClampCoord(t)),
                 QPoint(ClampCoord(r - 1), ClampCoord(b - 1)));
}
// The pixels of a polyline as the windowing system draws it with a one-pixel
// pen: each segment from its start up to, not including, its end point. Pixel
// i of a segment is found from i alone (midpoint rounding along the minor
// axis), so only the part of a segment inside `clip` is walked, however long
// the segment is, and drawing it again touches exactly the same pixels.
QPolygon PolylinePixels(const POINT* pts, int n, const QRect& clip) {
    using Wide = __int128;
    QPolygon out;
    for (int k = 0; k + 1 < n; ++k) {
        const int64_t x0 = pts[k].x, y0 = pts[k].y;
        const int64_t dx = int64_t(pts[k + 1].x) - x0, dy = int64_t(pts[k + 1].y) - y0;
        const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
        const bool xMajor = adx >= ady;
        const int64_t steps = xMajor ? adx : ady;
        if (steps == 0)
            continue;
        // Steps whose major coordinate lies inside the clip.
        const int64_t m0 = xMajor ? x0 : y0, ms = xMajor ? sx : sy;
        const int64_t lo = xMajor ? clip.left() : clip.top();
        const int64_t hi = xMajor ? clip.right() : clip.bottom();
        int64_t first = ms > 0 ? lo - m0 : m0 - hi;
        int64_t last = ms > 0 ? hi - m0 : m0 - lo;
        first = std::max<int64_t>(first, 0);
        last = std::min<int64_t>(last, steps - 1);
        const int64_t minor0 = xMajor ? y0 : x0, minorS = xMajor ? sy : sx;
        const int64_t aminor = xMajor ? ady : adx;
        for (int64_t i = first; i <= last; ++i) {
            const int64_t off = int64_t((Wide(2) * i * aminor + steps) / (Wide(2) * steps));
            const int64_t major = m0 + i * ms, minor = minor0 + off * minorS;
            const int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
            if (y < clip.top() || y > clip.bottom() || x < clip.left() || x > clip.right())
                continue;
            out << QPoint(int(x), int(y));
        }
    }
    return out;
}

// Bounding box of points in coordinates QRect can hold without overflowing.
QRect SafeBounds(const POINT* pts, int n) {
    int64_t l = pts[0].x, r = pts[0].x, t = pts[0].y, b = pts[0].y;
    for (int i = 1; i < n; ++i) {
        l = std::min<int64_t>(l, pts[i].x);
        r = std::max<int64_t>(r, pts[i].x);
        t = std::min<int64_t>(t, pts[i].y);
        b = std::max<int64_t>(b, pts[i].y);
    }
    return QRect(QPoint(ClampCoord(l), ClampCoord(t)), QPoint(ClampCoord(r), ClampCoord(b)));
}

// A scaled coordinate past the 32-bit range stays at its end rather than
// wrapping around to the other side of the window.
int32_t Saturate(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

QPolygon ToPolygon(const POINT* pts, int n) {
    QPolygon poly(n);
    for (int i = 0; i < n; ++i)
        poly.setPoint(i, pts[i].x, pts[i].y);
    return poly;
}
} // namespace

CDC::CDC(QImage* target)
    : m_ownPainter(std::make_unique<QPainter>(target)), m_painter(m_ownPainter.get()),
      m_pPen(&m_stockPen), m_pBrush(&m_stockBrush) {
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_font = m_painter->font();
    ApplyTransform();
}

CDC::CDC(QPainter* painter, bool printing)
    : m_painter(painter), m_printing(printing), m_pPen(&m_stockPen), m_pBrush(&m_stockBrush) {
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_font = m_painter->font();
    ApplyTransform();
}

CDC::~CDC() = default;

bool CDC::CanInvert() const {
    return m_painter->paintEngine() && m_painter->paintEngine()->type() == QPaintEngine::Raster;
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* old = m_pPen;
    m_pPen = pen ? pen : &m_stockPen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* old = m_pBrush;
    m_pBrush = brush ? brush : &m_stockBrush;
    return old;
}

QFont CDC::SelectFont(const QFont& font) {
    QFont old = m_font;
    m_font = font;
    return old;
}

int CDC::SetROP2(int rop) {
    const int old = m_rop2;
    m_rop2 = rop;
    return old;
}

int CDC::SetPolyFillMode(int mode) {
    const int old = m_fillMode;
    m_fillMode = mode;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF c) {
    const COLORREF old = m_bkColor;
    m_bkColor = c;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF c) {
    const COLORREF old = m_textColor;
    m_textColor = c;
    return old;
}

int CDC::SetMapMode(int mode) {
    const int old = m_mapMode;
    m_mapMode = mode;
    if (mode == MM_TEXT) {
        m_windowExt = CSize(1, 1);
        m_viewportExt = CSize(1, 1);
    } else if (mode == MM_LOENGLISH) {
        // Hundredths of an inch, y growing upwards.
        const QPaintDevice* dev = m_painter->device();
        m_windowExt = CSize(100, 100);
        m_viewportExt = CSize(dev->logicalDpiX(), -dev->logicalDpiY());
    }
    ApplyTransform();
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    const CPoint old = m_viewportOrg;
    m_viewportOrg = CPoint(x, y);
    ApplyTransform();
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    return SetViewportOrg(WrapAdd(m_viewportOrg.x, dx), WrapAdd(m_viewportOrg.y, dy));
}

CPoint CDC::SetWindowOrg(int x, int y) {
    const CPoint old = m_windowOrg;
    m_windowOrg = CPoint(x, y);
    ApplyTransform();
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    const CSize old = m_windowExt;
    if (m_mapMode == MM_ANISOTROPIC && cx != 0 && cy != 0)
        m_windowExt = CSize(cx, cy);
    ApplyTransform();
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    const CSize old = m_viewportExt;
    if (m_mapMode == MM_ANISOTROPIC && cx != 0 && cy != 0)
        m_viewportExt = CSize(cx, cy);
    ApplyTransform();
    return old;
}

CDC::Mapping CDC::GetMapping() const {
    return Mapping{m_mapMode, m_viewportOrg, m_windowOrg, m_windowExt, m_viewportExt};
}

void CDC::SetMapping(const Mapping& mapping) {
    m_mapMode = mapping.mode;
    m_viewportOrg = mapping.viewportOrg;
    m_windowOrg = mapping.windowOrg;
    m_windowExt = mapping.windowExt;
    m_viewportExt = mapping.viewportExt;
    ApplyTransform();
}

QPointF CDC::DeviceScale() const {
    return QPointF(double(m_viewportExt.cx) / m_windowExt.cx,
                   double(m_viewportExt.cy) / m_windowExt.cy);
}

void CDC::ApplyTransform() {
    const QPointF s = DeviceScale();
    m_deviceMapped = (s.x() != 1.0 || s.y() != 1.0) && CanInvert();
    if (m_deviceMapped) {
        m_painter->resetTransform();
        return;
    }
    QTransform t;
    t.translate(m_viewportOrg.x, m_viewportOrg.y);
    t.scale(s.x(), s.y());
    t.translate(-m_windowOrg.x, -m_windowOrg.y);
    m_painter->setTransform(t);
}

namespace {
// A scaled mapping rounds half away from zero; results beyond the 32-bit
// range stop at its ends.
int32_t ScaleCoord(int32_t v, int32_t from, double scale, bool divide, int32_t to) {
    const double d = double(int64_t(v) - from);
    const double mapped = std::round(divide ? d / scale : d * scale) + double(to);
    return int32_t(std::clamp(mapped, double(INT32_MIN), double(INT32_MAX)));
}
} // namespace

// An unscaled mapping is a pure move: it wraps around as the coordinates do,
// so mapping there and back gives every point back.
void CDC::DPtoLP(POINT* pts, int n) const {
    const QPointF s = DeviceScale();
    for (int i = 0; i < n; ++i) {
        if (s.x() == 1.0 && s.y() == 1.0) {
            pts[i].x = WrapAdd(WrapSub(pts[i].x, m_viewportOrg.x), m_windowOrg.x);
            pts[i].y = WrapAdd(WrapSub(pts[i].y, m_viewportOrg.y), m_windowOrg.y);
        } else {
            pts[i].x = ScaleCoord(pts[i].x, m_viewportOrg.x, s.x(), true, m_windowOrg.x);
            pts[i].y = ScaleCoord(pts[i].y, m_viewportOrg.y, s.y(), true, m_windowOrg.y);
        }
    }
}

void CDC::LPtoDP(POINT* pts, int n) const {
    const QPointF s = DeviceScale();
    for (int i = 0; i < n; ++i) {
        if (s.x() == 1.0 && s.y() == 1.0) {
            pts[i].x = WrapAdd(WrapSub(pts[i].x, m_windowOrg.x), m_viewportOrg.x);
            pts[i].y = WrapAdd(WrapSub(pts[i].y, m_windowOrg.y), m_viewportOrg.y);
        } else {
            pts[i].x = ScaleCoord(pts[i].x, m_windowOrg.x, s.x(), false, m_viewportOrg.x);
            pts[i].y = ScaleCoord(pts[i].y, m_windowOrg.y, s.y(), false, m_viewportOrg.y);
        }
    }
}

void CDC::DPtoLP(RECT* r) const {
    POINT corners[2] = {{r->left, r->top}, {r->right, r->bottom}};
    DPtoLP(corners, 2);
    *r = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CDC::LPtoDP(RECT* r) const {
    POINT corners[2] = {{r->left, r->top}, {r->right, r->bottom}};
    LPtoDP(corners, 2);
    *r = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CDC::GetDeviceClipBox(RECT* r) const {
    CRect dev = m_deviceClip;
    if (!m_hasClip) {
        const QPaintDevice* d = m_painter->device();
        dev = CRect(0, 0, d->width(), d->height());
    }
    *r = dev;
}

int CDC::GetClipBox(RECT* r) const {
    CRect dev;
    GetDeviceClipBox(&dev);
    CRect log = dev;
    DPtoLP(&log);
    log.NormalizeRect();
    *r = log;
    return log.IsRectEmpty() ? 1 /* NULLREGION */ : 2 /* SIMPLEREGION */;
}

void CDC::SetDeviceClip(const CRect& deviceRect) {
    m_hasClip = true;
    m_deviceClip = deviceRect;
    // Qt keeps the clip in device space once set, so set it under the identity.
    const QTransform t = m_painter->transform();
    m_painter->resetTransform();
    m_painter->setClipRect(QRect(deviceRect.left, deviceRect.top, std::max(0, deviceRect.Width()),
                                 std::max(0, deviceRect.Height())));
    m_painter->setTransform(t);
}

void CDC::SetDeviceClipRegion(const QRegion& region) {
    const QRect b = region.boundingRect();
    m_hasClip = true;
    m_deviceClip = CRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    const QTransform t = m_painter->transform();
    m_painter->resetTransform();
    m_painter->setClipRegion(region);
    m_painter->setTransform(t);
}

int CDC::IntersectClipRect(const RECT& logical) {
    CRect dev = logical;
    LPtoDP(&dev);
    dev.NormalizeRect();
    if (m_hasClip) {
        CRect both;
        both.IntersectRect(dev, m_deviceClip);
        dev = both;
    }
    SetDeviceClip(dev);
    return dev.IsRectEmpty() ? 1 : 2;
}

void CDC::ApplyPen() {
    if (!m_pPen->IsValid() || m_pPen->Style() == PS_NULL) {
        m_painter->setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(m_pPen->Color()));
    if (m_pPen->Width() <= 1) {
        pen.setWidth(1);
        pen.setCosmetic(true);
    } else {
        pen.setWidth(m_pPen->Width());
    }
    if (m_pPen->Style() == PS_DOT)
        pen.setStyle(Qt::DotLine);
    // Lines leave out their last pixel, as the windowing system draws them.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter->setPen(pen);
}

void CDC::ApplyBrush(bool hollow) {
    if (hollow || !m_pBrush->IsValid() || m_pBrush->IsHollow())
        m_painter->setBrush(Qt::NoBrush);
    else
        m_painter->setBrush(ToQColor(m_pBrush->Color()));
}

QRect CDC::LogicalReach() const {
    const QPaintDevice* d = m_painter->device();
    CRect dev(0, 0, d->width(), d->height());
    if (m_hasClip) {
        CRect both;
        both.IntersectRect(dev, m_deviceClip);
        dev = both;
    }
    if (!m_deviceMapped) {
        DPtoLP(&dev);
        dev.NormalizeRect();
    }
    return QRect(QPoint(dev.left - 1, dev.top - 1), QPoint(dev.right, dev.bottom));
}

const POINT* CDC::ToDevicePixels(const POINT* pts, int n) {
    if (!m_deviceMapped)
        return pts;
    m_mapped.assign(pts, pts + n);
    LPtoDP(m_mapped.data(), n);
    return m_mapped.data();
}

QRect CDC::DeviceBounds(const QRect& logical) const {
    return m_painter->transform().mapRect(logical).adjusted(-2, -2, 2, 2);
}

template <typename Fn> void CDC::InvertFigure(const QRect& logicalBounds, Fn drawFigure) {
    if (!CanInvert())
        return;
    const QRect deviceArea(0, 0, m_painter->device()->width(), m_painter->device()->height());
    const QRect dev = DeviceBounds(logicalBounds).intersected(deviceArea);
    if (dev.isEmpty())
        return;
    QImage mask(dev.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing, false);
        QTransform t = m_painter->transform();
        t *= QTransform::fromTranslate(-dev.left(), -dev.top());
        mp.setTransform(t);
        drawFigure(mp);
    }
    m_painter->save();
    m_painter->resetTransform();
    m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    m_painter->drawImage(dev.topLeft(), mask);
    m_painter->restore();
}

CPoint CDC::MoveTo(int x, int y) {
    const CPoint old = m_current;
    m_current = CPoint(x, y);
    return old;
}

bool CDC::LineTo(int x, int y) {
    const POINT pts[2] = {m_current, {x, y}};
    m_current = CPoint(x, y);
    return Polyline(pts, 2);
}

bool CDC::Polyline(const POINT* pts, int n) {
    if (n < 2)
        return n >= 0;
    pts = ToDevicePixels(pts, n);
    const QPolygon poly = ToPolygon(pts, n);
    if (m_rop2 == R2_NOT) {
        if (!m_pPen->IsValid() || m_pPen->Style() == PS_NULL)
            return true;
        const QPolygon pixels = PolylinePixels(pts, n, LogicalReach());
        InvertFigure(SafeBounds(pts, n), [&](QPainter& p) {
            QPen pen(Qt::white);
            pen.setWidth(1);
            pen.setCosmetic(true);
            p.setPen(pen);
            p.drawPoints(pixels);
        });
        return true;
    }
    ApplyPen();
    m_painter->setBrush(Qt::NoBrush);
    const QPointF s = DeviceScale();
    // Pixel by pixel where pixels are exact; on paper a row of dots shows seams.
    const bool exact = m_deviceMapped || (s.x() == 1.0 && s.y() == 1.0 && CanInvert());
    if (m_pPen->Width() <= 1 && m_pPen->Style() == PS_SOLID && exact)
        m_painter->drawPoints(PolylinePixels(pts, n, LogicalReach()));
    else
        m_painter->drawPolyline(poly);
    return true;
}

bool CDC::Polygon(const POINT* pts, int n) {
    if (n < 2)
        return n >= 0;
    pts = ToDevicePixels(pts, n);
    const QPolygon poly = ToPolygon(pts, n);
    const Qt::FillRule rule = m_fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (m_rop2 == R2_NOT) {
        InvertFigure(SafeBounds(pts, n), [&](QPainter& p) {
            p.setPen(m_pPen->Style() == PS_NULL ? QPen(Qt::NoPen) : QPen(Qt::white, 1));
            p.setBrush(m_pBrush->IsHollow() ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
            p.drawPolygon(poly, rule);
        });
        return true;
    }
    ApplyPen();
    ApplyBrush(false);
    m_painter->drawPolygon(poly, rule);
    return true;
}

template <typename Fn>
bool CDC::BoxFigure(int64_t l, int64_t t, int64_t r, int64_t b, Fn drawShape) {
    if (m_deviceMapped) {
        l = DeviceX(l), t = DeviceY(t), r = DeviceX(r), b = DeviceY(b);
    }
    const QRect box = BoxFromEdges(l, t, r, b);
    if (box.width() < 1 || box.height() < 1)
        return true;
    // The outline runs through the box's outermost pixels, right and bottom excluded.
    const QRectF shape(box.left(), box.top(), box.width() - 1, box.height() - 1);
    if (m_rop2 == R2_NOT) {
        InvertFigure(box, [&](QPainter& p) {
            p.setPen(m_pPen->Style() == PS_NULL ? QPen(Qt::NoPen) : QPen(Qt::white, 1));
            p.setBrush(m_pBrush->IsHollow() ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
            drawShape(p, shape);
        });
        return true;
    }
    ApplyPen();
    ApplyBrush(false);
    drawShape(*m_painter, shape);
    return true;
}

bool CDC::Ellipse(int l, int t, int r, int b) {
    return WideEllipse(l, t, r, b);
}

// A box edge of any 64-bit size in device pixels, where the painter draws
// in device pixels (a scaled mapping on an image).
int64_t CDC::DeviceX(int64_t v) const {
    return int64_t(std::llround(double(v - m_windowOrg.x) * DeviceScale().x())) + m_viewportOrg.x;
}
int64_t CDC::DeviceY(int64_t v) const {
    return int64_t(std::llround(double(v - m_windowOrg.y) * DeviceScale().y())) + m_viewportOrg.y;
}

bool CDC::WideEllipse(int64_t l, int64_t t, int64_t r, int64_t b) {
    if (l > r)
        std::swap(l, r);
    if (t > b)
        std::swap(t, b);
    if (l == r || t == b)
        return true;
    // The raster engine's ellipse holds its box in 16.16 fixed point: past
    // 2^17 device pixels across, a filled one floods the device and an
    // outline vanishes. Up to there its pixels stay as they always were.
    constexpr double kEngineLimit = 131072;
    const QPointF s = DeviceScale();
    const double w = double(r - l - 1), h = double(b - t - 1);
    if (w * std::abs(s.x()) <= kEngineLimit && h * std::abs(s.y()) <= kEngineLimit)
        return BoxFigure(l, t, r, b, [](QPainter& p, const QRectF& e) { p.drawEllipse(e); });
    QPolygonF poly;
    if (m_deviceMapped) {
        const int64_t dl = DeviceX(l), dt = DeviceY(t), dr = DeviceX(r), db = DeviceY(b);
        poly = ClippedEllipse(double(std::min(dl, dr)), double(std::min(dt, db)),
                              double(std::abs(dr - dl) - 1), double(std::abs(db - dt) - 1));
    } else {
        poly = ClippedEllipse(double(l), double(t), w, h);
    }
    if (poly.size() < 3)
        return true;
    if (m_rop2 == R2_NOT) {
        InvertFigure(poly.boundingRect().toAlignedRect(), [&](QPainter& p) {
            p.setPen(m_pPen->Style() == PS_NULL ? QPen(Qt::NoPen) : QPen(Qt::white, 1));
            p.setBrush(m_pBrush->IsHollow() ? QBrush(Qt::NoBrush) : QBrush(Qt::white));
            p.drawPolygon(poly);
        });
        return true;
    }
    ApplyPen();
    ApplyBrush(false);
    m_painter->drawPolygon(poly);
    return true;
}

// Where the ellipse meets a rectangle a few pixels larger than the reachable
// device area, the intersection is convex: its left and right boundaries are
// found row by row of the device (and where the ellipse crosses the
// rectangle's sides), so the polygon follows the curve to within a fraction
// of a pixel however large the ellipse. The rectangle's own sides, where the
// polygon runs along them, lie off the device, so an outline shows only the
// ellipse.
QPolygonF CDC::ClippedEllipse(double l, double t, double w, double h) const {
    // Under a device mapping the box is already in device pixels.
    const QPointF s = m_deviceMapped ? QPointF(1, 1) : DeviceScale();
    // Rows are sampled at their edges and their middles, where pixels are decided.
    const double stepX = 1.0 / std::abs(s.x()), stepY = 0.5 / std::abs(s.y());
    const QRect reach = LogicalReach();
    const double left = reach.left() - 3 * stepX, right = reach.right() + 1 + 3 * stepX;
    const double top = reach.top() - 3 * stepY, bottom = reach.bottom() + 1 + 3 * stepY;
    const double a = w / 2, b = h / 2, cx = l + a, cy = t + b;
    // Half the chord at height y, from (b - u)(b + u) to keep the precision
    // near the top and bottom of a huge ellipse.
    const auto halfChord = [&](double y) {
        const double u = std::abs(y - cy);
        return u >= b ? 0.0 : a / b * std::sqrt((b - u) * (b + u));
    };
    const double y0 = std::max(top, cy - b), y1 = std::min(bottom, cy + b);
    if (y0 > y1)
        return QPolygonF();
    std::vector<double> ys;
    ys.reserve(size_t((y1 - y0) / stepY) + 8);
    ys.push_back(y0);
    for (double y = std::floor(y0 / stepY + 1) * stepY; y < y1; y += stepY)
        ys.push_back(y);
    ys.push_back(y1);
    for (const double x : {left, right}) {
        const double v = std::abs(x - cx);
        if (v >= a)
            continue;
        const double dy = b / a * std::sqrt((a - v) * (a + v));
        for (const double y : {cy - dy, cy + dy})
            if (y > y0 && y < y1)
                ys.push_back(y);
    }
    std::sort(ys.begin(), ys.end());
    QPolygonF leftSide, rightSide;
    for (const double y : ys) {
        const double half = halfChord(y);
        const double xl = std::max(left, cx - half), xr = std::min(right, cx + half);
        if (xl > xr)
            continue;
        leftSide << QPointF(xl, y);
        rightSide << QPointF(xr, y);
    }
    for (auto it = rightSide.crbegin(); it != rightSide.crend(); ++it)
        leftSide << *it;
    return leftSide;
}

bool CDC::Rectangle(int l, int t, int r, int b) {
    return BoxFigure(l, t, r, b, [](QPainter& p, const QRectF& s) { p.drawRect(s); });
}

void CDC::FillRect(const RECT& r, CBrush* brush) {
    if (!brush || !brush->IsValid() || brush->IsHollow())
        return;
    FillSolidRect(r, brush->Color());
}

void CDC::FillSolidRect(const RECT& rect, COLORREF c) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    RECT r = rect;
    if (m_deviceMapped)
        LPtoDP(&r);
    const QRect box = BoxFromEdges(r.left, r.top, r.right, r.bottom);
    if (box.isEmpty())
        return;
    m_painter->fillRect(box, ToQColor(c));
}

bool CDC::PatBlt(int x, int y, int w, int h, uint32_t rop) {
    if (w == 0 || h == 0)
        return true;
    QRect box;
    if (m_deviceMapped) {
        POINT corners[2] = {{x, y}, {Saturate(int64_t(x) + w), Saturate(int64_t(y) + h)}};
        LPtoDP(corners, 2);
        box = BoxFromEdges(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    } else {
        box = BoxFromEdges(x, y, int64_t(x) + w, int64_t(y) + h);
    }
    if (rop == DSTINVERT) {
        if (!CanInvert())
            return false;
        m_painter->save();
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter->fillRect(box, Qt::white);
        m_painter->restore();
        return true;
    }
    return false;
}

void CDC::DrawFocusRect(const RECT& rect) {
    RECT r = rect;
    if (m_deviceMapped)
        LPtoDP(&r);
    const QRect box = BoxFromEdges(r.left, r.top, r.right, r.bottom);
    if (box.isEmpty())
        return;
    // Every other pixel of the border, so that drawing it twice restores the picture.
    InvertFigure(box, [&](QPainter& p) {
        const auto dot = [&](int x, int y) {
            if (((x - box.left()) + (y - box.top())) % 2 == 0)
                p.fillRect(QRect(x, y, 1, 1), Qt::white);
        };
        for (int x = box.left(); x <= box.right(); ++x) {
            dot(x, box.top());
            if (box.bottom() != box.top())
                dot(x, box.bottom());
        }
        for (int y = box.top() + 1; y < box.bottom(); ++y) {
            dot(box.left(), y);
            if (box.right() != box.left())
                dot(box.right(), y);
        }
    });
}

unsigned int CDC::SetTextAlign(unsigned int align) {
    const unsigned int old = m_textAlign;
    m_textAlign = align;
    return old;
}

bool CDC::TextOut(int x, int y, const QString& text) {
    const QFontMetrics fm(m_font, m_painter->device());
    double dx = 0;
    if ((m_textAlign & TA_CENTER) == TA_CENTER)
        dx = -fm.horizontalAdvance(text) / 2.0;
    else if (m_textAlign & TA_RIGHT)
        dx = -fm.horizontalAdvance(text);
    // Only the reference point follows the mapping's direction: with y growing
    // upwards the text still reads top to bottom, below its point.
    CPoint ref(x, y);
    if (m_deviceMapped)
        LPtoDP(&ref);
    const QPointF at =
        m_deviceMapped ? QPointF(ref.x, ref.y) : m_painter->transform().map(QPointF(x, y));
    const QPointF s = DeviceScale();
    m_painter->save();
    m_painter->setTransform(
        QTransform::fromTranslate(at.x(), at.y()).scale(std::abs(s.x()), std::abs(s.y())));
    m_painter->setFont(m_font);
    m_painter->setPen(ToQColor(m_textColor));
    m_painter->drawText(QPointF(dx, fm.ascent()), text);
    m_painter->restore();
    return true;
}

CSize CDC::GetTextExtent(const QString& text) const {
    const QFontMetrics fm(m_font, m_painter->device());
    return CSize(fm.horizontalAdvance(text), fm.height());
}

int CDC::GetTextHeight() const {
    const QFontMetrics fm(m_font, m_painter->device());
    return fm.height();
}
