// Zoom and scrolling of one window: the state behind the view's mapping, the
// scroll bars, the wheel and the middle-button drag, Fit Object.
#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Pixels one line of a wheel notch scrolls.
constexpr int kLinePixels = 20;
// What the view keeps around the object when it fits it or offers to scroll
// to it: a twentieth of the window on every side.
constexpr double kMarginShare = 0.05;
constexpr int64_t kScrollLimit = 1000000000;

// Moves the image's pixels by dx, dy in place; what moves out is lost, what
// is uncovered keeps stale pixels for the caller to redraw.
void ScrollImage(QImage& image, int dx, int dy) {
    const int w = image.width(), h = image.height();
    if (std::abs(dx) >= w || std::abs(dy) >= h)
        return;
    const size_t rowBytes = size_t(w - std::abs(dx)) * 4;
    const int fromX = std::max(0, -dx), toX = std::max(0, dx);
    const auto moveRow = [&](int y) {
        const uchar* src = image.constScanLine(y) + fromX * 4;
        uchar* dst = image.scanLine(y + dy) + toX * 4;
        std::memmove(dst, src, rowBytes);
    };
    if (dy > 0) {
        for (int y = h - 1 - dy; y >= 0; --y)
            moveRow(y);
    } else {
        for (int y = -dy; y < h; ++y)
            moveRow(y);
    }
}
} // namespace

void CMorvetView::SetZoom(CZoom zoom, const CPoint& about) {
    m_bScrollBarsAllowed = true;
    if (zoom != m_zoom) {
        // The unit under `about` stays there: (about - m - scroll) / zoom is
        // the same before and after.
        const CPoint m = ClientMiddle();
        const double k = zoom.Value() / m_zoom.Value();
        const auto keep = [k](double a, double scroll) { return a - k * (a - scroll); };
        SetExactScroll(keep(double(about.x) - m.x, m_scrollExactX),
                       keep(double(about.y) - m.y, m_scrollExactY));
        m_zoom = zoom;
        Invalidate(true);
    }
    UpdateScrollBars();
}

void CMorvetView::ResetZoom() {
    m_bScrollBarsAllowed = false;
    if (!m_zoom.IsActual() || m_scroll != CPoint(0, 0)) {
        m_zoom = CZoom();
        SetExactScroll(0, 0);
        Invalidate(true);
    }
    UpdateScrollBars();
}

void CMorvetView::ScrollBy(int dx, int dy) {
    m_bScrollBarsAllowed = true;
    const CPoint before = m_scroll;
    SetExactScroll(m_scrollExactX + dx, m_scrollExactY + dy);
    dx = m_scroll.x - before.x;
    dy = m_scroll.y - before.y;
    UpdateScrollBars();
    if (dx == 0 && dy == 0)
        return;
    const int w = width(), h = height();
    // Inverted feedback of a drag lives on the screen in window pixels, not
    // in the drawing: while one is under way, everything is drawn afresh.
    if (HasCapture() || std::abs(dx) >= w || std::abs(dy) >= h || m_surface.isNull()) {
        Invalidate(true);
        return;
    }
    // What is drawn moves along; only the strips that come into view are drawn.
    ScrollImage(m_surface, dx, dy);
    m_invalid.translate(dx, dy);
    if (dx > 0)
        m_invalid += QRect(0, 0, dx, h);
    else if (dx < 0)
        m_invalid += QRect(w + dx, 0, -dx, h);
    if (dy > 0)
        m_invalid += QRect(0, 0, w, dy);
    else if (dy < 0)
        m_invalid += QRect(0, h + dy, w, -dy);
    m_invalid &= QRect(0, 0, w, h);
    update();
}

void CMorvetView::SetExactScroll(double x, double y) {
    const auto limit = [](double v) {
        return std::isfinite(v) ? std::clamp(v, double(-kScrollLimit), double(kScrollLimit)) : 0.0;
    };
    m_scrollExactX = limit(x);
    m_scrollExactY = limit(y);
    // Halves round up, so that a whole-pixel scroll moves the rounded value
    // by exactly as many pixels.
    m_scroll = CPoint(int32_t(std::floor(m_scrollExactX + 0.5)),
                      int32_t(std::floor(m_scrollExactY + 0.5)));
}

bool CMorvetView::ObjectBox(CRect* box) const {
    const CShape& shape = GetDocument()->m_shape;
    if (shape.GetSize() == 0)
        return false;
    int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
    const CPoint anchor = Anchor();
    for (const CPrimitive* prim : shape.m_elements) {
        CRect e;
        GetPrimitiveRect(prim, &e, anchor);
        l = std::min<int64_t>(l, e.left);
        t = std::min<int64_t>(t, e.top);
        r = std::max<int64_t>(r, e.right);
        b = std::max<int64_t>(b, e.bottom);
    }
    const auto clamp = [](int64_t v) {
        return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    // The outline reaches one unit past the right and bottom extremes.
    *box = CRect(clamp(l), clamp(t), clamp(r + 1), clamp(b + 1));
    return true;
}

void CMorvetView::FitObject() {
    CRect box;
    if (!ObjectBox(&box) || width() <= 0 || height() <= 0) {
        ResetZoom();
        return;
    }
    const double usableW = width() * (1 - 2 * kMarginShare);
    const double usableH = height() * (1 - 2 * kMarginShare);
    const double boxW = std::max(1.0, double(box.right) - box.left);
    const double boxH = std::max(1.0, double(box.bottom) - box.top);
    const CZoom zoom = CZoom::FromValue(std::min(usableW / boxW, usableH / boxH));
    // The box's middle goes to the window's middle: m + scroll + z (c - m) = m.
    const CPoint m = ClientMiddle();
    const double cx = (double(box.left) + box.right) / 2, cy = (double(box.top) + box.bottom) / 2;
    m_bScrollBarsAllowed = true;
    m_zoom = zoom;
    SetExactScroll(-zoom.Value() * (cx - m.x), -zoom.Value() * (cy - m.y));
    Invalidate(true);
    UpdateScrollBars();
}

void CMorvetView::UpdateScrollBars() {
    if (!m_pHScroll)
        return;
    if (!m_bScrollBarsAllowed) {
        m_pHScroll->hide();
        m_pVScroll->hide();
        m_pScrollCorner->hide();
        return;
    }
    CRect box(ClientMiddle(), ClientMiddle());
    ObjectBox(&box);
    // The object's box and the center of mass, in pixels with no scrolling,
    // with the margin around.
    CPoint corners[2] = {box.TopLeft(), box.BottomRight()};
    const CPoint m = ClientMiddle();
    const double z = m_zoom.Value();
    const auto toPixel = [&](int32_t u, int32_t mid) {
        return double(mid) + z * (double(u) - mid);
    };
    double left = std::min(toPixel(corners[0].x, m.x), double(m.x));
    double right = std::max(toPixel(corners[1].x, m.x), double(m.x));
    double top = std::min(toPixel(corners[0].y, m.y), double(m.y));
    double bottom = std::max(toPixel(corners[1].y, m.y), double(m.y));
    left -= width() * kMarginShare;
    right += width() * kMarginShare;
    top -= height() * kMarginShare;
    bottom += height() * kMarginShare;

    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // A bar takes room from the other direction; two rounds settle both.
    bool showH = false, showV = false;
    int minH = 0, maxH = 0, minV = 0, maxV = 0, pageH = width(), pageV = height();
    for (int round = 0; round < 2; ++round) {
        pageH = std::max(1, width() - (showV ? thickness : 0));
        pageV = std::max(1, height() - (showH ? thickness : 0));
        // The bar's value is how far the drawing moved left (up): -scroll.
        const auto range = [](double lo, double hi, int page, int value, int* mn, int* mx) {
            const int from = int(std::clamp(std::floor(lo), -1e9, 1e9));
            const int to = int(std::clamp(std::ceil(hi) - page, -1e9, 1e9));
            // A pixel of rounding (a fitted object) does not call for a bar.
            if (lo >= value - 1 && hi <= value + page + 1) {
                *mn = *mx = value; // all of it in sight
                return false;
            }
            *mn = std::min({value, from, to});
            *mx = std::max({value, from, to});
            return true;
        };
        showH = range(left, right, pageH, -m_scroll.x, &minH, &maxH);
        showV = range(top, bottom, pageV, -m_scroll.y, &minV, &maxV);
    }
    const QSignalBlocker blockH(m_pHScroll), blockV(m_pVScroll);
    m_pHScroll->setRange(minH, maxH);
    m_pHScroll->setPageStep(pageH);
    m_pHScroll->setSingleStep(kLinePixels);
    m_pHScroll->setValue(-m_scroll.x);
    m_pVScroll->setRange(minV, maxV);
    m_pVScroll->setPageStep(pageV);
    m_pVScroll->setSingleStep(kLinePixels);
    m_pVScroll->setValue(-m_scroll.y);
    m_pHScroll->setGeometry(0, height() - thickness, width() - (showV ? thickness : 0), thickness);
    m_pVScroll->setGeometry(width() - thickness, 0, thickness, height() - (showH ? thickness : 0));
    m_pHScroll->setVisible(showH);
    m_pVScroll->setVisible(showV);
    // Where the two bars meet, the window's colour rather than the drawing.
    m_pScrollCorner->setGeometry(width() - thickness, height() - thickness, thickness, thickness);
    m_pScrollCorner->setVisible(showH && showV);
}

void CMorvetView::CreateScrollBars() {
    m_pHScroll = new QScrollBar(Qt::Horizontal, this);
    m_pVScroll = new QScrollBar(Qt::Vertical, this);
    m_pScrollCorner = new QWidget(this);
    m_pScrollCorner->setAutoFillBackground(true);
    m_pScrollCorner->hide();
    for (QScrollBar* bar : {m_pHScroll, m_pVScroll}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setCursor(Qt::ArrowCursor);
    }
    connect(m_pHScroll, &QScrollBar::valueChanged, this,
            [this](int value) { ScrollBy(-value - m_scroll.x, 0); });
    connect(m_pVScroll, &QScrollBar::valueChanged, this,
            [this](int value) { ScrollBy(0, -value - m_scroll.y); });
}

void CMorvetView::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const QPoint at = event->position().toPoint();
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = angle.y() != 0 ? angle.y() : angle.x();
        if (delta == 0)
            return;
        CZoom zoom = m_zoom;
        if (delta % 120 == 0) {
            // A mouse wheel: one level per notch.
            for (int n = std::abs(delta) / 120; n > 0; --n)
                zoom = delta > 0 ? zoom.NextLevel() : zoom.PreviousLevel();
        } else {
            // A touchpad's small deltas: a smooth change, a notch's worth
            // about a fifth larger or smaller.
            zoom = CZoom::FromValue(m_zoom.Value() * std::pow(2.0, delta / 480.0));
        }
        SetZoom(zoom, CPoint(at.x(), at.y()));
        event->accept();
        return;
    }
    int dx, dy;
    if (!event->pixelDelta().isNull()) {
        dx = event->pixelDelta().x();
        dy = event->pixelDelta().y();
    } else {
        const int step = QApplication::wheelScrollLines() * kLinePixels;
        dx = angle.x() * step / 120;
        dy = angle.y() * step / 120;
    }
    if ((event->modifiers() & Qt::ShiftModifier) && dx == 0)
        std::swap(dx, dy);
    event->accept();
    // The wheel scrolls as far as the bars reach: to the object and no further.
    m_bScrollBarsAllowed = true;
    UpdateScrollBars();
    const auto clampTo = [](const QScrollBar* bar, int d) {
        if (bar->isHidden())
            return 0;
        return bar->value() - std::clamp(bar->value() - d, bar->minimum(), bar->maximum());
    };
    ScrollBy(clampTo(m_pHScroll, dx), clampTo(m_pVScroll, dy));
}
