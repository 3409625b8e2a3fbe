#include "CliTestSupport.h"
#include "document/CMorvetDoc.h"
#include "platform/CDC.h"
#include "tests/support/CirclePixels.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// What the editor's view shows for a file it opened: black background, the
// object moved so its origin lies at the middle, white outlines and fills,
// then the red cross of 1-pixel lines.
QImage EditorPicture(const QString& path, QSize size, bool cross) {
    CMorvetDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(path)) << doc.LastError().toStdString();
    const int cx = size.width() / 2, cy = size.height() / 2;
    doc.m_shape.Transform(0, 0, cx, cy, 0.0, 1.0, 1.0);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    CDC dc(&image);
    doc.m_shape.Draw(&dc);
    if (cross) {
        CPen red(PS_SOLID, 1, RGB(255, 0, 0));
        CPen* old = dc.SelectObject(&red);
        dc.MoveTo(cx - 6, cy - 6);
        dc.LineTo(cx + 6, cy + 6);
        dc.MoveTo(cx + 6, cy - 6);
        dc.LineTo(cx - 6, cy + 6);
        dc.SelectObject(old);
    }
    return image;
}

int DifferentPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += (a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF);
    return n;
}
} // namespace

TEST(Render, PngMatchesTheEditorsPicturePixelForPixel) {
    QTemporaryDir dir;
    const QString out = dir.filePath("p.png");
    const struct {
        const char* file;
        QStringList options;
        QSize size;
        bool cross;
    } cases[] = {
        {"all-types.vrk", {}, {640, 480}, false},
        {"all-types.vrk", {"--cross", "--size", "101x77"}, {101, 77}, true},
        {"filled-circle.vrk", {"--size", "40x30", "--cross"}, {40, 30}, true},
        {"empty.vrk", {"--cross"}, {640, 480}, true},
        {"no-points.vrk", {"--size", "64x64"}, {64, 64}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + (" " + c.options.join(' ')).toStdString());
        const QString in = QDir(MORVET_CORPUS).filePath(c.file);
        QFile::remove(out);
        const ToolRun run = RunTool(QStringList{"render", in, out} + c.options);
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage got(out);
        ASSERT_EQ(got.size(), c.size);
        const QImage want = EditorPicture(in, c.size, c.cross);
        EXPECT_EQ(DifferentPixels(got, want), 0);
    }
}

TEST(Render, CrossIsRedAtTheCentreOnlyWhenAsked) {
    QTemporaryDir dir;
    const QString in = QDir(MORVET_CORPUS).filePath("empty.vrk");
    const QString with = dir.filePath("with.png"), without = dir.filePath("without.png");
    ASSERT_EQ(RunTool({"render", in, with, "--size", "21x21", "--cross"}).status, 0);
    ASSERT_EQ(RunTool({"render", in, without, "--size", "21x21"}).status, 0);
    const QImage a(with), b(without);
    EXPECT_EQ(a.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(a.pixel(4, 4) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(a.pixel(16, 4) & 0xFFFFFF, 0xFF0000u);
    // Two diagonals of 12 pixels (LineTo leaves out its end point) that share the centre.
    EXPECT_EQ(DifferentPixels(a, b), 23);
    EXPECT_EQ(b.pixel(10, 10) & 0xFFFFFF, 0u);
}

TEST(Render, SvgDrawsTheSameFigures) {
    QTemporaryDir dir;
    const QString out = dir.filePath("p.svg");
    const QString in = QDir(MORVET_CORPUS).filePath("all-types.vrk");
    const ToolRun run = RunTool({"render", in, out, "--size", "200x100"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QSvgRenderer svg(out);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 200, 100));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    // Centre (100, 50): the green square fills (100..120, 50..70), the red
    // filled circle sits around (95, 45), the canvas elsewhere is black.
    EXPECT_EQ(image.pixel(110, 60) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(95, 45) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0u);
}

TEST(Render, LargeAndNegativeCirclesFollowTheirClosedFormAsInTheEditor) {
    QTemporaryDir dir;
    const QString in = dir.filePath("c.vrk"), out = dir.filePath("c.png");
    const int64_t radii[] = {65536, 65537, 1000000, 2147483647};
    int sign = 1;
    for (const int64_t r : radii)
        for (const bool filled : {false, true}) {
            sign = -sign;
            SCOPED_TRACE(testing::Message() << "radius " << sign * r << (filled ? " filled" : ""));
            // The middle of 400 x 300 is (200, 150): the right edge crosses at x = 260.
            const int32_t radius = int32_t(sign * r);
            WriteAll(in, VrkHeader(1) + VrkRecord(filled ? 3 : 2, 0xFF0000,
                                                  {{int(60 - r), 0}, {radius, radius}}));
            QFile::remove(out);
            const ToolRun run = RunTool({"render", in, out, "--size", "400x300"});
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            const QImage got(out);
            EXPECT_EQ(morvet_test::CircleMismatch(got, 260 - r, 150, r, filled, 0x0000FF), "");
            EXPECT_EQ(DifferentPixels(got, EditorPicture(in, QSize(400, 300), false)), 0);
        }
}
