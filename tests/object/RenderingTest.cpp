// CShape::Draw through CDC on a QImage, checked pixel by pixel.
#include "ObjectTestSupport.h"
#include "platform/CDC.h"

#include <gtest/gtest.h>

#include <QImage>

using namespace morvet_test;

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Canvas(int w = 200, int h = 200) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

QImage Render(const CShape& s, int w = 200, int h = 200) {
    QImage img = Canvas(w, h);
    CDC dc(&img);
    EXPECT_TRUE(s.Draw(&dc));
    return img;
}

// COLORREF 0x00BBGGRR as the pixel Qt stores.
QRgb Pixel(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

int CountNotBlack(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) != kBlack;
    return n;
}

const COLORREF kBlue = 0x00FF0000; // BB = FF
const COLORREF kRed = 0x000000FF;  // RR = FF
const COLORREF kGreen = RGB(0, 255, 0);

} // namespace

TEST(Rendering, EmptyObjectDrawsNothingAndSucceeds) {
    const CShape s;
    EXPECT_EQ(CountNotBlack(Render(s)), 0);
}

TEST(Rendering, PolylineIsWhiteWhateverItsColour) {
    CShape s;
    Append(s, PRIM_POLYLINE, kRed, {{10, 100}, {60, 100}, {60, 150}});
    const QImage img = Render(s);
    for (int x = 11; x < 59; ++x) {
        EXPECT_EQ(img.pixel(x, 100), kWhite) << x;
        EXPECT_EQ(img.pixel(x, 99), kBlack) << "outline is one unit wide, x " << x;
        EXPECT_EQ(img.pixel(x, 101), kBlack) << "outline is one unit wide, x " << x;
    }
    for (int y = 101; y < 149; ++y) {
        EXPECT_EQ(img.pixel(60, y), kWhite) << y;
        EXPECT_EQ(img.pixel(61, y), kBlack) << y;
    }
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_TRUE(img.pixel(x, y) == kBlack || img.pixel(x, y) == kWhite);
}

TEST(Rendering, PolygonIsFilledInItsColourWithWhiteOutline) {
    CShape s;
    Append(s, PRIM_POLYGON, kBlue, {{10, 10}, {50, 10}, {50, 50}, {10, 50}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(30, 30), Pixel(kBlue));
    EXPECT_EQ(img.pixel(30, 30), qRgb(0, 0, 255)) << "COLORREF is 0x00BBGGRR";
    EXPECT_EQ(img.pixel(11, 30), Pixel(kBlue));
    EXPECT_EQ(img.pixel(10, 30), kWhite);
    EXPECT_EQ(img.pixel(50, 30), kWhite);
    EXPECT_EQ(img.pixel(30, 10), kWhite);
    EXPECT_EQ(img.pixel(30, 50), kWhite);
    EXPECT_EQ(img.pixel(9, 30), kBlack);
    EXPECT_EQ(img.pixel(51, 30), kBlack);
    EXPECT_EQ(img.pixel(30, 9), kBlack);
    EXPECT_EQ(img.pixel(30, 51), kBlack);
}

TEST(Rendering, RedPolygonIsRedArea) {
    CShape s;
    Append(s, PRIM_POLYGON, kRed, {{20, 20}, {80, 20}, {50, 80}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(50, 40), qRgb(255, 0, 0));
}

TEST(Rendering, FilledCircleFillsBoxWithRightAndBottomExcluded) {
    CShape s;
    Append(s, PRIM_FILLED_CIRCLE, kGreen, {{100, 100}, {20, 20}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(100, 100), Pixel(kGreen));
    EXPECT_EQ(img.pixel(90, 95), Pixel(kGreen));
    // Box (80, 80, 120, 120): the outline runs through its outermost pixels,
    // the right and bottom edges excluded.
    EXPECT_EQ(img.pixel(80, 100), kWhite);
    EXPECT_EQ(img.pixel(119, 100), kWhite);
    EXPECT_EQ(img.pixel(100, 80), kWhite);
    EXPECT_EQ(img.pixel(100, 119), kWhite);
    EXPECT_EQ(img.pixel(79, 100), kBlack);
    EXPECT_EQ(img.pixel(120, 100), kBlack);
    EXPECT_EQ(img.pixel(100, 79), kBlack);
    EXPECT_EQ(img.pixel(100, 120), kBlack);
    // The corners of the box are outside the circle.
    EXPECT_EQ(img.pixel(81, 81), kBlack);
    EXPECT_EQ(img.pixel(118, 118), kBlack);
}

TEST(Rendering, CircleIsOutlineOnly) {
    CShape s;
    Append(s, PRIM_CIRCLE, kRed, {{100, 100}, {20, 20}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(100, 100), kBlack);
    EXPECT_EQ(img.pixel(80, 100), kWhite);
    EXPECT_EQ(img.pixel(119, 100), kWhite);
    EXPECT_EQ(img.pixel(81, 100), kBlack) << "outline one unit wide";
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_TRUE(img.pixel(x, y) == kBlack || img.pixel(x, y) == kWhite);
}

TEST(Rendering, CircleRadiusIsTheXOfTheSecondPoint) {
    CShape s;
    Append(s, PRIM_FILLED_CIRCLE, kRed, {{100, 100}, {10, 50}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(100, 89), kBlack);
    EXPECT_EQ(img.pixel(100, 60), kBlack);
    EXPECT_EQ(img.pixel(100, 90), kWhite);
}

TEST(Rendering, LaterElementsPaintOverEarlierOnes) {
    CShape s;
    Append(s, PRIM_POLYGON, kBlue, {{20, 20}, {120, 20}, {120, 120}, {20, 120}});
    Append(s, PRIM_FILLED_CIRCLE, kRed, {{120, 120}, {30, 30}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(110, 110), Pixel(kRed)) << "the circle is on top";
    EXPECT_EQ(img.pixel(60, 60), Pixel(kBlue));
    s.MoveElementForward(0);
    const QImage swapped = Render(s);
    EXPECT_EQ(swapped.pixel(110, 110), Pixel(kBlue)) << "now the polygon is on top";
    EXPECT_EQ(swapped.pixel(140, 140), Pixel(kRed));
}

TEST(Rendering, OnePointPolylineDrawsNothing) {
    CShape s;
    Append(s, PRIM_POLYLINE, kRed, {{50, 50}});
    EXPECT_EQ(CountNotBlack(Render(s)), 0);
}

TEST(Rendering, PathsWithoutPointsDrawNothing) {
    CShape s;
    s.AppendElement(PRIM_POLYLINE, kRed, 0, nullptr);
    s.AppendElement(PRIM_POLYGON, kRed, 0, nullptr);
    EXPECT_EQ(CountNotBlack(Render(s)), 0);
}

TEST(Rendering, UnknownTypesAreSkippedAndLaterElementsStillDrawn) {
    CShape s;
    Append(s, 4, kRed, {{10, 10}, {90, 10}, {90, 90}, {10, 90}});
    Append(s, -1, kRed, {{50, 50}, {30, 30}});
    Append(s, PRIM_POLYGON, kGreen, {{100, 100}, {150, 100}, {150, 150}});
    const QImage img = Render(s);
    EXPECT_EQ(img.pixel(50, 50), kBlack);
    EXPECT_EQ(img.pixel(10, 50), kBlack);
    EXPECT_EQ(img.pixel(140, 120), Pixel(kGreen));
}

TEST(Rendering, DrawRestoresTheSelectedPenAndBrush) {
    CShape s;
    Append(s, PRIM_POLYGON, kBlue, {{10, 10}, {50, 10}, {50, 50}});
    Append(s, PRIM_CIRCLE, kBlue, {{100, 100}, {5, 5}});
    QImage img = Canvas();
    CDC dc(&img);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kGreen);
    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    const int rop = dc.GetROP2();
    const int fill = dc.GetPolyFillMode();
    EXPECT_TRUE(s.Draw(&dc));
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), &pen);
    EXPECT_EQ(dc.SelectObject(static_cast<CBrush*>(nullptr)), &brush);
    EXPECT_EQ(dc.GetROP2(), rop);
    EXPECT_EQ(dc.GetPolyFillMode(), fill);
}

TEST(Rendering, DrawHonoursTheMapping) {
    // The view draws with a viewport origin; Draw uses whatever mapping it finds.
    CShape s;
    Append(s, PRIM_POLYGON, kBlue, {{0, 0}, {20, 0}, {20, 20}, {0, 20}});
    QImage img = Canvas();
    CDC dc(&img);
    dc.SetViewportOrg(100, 100);
    EXPECT_TRUE(s.Draw(&dc));
    EXPECT_EQ(img.pixel(110, 110), Pixel(kBlue));
    EXPECT_EQ(img.pixel(10, 10), kBlack);
}

// With a clip box, an element reaching the end of the coordinate range is
// still drawn where it crosses the box: growing its rectangle by the outline's
// unit must not wrap around.
TEST(Rendering, ClippedDrawKeepsElementsThatReachTheEndOfTheRange) {
    CShape s;
    s.AppendElement(PRIM_POLYLINE, 0, 2, new POINT[2]{{10, 10}, {INT32_MAX, 10}});
    s.AppendElement(PRIM_POLYLINE, 0, 2, new POINT[2]{{INT32_MIN, 30}, {50, 30}});
    QImage img = Canvas(60, 60);
    CDC dc(&img);
    const CRect clip(0, 0, 60, 60);
    EXPECT_TRUE(s.Draw(&dc, &clip));
    EXPECT_EQ(img.pixel(40, 10), kWhite);
    EXPECT_EQ(img.pixel(20, 30), kWhite);
}
