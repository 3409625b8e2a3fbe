#pragma once
#include "platform/CRect.h"
#include "platform/GdiObjects.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRegion>
#include <QString>
#include <memory>
#include <vector>

enum { MM_TEXT = 1, MM_LOENGLISH = 4, MM_ANISOTROPIC = 8 };
enum { TA_LEFT = 0, TA_TOP = 0, TA_RIGHT = 2, TA_CENTER = 6 };

// A device context over QPainter. Logical coordinates map to device pixels
// through the window and viewport origins and extents; all figures follow the
// windowing system's rules (right and bottom edges of boxes are exclusive).
// Raster operations that invert (R2_NOT figures, DSTINVERT, focus rectangles)
// touch exactly the same pixels every time, so drawing twice erases.
class CDC {
public:
    // Paints into an image with a painter of its own.
    explicit CDC(QImage* target);
    // Paints through a painter owned by the caller (a printer, a widget).
    explicit CDC(QPainter* painter, bool printing = false);
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    QPainter* Painter() const { return m_painter; }
    bool IsPrinting() const { return m_printing; }
    void SetPrinting(bool printing) { m_printing = printing; }
    // Whether the device can invert pixels (an image, not a printer or PDF).
    bool CanInvert() const;

    // Selected objects; each returns the one it replaces.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    QFont SelectFont(const QFont& font);
    int SetROP2(int rop);
    int GetROP2() const { return m_rop2; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_fillMode; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_bkColor; }
    COLORREF SetTextColor(COLORREF c);

    // Mapping.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_mapMode; }
    CPoint SetViewportOrg(int x, int y);
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return m_viewportOrg; }
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const { return m_windowOrg; }
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);
    // The whole mapping, to set aside and put back.
    struct Mapping {
        int mode;
        CPoint viewportOrg, windowOrg;
        CSize windowExt, viewportExt;
    };
    Mapping GetMapping() const;
    void SetMapping(const Mapping& mapping);
    void DPtoLP(POINT* pts, int n = 1) const;
    void LPtoDP(POINT* pts, int n = 1) const;
    void DPtoLP(RECT* r) const;
    void LPtoDP(RECT* r) const;

    // Clipping; the clip box is reported in logical coordinates.
    int GetClipBox(RECT* r) const;
    // The same box in device pixels, unrounded by the mapping.
    void GetDeviceClipBox(RECT* r) const;
    void SetDeviceClip(const CRect& deviceRect);
    // Clips to a region; the clip box is the region's bounding rectangle.
    void SetDeviceClipRegion(const QRegion& region);
    int IntersectClipRect(const RECT& logical);
    int IntersectClipRect(int l, int t, int r, int b) {
        return IntersectClipRect(RECT{l, t, r, b});
    }

    // Figures.
    CPoint MoveTo(int x, int y);
    bool LineTo(int x, int y);
    bool Polyline(const POINT* pts, int n);
    bool Polygon(const POINT* pts, int n);
    bool Ellipse(int l, int t, int r, int b);
    bool Ellipse(const RECT& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    // An ellipse whose box may exceed the 32-bit range (a circle of any radius
    // about any centre). Boxes the raster engine draws right are drawn as
    // Ellipse draws them; larger ones as the part of the outline that can
    // reach the device, flattened in double precision.
    bool WideEllipse(int64_t l, int64_t t, int64_t r, int64_t b);
    bool Rectangle(int l, int t, int r, int b);
    bool Rectangle(const RECT& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    void FillRect(const RECT& r, CBrush* brush);
    void FillSolidRect(const RECT& r, COLORREF c);
    bool PatBlt(int x, int y, int w, int h, uint32_t rop);
    void DrawFocusRect(const RECT& r);

    // Text: its top at the point, its left end, middle or right end there as
    // the alignment says. Glyphs stay upright whichever way the y axis runs.
    unsigned int SetTextAlign(unsigned int align);
    unsigned int GetTextAlign() const { return m_textAlign; }
    bool TextOut(int x, int y, const QString& text);
    CSize GetTextExtent(const QString& text) const;
    int GetTextHeight() const;

private:
    void ApplyTransform();
    void ApplyPen();
    void ApplyBrush(bool hollow);
    QPointF DeviceScale() const;
    // Inverts the pixels that drawFigure paints (in logical coordinates).
    template <typename Fn> void InvertFigure(const QRect& logicalBounds, Fn drawFigure);
    // Ellipses and rectangles: a box with exclusive right and bottom edges.
    template <typename Fn> bool BoxFigure(int64_t l, int64_t t, int64_t r, int64_t b, Fn drawShape);
    // The ellipse inscribed in shape (edges inclusive), cut to what the device
    // can show, as a convex polygon in logical coordinates.
    QPolygonF ClippedEllipse(double l, double t, double w, double h) const;
    int64_t DeviceX(int64_t v) const;
    int64_t DeviceY(int64_t v) const;
    QRect DeviceBounds(const QRect& logical) const;
    // On an image under a scaling mapping, figures are mapped to pixels
    // first and drawn as at one unit per pixel: outlines stay one pixel wide
    // and an inverted figure drawn twice touches the same pixels.
    const POINT* ToDevicePixels(const POINT* pts, int n);
    // The logical area that drawing on this device can reach, one unit wider.
    QRect LogicalReach() const;

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter;
    bool m_printing = false;
    CPen m_stockPen{PS_SOLID, 1, RGB(0, 0, 0)};
    CBrush m_stockBrush{RGB(255, 255, 255)};
    CPen* m_pPen;
    CBrush* m_pBrush;
    QFont m_font;
    int m_rop2 = R2_COPYPEN;
    int m_fillMode = ALTERNATE;
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(0, 0, 0);
    unsigned int m_textAlign = TA_LEFT | TA_TOP;
    int m_mapMode = MM_TEXT;
    CPoint m_viewportOrg;
    CPoint m_windowOrg;
    CSize m_windowExt{1, 1};
    CSize m_viewportExt{1, 1};
    CPoint m_current;
    bool m_hasClip = false;
    CRect m_deviceClip;
    bool m_deviceMapped = false;
    std::vector<POINT> m_mapped;
};

// While it lives, logical units are the device's pixels: marks, crosses and
// focus rectangles keep their size in pixels whatever the mapping was.
class CDevicePixels {
public:
    explicit CDevicePixels(CDC* dc) : m_dc(dc), m_saved(dc->GetMapping()) {
        m_dc->SetMapping(
            CDC::Mapping{MM_TEXT, CPoint(0, 0), CPoint(0, 0), CSize(1, 1), CSize(1, 1)});
    }
    ~CDevicePixels() { m_dc->SetMapping(m_saved); }
    CDevicePixels(const CDevicePixels&) = delete;
    CDevicePixels& operator=(const CDevicePixels&) = delete;

private:
    CDC* m_dc;
    CDC::Mapping m_saved;
};
