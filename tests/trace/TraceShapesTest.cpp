// Tracing pictures drawn here: areas, vertex counts and simple polygons.
#include "geometry/PolygonRing.h"
#include "physics/Box2DCheck.h"
#include "trace/ImageTracer.h"
#include "trace/TraceToShape.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {
QImage Picture(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    draw(p);
    return image;
}

double Area(const Ring& ring) {
    return std::fabs(double(geometry::TwiceSignedArea(ring))) / 2;
}

// Area inside the outlines and outside the holes.
double NetArea(const TraceResult& r) {
    double a = 0;
    for (const Ring& o : r.outlines)
        a += Area(o);
    for (const Ring& h : r.holes)
        a -= Area(h);
    return a;
}

double DarkPixels(const QImage& image) {
    double n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    return n;
}

// Every outline and every hole (without its closing point) is simple.
void ExpectAllSimple(const TraceResult& r) {
    EXPECT_EQ(r.dropped, 0);
    for (const Ring& o : r.outlines)
        EXPECT_TRUE(IsSimplePolygon(o)) << "outline of " << o.size() << " vertices";
    for (const Ring& h : r.holes) {
        ASSERT_GE(h.size(), 4u);
        EXPECT_TRUE(h.front().x == h.back().x && h.front().y == h.back().y);
        EXPECT_TRUE(IsSimplePolygon(Ring(h.begin(), h.end() - 1)))
            << "hole of " << h.size() << " vertices";
    }
}

// Which pixels of a w x h picture the rings enclose, traced at scale 1
// about the picture's middle (w and h even), so every edge runs along
// pixels' edges: a crossing count by rows.
std::vector<char> Inside(const std::vector<Ring>& rings, int w, int h, bool closed) {
    std::vector<char> toggles(size_t(w + 1) * h, 0);
    for (const Ring& ring : rings) {
        const size_t n = ring.size() - (closed ? 1 : 0);
        for (size_t i = 0; i < n; ++i) {
            const POINT& a = ring[i];
            const POINT& b = ring[(i + 1) % n];
            EXPECT_TRUE(a.x == b.x || a.y == b.y);
            if (a.x != b.x)
                continue;
            for (int y = std::min(a.y, b.y); y < std::max(a.y, b.y); ++y)
                toggles[size_t(y + h / 2) * (w + 1) + size_t(a.x + w / 2)] ^= 1;
        }
    }
    std::vector<char> inside(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        char parity = 0;
        for (int x = 0; x < w; ++x)
            inside[size_t(y) * w + x] = parity ^= toggles[size_t(y) * (w + 1) + x];
    }
    return inside;
}

struct Case {
    const char* name;
    std::function<void(QPainter&)> draw;
    double area; // of the drawn shape, holes excluded
    size_t outlines, holes, maxVertices;
};
} // namespace

TEST(TraceShapes, AreasVertexCountsAndSimplePolygons) {
    const double pi = std::acos(-1.0);
    const QPolygon lShape({{50, 50}, {130, 50}, {130, 250}, {330, 250}, {330, 330}, {50, 330}});
    const std::vector<Case> cases = {
        {"disc", [](QPainter& p) { p.drawEllipse(QPointF(200, 200), 120, 120); }, pi * 120 * 120, 1,
         0, 60},
        {"rectangle", [](QPainter& p) { p.drawRect(40, 60, 300, 200); }, 300.0 * 200, 1, 0, 4},
        {"L", [&](QPainter& p) { p.drawPolygon(lShape); }, 80.0 * 280 + 200.0 * 80, 1, 0, 6},
        {"ring",
         [](QPainter& p) {
             QPainterPath path;
             path.addEllipse(QPointF(200, 200), 150, 150);
             path.addEllipse(QPointF(200, 200), 80, 80);
             p.drawPath(path);
         },
         pi * (150 * 150 - 80 * 80), 1, 1, 120},
        {"two blobs",
         [](QPainter& p) {
             p.drawEllipse(QPointF(110, 200), 90, 70);
             p.drawRect(230, 40, 140, 320);
         },
         pi * 90 * 70 + 140.0 * 320, 2, 0, 70},
        {"specks below the minimum area",
         [](QPainter& p) {
             p.drawRect(100, 100, 200, 200);
             QRandomGenerator rng(7);
             for (int i = 0; i < 60; ++i) // 3 x 3 pixels, 9 square units each
                 p.drawRect(QRect(rng.bounded(0, 90), rng.bounded(0, 390), 3, 3));
         },
         200.0 * 200, 1, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = Picture(400, 400, c.draw);
        TraceOptions options;
        options.minArea = 50;
        ASSERT_TRUE(CheckTraceOptions(image, options).isEmpty());
        const TraceResult r = TraceImage(image, options);
        EXPECT_EQ(r.outlines.size(), c.outlines);
        EXPECT_EQ(r.holes.size(), c.holes);
        EXPECT_NEAR(NetArea(r), c.area, 0.01 * c.area);
        EXPECT_LE(size_t(r.VertexCount()), c.maxVertices);
        EXPECT_GE(size_t(r.VertexCount()), 4 * c.outlines);
        ExpectAllSimple(r);
        for (const Ring& h : r.holes)
            EXPECT_TRUE(h.size() >= 4 && h.front().x == h.back().x && h.front().y == h.back().y);

        // A greyscale picture is read as it is, to the same outlines.
        const TraceResult grey =
            TraceImage(image.convertToFormat(QImage::Format_Grayscale8), options);
        ASSERT_EQ(grey.outlines.size(), r.outlines.size());
        for (size_t i = 0; i < r.outlines.size(); ++i)
            EXPECT_TRUE(std::equal(
                r.outlines[i].begin(), r.outlines[i].end(), grey.outlines[i].begin(),
                grey.outlines[i].end(),
                [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }));

        // At tolerance 0 the outlines run exactly along the pixels' edges.
        options.tolerance = 0;
        EXPECT_DOUBLE_EQ(NetArea(TraceImage(image, options)),
                         DarkPixels(image) - (c.name[0] == 's' ? 60 * 9 : 0));
    }
}

TEST(TraceShapes, ThinTailsAndTouchingCornersGiveSimplePolygons) {
    // One-pixel tails in every direction, diagonal pixel chains and squares
    // that touch only at a corner: the traced outline walks out and back
    // along them and touches itself.
    const QImage image = Picture(300, 300, [](QPainter& p) {
        p.drawRect(100, 100, 100, 100);
        p.drawRect(200, 150, 80, 1);
        p.drawRect(150, 20, 1, 80);
        p.drawRect(10, 120, 90, 2);
        for (int i = 0; i < 60; ++i) // a diagonal one-pixel chain
            p.drawRect(200 + i, 200 + i, 1, 1);
        p.drawRect(40, 200, 30, 30); // touches the next one at a corner
        p.drawRect(70, 230, 30, 30);
    });
    const double drawn = DarkPixels(image);
    for (const double scale : {1.0, 2.0, 0.5}) {
        for (const double tolerance : {0.0, 1.0, 2.0, 4.0}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << " tolerance " << tolerance);
            TraceOptions options;
            options.scale = scale;
            options.tolerance = tolerance;
            const TraceResult r = TraceImage(image, options);
            ExpectAllSimple(r);
            // Tails are thinner than the tolerance may simplify away, so only
            // the exact trace is held to the pixel count.
            if (tolerance == 0 && scale >= 1)
                EXPECT_DOUBLE_EQ(NetArea(r), drawn * scale * scale);
            else
                EXPECT_NEAR(NetArea(r), drawn * scale * scale, 0.05 * drawn * scale * scale);
        }
    }
}

TEST(TraceShapes, RandomPicturesAlwaysGiveSimplePolygons) {
    QRandomGenerator rng(20261209);
    for (int n = 0; n < 200; ++n) {
        const QImage image = Picture(220, 200, [&](QPainter& p) {
            for (int k = 0; k < 25; ++k) {
                const int x = rng.bounded(-20, 220), y = rng.bounded(-20, 200);
                switch (rng.bounded(3)) {
                case 0:
                    p.drawEllipse(x, y, rng.bounded(1, 60), rng.bounded(1, 60));
                    break;
                case 1:
                    p.drawRect(x, y, rng.bounded(1, 50), rng.bounded(1, 50));
                    break;
                default:
                    p.setPen(rng.bounded(2) ? Qt::black : Qt::white);
                    p.drawLine(x, y, rng.bounded(0, 220), rng.bounded(0, 200));
                    p.setPen(Qt::NoPen);
                }
            }
            p.setBrush(Qt::white); // holes and bites
            for (int k = 0; k < 8; ++k)
                p.drawEllipse(rng.bounded(0, 220), rng.bounded(0, 200), rng.bounded(1, 30),
                              rng.bounded(1, 30));
        });
        TraceOptions options;
        options.tolerance = rng.bounded(4) * 0.75;
        const double scales[] = {0.2, 0.5, 0.75, 1, 1.5, 2.5, 4};
        options.scale = scales[rng.bounded(7)];
        options.centerX = rng.bounded(-500, 500);
        options.centerY = rng.bounded(-500, 500);
        SCOPED_TRACE(testing::Message() << "picture " << n << " tolerance " << options.tolerance
                                        << " scale " << options.scale);
        const TraceResult r = TraceImage(image, options);
        ExpectAllSimple(r);
        const double left = options.centerX - 110 * options.scale - options.tolerance - 1;
        const double right = options.centerX + 110 * options.scale + options.tolerance + 1;
        for (const Ring& o : r.outlines)
            for (const POINT& pt : o)
                ASSERT_TRUE(pt.x >= left && pt.x <= right);
    }
}

TEST(TraceShapes, NoiseTracesExactlyAlongThePixelsInSimplePieces) {
    // Random pixels touch at corners everywhere. At tolerance 0 every shape
    // pixel lies in exactly one outline, every background pixel inside an
    // outline lies in one of its holes, and every piece is simple.
    QRandomGenerator rng(1209);
    const int w = 36, h = 28;
    for (int n = 0; n < 300; ++n) {
        const int percent = rng.bounded(10, 90);
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                image.setPixel(x, y, rng.bounded(100) < percent ? 0xFF000000 : 0xFFFFFFFF);
        TraceOptions options;
        options.tolerance = 0;
        const TraceResult r = TraceImage(image, options);
        SCOPED_TRACE(testing::Message() << "picture " << n << ", " << percent << " % dark");
        ExpectAllSimple(r);
        const std::vector<char> outline = Inside(r.outlines, w, h, false);
        const std::vector<char> hole = Inside(r.holes, w, h, true);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t k = size_t(y) * w + x;
                const bool shape = qGray(image.pixel(x, y)) < 128;
                wrong += (shape && !outline[k]) || (hole[k] && !outline[k]) ||
                         (!shape && outline[k] && !hole[k]);
            }
        ASSERT_EQ(wrong, 0);
    }
}

TEST(TraceShapes, TracedObjectsPassThePhysicsCheck) {
    // What tracing calls simple, the physics model must take as it is: every
    // outline a valid filled polygon and every hole a wall, at every scale and
    // tolerance, on noise whose pixels touch at corners and on drawn shapes.
    QRandomGenerator rng(91220);
    for (int n = 0; n < 120; ++n) {
        const bool noise = n % 2 == 0;
        const int w = noise ? 36 : 160, h = noise ? 28 : 120;
        const int percent = rng.bounded(10, 90);
        QImage image = Picture(w, h, [&](QPainter& p) {
            for (int k = 0; k < (noise ? 0 : 20); ++k) {
                p.setBrush(k % 4 == 3 ? Qt::white : Qt::black);
                p.drawEllipse(rng.bounded(-20, w), rng.bounded(-20, h), rng.bounded(1, 50),
                              rng.bounded(1, 50));
            }
        });
        if (noise)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    image.setPixel(x, y, rng.bounded(100) < percent ? 0xFF000000 : 0xFFFFFFFF);
        TraceOptions options;
        options.tolerance = rng.bounded(4) * 0.75;
        const double scales[] = {0.2, 0.5, 1, 2.5, 7};
        options.scale = scales[rng.bounded(5)];
        options.centerX = rng.bounded(-500, 500);
        options.centerY = rng.bounded(-500, 500);
        SCOPED_TRACE(testing::Message() << "picture " << n << " tolerance " << options.tolerance
                                        << " scale " << options.scale);
        const TraceResult r = TraceImage(image, options);
        ASSERT_EQ(r.dropped, 0);
        if (r.outlines.empty())
            continue;
        CShape shape;
        AppendTraceToShape(r, RGB(0, 0, 0), true, shape);
        const Box2DCheck check = CheckForBox2D(shape, kDefaultUnitsPerMetre);
        ASSERT_TRUE(check.Passed()) << check.errors.join('\n').toStdString();
        for (const PhysicsProblem& problem : check.model.problems)
            ASSERT_NE(problem.severity, PhysicsProblem::Error) << problem.message.toStdString();
    }
}

TEST(TraceShapes, IslandsInHolesAndPiecesBelowTheMinimumAreaAreLeftOut) {
    // A 36 x 36 square with a 24 x 24 hole that holds a 10 x 10 island: the
    // square's filled polygon covers the island already.
    const QImage framed = Picture(40, 40, [](QPainter& p) {
        p.fillRect(2, 2, 36, 36, Qt::black);
        p.fillRect(8, 8, 24, 24, Qt::white);
        p.fillRect(15, 15, 10, 10, Qt::black);
    });
    for (const double tolerance : {0.0, 1.0}) {
        TraceOptions o;
        o.tolerance = tolerance;
        const TraceResult r = TraceImage(framed, o);
        ASSERT_EQ(r.outlines.size(), 1u);
        EXPECT_EQ(Area(r.outlines[0]), 36.0 * 36);
        ASSERT_EQ(r.holes.size(), 1u);
        EXPECT_EQ(Area(r.holes[0]), 24.0 * 24);
    }

    // A one-pixel diagonal line is one shape, touching itself at every
    // corner; its pieces are what the minimum area is measured on.
    const QImage line = Picture(60, 60, [](QPainter& p) {
        for (int i = 0; i < 50; ++i)
            p.fillRect(5 + i, 5 + i, 1, 1, Qt::black);
    });
    TraceOptions o;
    o.tolerance = 0;
    EXPECT_EQ(TraceImage(line, o).outlines.size(), 50u);
    o.minArea = 20;
    const TraceResult none = TraceImage(line, o);
    EXPECT_TRUE(none.outlines.empty());
    EXPECT_TRUE(TraceProblem(none).startsWith("Nothing to trace"));
    o.scale = 5; // 25 square units a pixel
    const TraceResult large = TraceImage(line, o);
    EXPECT_EQ(large.outlines.size(), 50u);
    for (const Ring& piece : large.outlines)
        EXPECT_EQ(Area(piece), 25.0);
    // Simplified, the line is one thin polygon; whatever is emitted is at
    // least the minimum area.
    o.scale = 1;
    o.tolerance = 1;
    for (const Ring& piece : TraceImage(line, o).outlines)
        EXPECT_GE(Area(piece), 20.0);
}

TEST(TraceShapes, MoreToleranceNeverGivesMoreVertices) {
    const double pi = std::acos(-1.0);
    const QImage star = Picture(400, 400, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        QPolygonF points;
        for (int k = 0; k < 10; ++k)
            points << QPointF(200 + (k % 2 ? 70 : 180) * std::sin(k * pi / 5),
                              200 - (k % 2 ? 70 : 180) * std::cos(k * pi / 5));
        p.drawPolygon(points);
    });
    // A scatter plot: axes, and dots of a few pixels.
    const QImage dots = Picture(600, 450, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillRect(30, 20, 2, 400, Qt::black);
        p.fillRect(30, 420, 560, 2, Qt::black);
        QRandomGenerator rng(5);
        for (int i = 0; i < 200; ++i)
            p.drawEllipse(QPointF(rng.bounded(40, 590), rng.bounded(20, 410)),
                          rng.bounded(15, 50) / 10.0, rng.bounded(15, 50) / 10.0);
    });
    for (const QImage* image : {&star, &dots}) {
        for (const double scale : {1.0, 1.5, 2.0, 4.0}) {
            int previous = INT_MAX;
            size_t outlines = 0;
            for (const double tolerance : {0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0, 1000.0}) {
                SCOPED_TRACE(testing::Message() << (image == &star ? "star" : "dots") << " scale "
                                                << scale << " tolerance " << tolerance);
                TraceOptions o;
                o.scale = scale;
                o.tolerance = tolerance;
                const TraceResult r = TraceImage(*image, o);
                ExpectAllSimple(r);
                EXPECT_LE(r.VertexCount(), previous);
                previous = r.VertexCount();
                // Coarse or fine, every dot stays a polygon.
                if (outlines == 0)
                    outlines = r.outlines.size();
                EXPECT_EQ(r.outlines.size(), outlines);
            }
        }
    }
}

TEST(TraceShapes, PicturesOfTooManyOutlinesAreRefused) {
    // A one-pixel checkerboard: one shape (its pixels touch at corners) with
    // a hole for every light pixel inside it.
    const int side = 460;
    QImage board(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            board.setPixel(x, y, (x + y) % 2 ? 0xFF000000 : 0xFFFFFFFF);
    TraceOptions o;
    const TraceResult refused = TraceImage(board, o);
    EXPECT_GT(refused.tooMany, kMaxTraceOutlines);
    EXPECT_TRUE(refused.outlines.empty());
    EXPECT_TRUE(TraceProblem(refused).contains(QString::number(kMaxTraceOutlines)));
    o.minArea = 2; // the one-pixel holes are left out
    const TraceResult traced = TraceImage(board, o);
    EXPECT_EQ(traced.tooMany, 0);
    EXPECT_EQ(traced.outlines.size(), 1u);
    EXPECT_TRUE(traced.holes.empty());
}

TEST(TraceShapes, ChannelsThresholdAndInvert) {
    // A grey square on a transparent background, inside a black frame.
    QImage image(240, 240, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.fillRect(20, 20, 200, 200, QColor(0, 0, 0));
        p.fillRect(60, 60, 120, 120, QColor(200, 200, 200));
    }
    EXPECT_EQ(DefaultTraceChannel(image), TraceChannel::Alpha);
    EXPECT_EQ(DefaultTraceChannel(image.convertToFormat(QImage::Format_RGB32)),
              TraceChannel::Luminance);
    QImage opaque(50, 50, QImage::Format_ARGB32);
    opaque.fill(Qt::black);
    EXPECT_EQ(DefaultTraceChannel(opaque), TraceChannel::Luminance);

    TraceOptions o;
    o.channel = TraceChannel::Alpha;
    TraceResult r = TraceImage(image, o); // everything opaque: the frame and the square
    ASSERT_EQ(r.outlines.size(), 1u);
    EXPECT_EQ(Area(r.outlines[0]), 200.0 * 200);
    EXPECT_TRUE(r.holes.empty());

    o.channel = TraceChannel::Luminance; // dark only: the frame, with the grey square a hole
    r = TraceImage(image, o);
    EXPECT_EQ(NetArea(r), 200.0 * 200 - 120 * 120);
    EXPECT_EQ(r.holes.size(), 1u);

    // Light only: the transparent margin seen as white, whose filled outline
    // already covers the grey square inside its hole.
    o.invert = true;
    r = TraceImage(image, o);
    ASSERT_EQ(r.outlines.size(), 1u);
    EXPECT_EQ(Area(r.outlines[0]), 240.0 * 240);
    EXPECT_EQ(r.holes.size(), 1u);

    o.invert = false;
    o.threshold = 201; // now the grey counts as dark as well
    EXPECT_EQ(NetArea(TraceImage(image, o)), 200.0 * 200);
    o.threshold = 0; // nothing is darker than 0
    EXPECT_TRUE(TraceImage(image, o).outlines.empty());
}

TEST(TraceShapes, OptionsOutOfRangeAreRefused) {
    const QImage image = Picture(200, 200, [](QPainter& p) { p.drawRect(10, 10, 50, 50); });
    const auto refused = [&](const std::function<void(TraceOptions&)>& change) {
        TraceOptions o;
        change(o);
        return !CheckTraceOptions(image, o).isEmpty();
    };
    EXPECT_FALSE(refused([](TraceOptions&) {}));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.scale = 0; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.scale = std::nan(""); }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.scale = 2e7; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.scale = 1e-30; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.tolerance = 5e29; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.minArea = 1e10; }));
    EXPECT_FALSE(refused([](TraceOptions& o) {
        o.scale = kMaxTraceScale / 2; // 200 x 500 units: within reach
        o.tolerance = kMaxTraceTolerance;
        o.minArea = kMaxTraceMinArea;
    }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.tolerance = -1; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.minArea = -1; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.threshold = 256; }));
    EXPECT_TRUE(refused([](TraceOptions& o) { o.centerX = 2e9; }));
    EXPECT_TRUE(CheckTraceOptions(QImage(), TraceOptions()).size() > 0);
}
