// Drawing services: the CDC rules the object and the view rely on.
#include "platform/CDC.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Black(int w = 60, int h = 60) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

// A picture in which every pixel differs, so that any change shows.
QImage Noise(int w = 80, int h = 80) {
    QImage img(w, h, QImage::Format_RGB32);
    std::mt19937 rng(1234);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
    return img;
}

// The painted extent of non-black pixels: left, top, right, bottom inclusive.
QRect Painted(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kBlack)
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

bool SameImage(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

int CountChanged(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}

// Every changed pixel must be the exact inverse of the original.
bool ChangesAreInversions(const QImage& before, const QImage& after) {
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            const QRgb a = before.pixel(x, y) & 0xFFFFFF, b = after.pixel(x, y) & 0xFFFFFF;
            if (a != b && b != (a ^ 0xFFFFFF))
                return false;
        }
    return true;
}

} // namespace

// --- box figures exclude the right and bottom edges -------------------------

TEST(DeviceContextBoxes, RectangleCoversLeftTopUpToRightBottomExclusive) {
    QImage img = Black();
    {
        CDC dc(&img);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        CBrush brush(RGB(255, 255, 255));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.Rectangle(10, 20, 30, 25);
    }
    EXPECT_EQ(Painted(img), QRect(QPoint(10, 20), QPoint(29, 24)));
}

TEST(DeviceContextBoxes, RectangleOutlineWithHollowBrush) {
    QImage img = Black();
    {
        CDC dc(&img);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        CBrush hollow;
        const LOGBRUSH lb{BS_NULL, 0, 0};
        hollow.CreateBrushIndirect(&lb);
        dc.SelectObject(&pen);
        dc.SelectObject(&hollow);
        dc.Rectangle(10, 10, 20, 20);
    }
    EXPECT_EQ(Painted(img), QRect(QPoint(10, 10), QPoint(19, 19)));
    EXPECT_EQ(img.pixel(15, 15), kBlack);
    EXPECT_EQ(img.pixel(19, 15), kWhite);
    EXPECT_EQ(img.pixel(15, 19), kWhite);
}

TEST(DeviceContextBoxes, EllipseStaysInsideItsBox) {
    QImage img = Black();
    {
        CDC dc(&img);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        CBrush brush(RGB(255, 0, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.Ellipse(10, 10, 50, 30);
    }
    EXPECT_EQ(Painted(img), QRect(QPoint(10, 10), QPoint(49, 29)));
    EXPECT_EQ(img.pixel(30, 20), qRgb(255, 0, 0));
}

TEST(DeviceContextBoxes, BoxEdgesInAnyOrderAreNormalised) {
    QImage a = Black(), b = Black();
    {
        CDC dc(&a);
        dc.Rectangle(10, 10, 30, 20);
    }
    {
        CDC dc(&b);
        dc.Rectangle(30, 20, 10, 10);
    }
    EXPECT_TRUE(SameImage(a, b));
}

TEST(DeviceContextBoxes, FillSolidRectExcludesRightAndBottom) {
    QImage img = Black();
    {
        CDC dc(&img);
        dc.FillSolidRect(RECT{5, 6, 15, 9}, RGB(0, 0, 255));
    }
    EXPECT_EQ(Painted(img), QRect(QPoint(5, 6), QPoint(14, 8)));
    EXPECT_EQ(img.pixel(5, 6), qRgb(0, 0, 255));
}

TEST(DeviceContextBoxes, EmptyBoxesDrawNothing) {
    QImage img = Black();
    {
        CDC dc(&img);
        dc.Rectangle(10, 10, 10, 30);
        dc.Ellipse(10, 10, 30, 10);
        dc.FillSolidRect(RECT{5, 5, 5, 9}, RGB(255, 255, 255));
    }
    EXPECT_TRUE(Painted(img).isNull());
}

TEST(DeviceContextLines, PolylineWithOnePointDrawsNothing) {
    QImage img = Black();
    {
        CDC dc(&img);
        CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
        dc.SelectObject(&pen);
        const POINT p{10, 10};
        EXPECT_TRUE(dc.Polyline(&p, 1));
        EXPECT_TRUE(dc.Polygon(&p, 1));
        EXPECT_TRUE(dc.Polyline(nullptr, 0));
    }
    EXPECT_TRUE(Painted(img).isNull());
}

TEST(DeviceContextLines, HorizontalLineIsOneUnitThickInPenColour) {
    QImage img = Black();
    {
        CDC dc(&img);
        CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
        dc.SelectObject(&pen);
        dc.MoveTo(5, 10);
        dc.LineTo(40, 10);
    }
    const QRect r = Painted(img);
    EXPECT_EQ(r.top(), 10);
    EXPECT_EQ(r.bottom(), 10);
    EXPECT_EQ(r.left(), 5);
    EXPECT_LE(r.right(), 40);
    EXPECT_GE(r.right(), 39);
    EXPECT_EQ(img.pixel(20, 10), qRgb(0, 255, 0));
}

// --- inverting operations: drawing twice restores the picture exactly -------

TEST(DeviceContextInvert, R2NotPolylineTwiceRestores) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0)); // the pen colour does not matter for R2_NOT
    dc.SelectObject(&pen);
    dc.SetROP2(R2_NOT);
    // A path that crosses itself and revisits its start.
    const POINT pts[] = {{5, 5}, {70, 70}, {70, 5}, {5, 70}, {5, 5}, {40, 5}};
    dc.Polyline(pts, 6);
    EXPECT_GT(CountChanged(orig, img), 100);
    EXPECT_TRUE(ChangesAreInversions(orig, img));
    dc.Polyline(pts, 6);
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, R2NotLineTwiceRestores) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    dc.SetROP2(R2_NOT);
    dc.MoveTo(3, 60);
    dc.LineTo(77, 2);
    EXPECT_GT(CountChanged(orig, img), 50);
    dc.MoveTo(3, 60);
    dc.LineTo(77, 2);
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, R2NotFiguresTwiceRestore) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    CBrush hollow;
    const LOGBRUSH lb{BS_NULL, 0, 0};
    hollow.CreateBrushIndirect(&lb);
    dc.SelectObject(&hollow);
    dc.SetROP2(R2_NOT);
    const POINT tri[] = {{10, 10}, {60, 20}, {30, 70}};
    for (int pass = 0; pass < 2; ++pass) {
        dc.Rectangle(4, 4, 50, 40);
        dc.Ellipse(20, 15, 75, 66);
        dc.Polygon(tri, 3);
        if (pass == 0) {
            EXPECT_GT(CountChanged(orig, img), 100);
        }
    }
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, R2NotFilledFiguresTwiceRestore) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    CBrush brush(RGB(1, 2, 3));
    dc.SelectObject(&brush);
    dc.SetROP2(R2_NOT);
    dc.Ellipse(10, 10, 70, 50);
    EXPECT_TRUE(ChangesAreInversions(orig, img));
    EXPECT_GT(CountChanged(orig, img), 1000);
    dc.Ellipse(10, 10, 70, 50);
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, R2NotRectangleInvertsExactlyItsBox) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    CBrush brush(RGB(0, 0, 0));
    dc.SelectObject(&brush);
    dc.SetROP2(R2_NOT);
    dc.Rectangle(10, 20, 30, 25);
    EXPECT_EQ(CountChanged(orig, img), 20 * 5);
    EXPECT_TRUE(ChangesAreInversions(orig, img));
    EXPECT_NE(img.pixel(29, 24), orig.pixel(29, 24));
    EXPECT_EQ(img.pixel(30, 24), orig.pixel(30, 24));
    EXPECT_EQ(img.pixel(29, 25), orig.pixel(29, 25));
}

TEST(DeviceContextInvert, DstInvertTwiceRestoresAndInvertsExactlyTheBox) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    EXPECT_TRUE(dc.PatBlt(10, 12, 20, 7, DSTINVERT));
    EXPECT_EQ(CountChanged(orig, img), 20 * 7);
    EXPECT_TRUE(ChangesAreInversions(orig, img));
    EXPECT_EQ(img.pixel(10, 12) & 0xFFFFFF, (orig.pixel(10, 12) & 0xFFFFFF) ^ 0xFFFFFF);
    EXPECT_EQ(img.pixel(30, 12), orig.pixel(30, 12));
    EXPECT_TRUE(dc.PatBlt(10, 12, 20, 7, DSTINVERT));
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, DstInvertWithNegativeExtentsTwiceRestores) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    dc.PatBlt(40, 40, -15, -9, DSTINVERT);
    EXPECT_EQ(CountChanged(orig, img), 15 * 9);
    dc.PatBlt(40, 40, -15, -9, DSTINVERT);
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextInvert, DrawFocusRectTwiceRestores) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    for (const RECT r : {RECT{5, 5, 60, 40}, RECT{10, 10, 11, 30}, RECT{70, 70, 20, 50}}) {
        dc.DrawFocusRect(r);
        EXPECT_GT(CountChanged(orig, img), 0);
        EXPECT_TRUE(ChangesAreInversions(orig, img));
        dc.DrawFocusRect(r);
        EXPECT_TRUE(SameImage(orig, img));
    }
}

TEST(DeviceContextInvert, FocusRectStaysInsideItsBox) {
    QImage img = Black();
    {
        CDC dc(&img);
        dc.DrawFocusRect(RECT{10, 10, 30, 20});
    }
    const QRect r = Painted(img);
    EXPECT_GE(r.left(), 10);
    EXPECT_GE(r.top(), 10);
    EXPECT_LE(r.right(), 29);
    EXPECT_LE(r.bottom(), 19);
    EXPECT_EQ(img.pixel(20, 15), kBlack) << "only the border";
}

TEST(DeviceContextInvert, InvertingWithAViewportOriginTwiceRestores) {
    QImage img = Noise();
    const QImage orig = img.copy();
    CDC dc(&img);
    dc.SetViewportOrg(40, 40);
    dc.SetROP2(R2_NOT);
    const POINT pts[] = {{-30, -30}, {30, 10}, {-10, 35}};
    dc.Polyline(pts, 3);
    dc.DrawFocusRect(RECT{-20, -20, 20, 20});
    EXPECT_GT(CountChanged(orig, img), 50);
    dc.DrawFocusRect(RECT{-20, -20, 20, 20});
    dc.Polyline(pts, 3);
    EXPECT_TRUE(SameImage(orig, img));
}

TEST(DeviceContextState, SelectObjectReturnsThePrevious) {
    QImage img = Black();
    CDC dc(&img);
    CPen a(PS_SOLID, 1, 0), b(PS_SOLID, 1, 0);
    CPen* stock = dc.SelectObject(&a);
    EXPECT_NE(stock, nullptr);
    EXPECT_EQ(dc.SelectObject(&b), &a);
    EXPECT_EQ(dc.SelectObject(stock), &b);
    EXPECT_EQ(dc.SetROP2(R2_NOT), R2_COPYPEN);
    EXPECT_EQ(dc.SetROP2(R2_COPYPEN), R2_NOT);
}

TEST(DeviceContextState, CoordinateConversionsAreInverse) {
    QImage img = Black();
    CDC dc(&img);
    dc.SetViewportOrg(25, -7);
    POINT p{3, 4};
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 28);
    EXPECT_EQ(p.y, -3);
    dc.DPtoLP(&p);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
}

// A segment spanning the whole coordinate range is walked only where it can
// show: drawing it is quick, hits the pixels on its path, and inverting it
// twice restores the picture.
TEST(DeviceContextLines, SegmentsAcrossTheWholeRangeDrawOnlyTheVisiblePart) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    const POINT diagonal[2] = {{kMin, kMin}, {kMax, kMax}};
    QImage img = Black();
    {
        CDC dc(&img);
        CPen white(PS_SOLID, 1, RGB(255, 255, 255));
        dc.SelectObject(&white);
        dc.Polyline(diagonal, 2);
    }
    EXPECT_EQ(img.pixel(0, 0), kWhite);
    EXPECT_EQ(img.pixel(37, 37), kWhite);
    EXPECT_EQ(img.pixel(37, 36), kBlack);

    const QImage before = Noise();
    QImage inverted = before;
    {
        CDC dc(&inverted);
        dc.SetViewportOrg(-1000, 7);
        dc.SetROP2(R2_NOT);
        const POINT wide[3] = {{kMin, 20}, {kMax, 20}, {kMax, kMin}};
        dc.Polyline(wide, 3);
        EXPECT_FALSE(SameImage(inverted, before));
        dc.Polyline(wide, 3);
    }
    EXPECT_TRUE(SameImage(inverted, before));
}

namespace {
// A zoom about (50, 50) shown at (100, 100): device = 100 + num/den (l - 50).
void Zoom(CDC& dc, int num, int den) {
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(den, den);
    dc.SetViewportExt(num, num);
    dc.SetWindowOrg(50, 50);
    dc.SetViewportOrg(100, 100);
}
} // namespace

// Under a scaling mapping an image gets every figure mapped to pixels first:
// outlines stay one pixel wide and unbroken, an inverted figure drawn twice
// leaves every pixel as it was, and a mark or focus box in device pixels
// keeps its size.
TEST(DeviceContextScaled, FiguresAreMappedToPixelsAndStayOnePixelWide) {
    for (const auto& z : std::vector<std::pair<int, int>>{{2, 1}, {1, 3}, {3, 2}}) {
        const double s = double(z.first) / z.second;
        QImage img = Black(200, 200);
        {
            CDC dc(&img);
            Zoom(dc, z.first, z.second);
            CPen white(PS_SOLID, 1, RGB(255, 255, 255));
            dc.SelectObject(&white);
            dc.MoveTo(0, 10);
            dc.LineTo(40, 10);
        }
        const int y = int(std::lround(100 + s * (10 - 50)));
        const int x0 = int(std::lround(100 + s * (0 - 50))), x1 = int(std::lround(100 + s * -10));
        EXPECT_EQ(Painted(img), QRect(QPoint(x0, y), QPoint(x1 - 1, y))) << s;

        QImage noise = Noise(200, 200);
        const QImage before = noise.copy();
        {
            CDC dc(&noise);
            Zoom(dc, z.first, z.second);
            CPen white(PS_SOLID, 1, RGB(255, 255, 255));
            dc.SelectObject(&white);
            dc.SetROP2(R2_NOT);
            const POINT pts[4] = {{20, 30}, {90, 75}, {35, 110}, {21, 31}};
            dc.Polyline(pts, 4);
            dc.Ellipse(10, 20, 70, 80);
            EXPECT_FALSE(SameImage(noise, before)) << s;
            dc.Polyline(pts, 4);
            dc.Ellipse(10, 20, 70, 80);
            EXPECT_TRUE(SameImage(noise, before)) << s;
        }
        QImage marks = Black(200, 200);
        {
            CDC dc(&marks);
            Zoom(dc, z.first, z.second);
            CPoint at(60, 60);
            dc.LPtoDP(&at);
            CDevicePixels pixels(&dc);
            dc.PatBlt(at.x - 3, at.y - 3, 7, 7, DSTINVERT);
        }
        const int m = int(std::lround(100 + s * 10));
        EXPECT_EQ(Painted(marks), QRect(m - 3, m - 3, 7, 7)) << s;
    }
}
