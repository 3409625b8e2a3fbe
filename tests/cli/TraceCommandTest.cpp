#include "CliTestSupport.h"
#include "cli/VrkFile.h"
#include "tests/support/ElementArea.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {
// A 400 x 300 picture: a disc of radius 60 left of the middle and a ring
// (radii 70 and 40) right of it, black on white.
QString DrawPicture(const QTemporaryDir& dir) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(100, 150), 60, 60);
    QPainterPath ring;
    ring.addEllipse(QPointF(290, 150), 70, 70);
    ring.addEllipse(QPointF(290, 150), 40, 40);
    p.drawPath(ring);
    p.end();
    const QString path = dir.filePath("picture.png");
    image.save(path);
    return path;
}

using morvet_test::ElementArea;
} // namespace

TEST(TraceCommand, WritesOnePolygonPerOutlineAroundTheCenterOfMass) {
    QTemporaryDir dir;
    const QString picture = DrawPicture(dir);
    const double pi = std::acos(-1.0);
    for (const double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        const QString out = dir.filePath("out.vrk");
        const ToolRun run = RunTool({"trace", picture, out, "--scale", QString::number(scale),
                                     "--tolerance", "1", "--holes"});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith("2 polygons")) << run.out.toStdString();
        VrkFile file;
        std::string error;
        ASSERT_TRUE(LoadVrk(out, file, error)) << error;
        ASSERT_EQ(file.shape.GetSize(), 3); // two polygons, then the ring's hole as a wall
        const CPrimitive* disc = file.shape.m_elements[0];
        const CPrimitive* ring = file.shape.m_elements[1];
        if (disc->m_pPoints[0].x > 0)
            std::swap(disc, ring);
        for (const CPrimitive* e : {disc, ring}) {
            EXPECT_EQ(e->m_nType, PRIM_POLYGON);
            EXPECT_EQ(e->m_crColor, 0xFFFFFFu);
        }
        const CPrimitive* hole = file.shape.m_elements[2];
        EXPECT_EQ(hole->m_nType, PRIM_POLYLINE);
        EXPECT_EQ(hole->m_pPoints[0].x, hole->m_pPoints[hole->m_nPoints - 1].x);
        const double s2 = scale * scale;
        EXPECT_NEAR(ElementArea(disc), pi * 60 * 60 * s2, 0.01 * pi * 60 * 60 * s2);
        EXPECT_NEAR(ElementArea(ring) - ElementArea(hole), pi * (70 * 70 - 40 * 40) * s2,
                    0.01 * pi * (70 * 70 - 40 * 40) * s2);
        // The picture's middle (200, 150) is the center of mass, y downwards.
        CRect box;
        file.shape.GetElementRect(file.shape.IndexOf(disc), &box);
        EXPECT_NEAR(box.left, (40 - 200) * scale, 1 + scale);
        EXPECT_NEAR(box.right, (160 - 200) * scale, 1 + scale);
        EXPECT_NEAR(box.top, (90 - 150) * scale, 1 + scale);
        EXPECT_NEAR(box.bottom, (210 - 150) * scale, 1 + scale);
        EXPECT_EQ(RunTool({"check", out}).status, 0);
    }
}

TEST(TraceCommand, NothingToTraceOrUnreadablePictureWritesNoFile) {
    QTemporaryDir dir;
    const QString picture = DrawPicture(dir);
    QImage blank(300, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    blank.save(dir.filePath("blank.png"));
    WriteAll(dir.filePath("text.png"), "not a picture");
    QImage board(460, 460, QImage::Format_Grayscale8); // more outlines than a body can hold
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.scanLine(y)[x] = (x + y) % 2 ? 0 : 255;
    board.save(dir.filePath("board.png"));
    WriteAll(dir.filePath("existing.vrk"), "keep me");
    const QList<QStringList> failing = {
        {"trace", dir.filePath("blank.png"), dir.filePath("a.vrk")},
        {"trace", picture, dir.filePath("a.vrk"), "--min-area", "1e6"},
        {"trace", picture, dir.filePath("a.vrk"), "--channel", "luminance", "--threshold", "0"},
        {"trace", dir.filePath("text.png"), dir.filePath("a.vrk")},
        {"trace", dir.filePath("missing.png"), dir.filePath("a.vrk")},
        {"trace", dir.filePath("blank.png"), dir.filePath("existing.vrk")},
        {"trace", dir.filePath("board.png"), dir.filePath("a.vrk")},
    };
    for (const QStringList& args : failing) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.startsWith(args[1] + ": ")) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("a.vrk")));
    }
    EXPECT_EQ(ReadAll(dir.filePath("existing.vrk")), "keep me");
    EXPECT_TRUE(RunTool({"trace", dir.filePath("board.png"), dir.filePath("a.vrk")})
                    .err.contains("more than 100000 outlines"));

    for (const QStringList& args :
         {QStringList{"trace", picture}, QStringList{"trace", picture, "a.vrk", "--scale", "0"},
          QStringList{"trace", picture, "a.vrk", "--threshold", "300"},
          QStringList{"trace", picture, "a.vrk", "--threshold", "1e300"},
          QStringList{"trace", picture, "a.vrk", "--threshold", "12.5"},
          QStringList{"trace", picture, "a.vrk", "--scale", "nan"},
          QStringList{"trace", picture, "a.vrk", "--tolerance", "-1"},
          QStringList{"trace", picture, "a.vrk", "--tolerance", "x"},
          QStringList{"trace", picture, "a.vrk", "--channel", "red"},
          QStringList{"trace", picture, "a.vrk", "--min-area"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        EXPECT_EQ(RunTool(args).status, 2);
    }
    // Values the tracer cannot work with are refused with their range.
    for (const QStringList& bad :
         {QStringList{"--tolerance", "5e29", "from 0 to 1000 units"},
          QStringList{"--scale", "1e-30", "from 0.001 to 1000 units per pixel"},
          QStringList{"--scale", "1e30", "from 0.001 to 1000 units per pixel"},
          QStringList{"--min-area", "1e10", "from 0 to 1000000000 square units"}}) {
        const ToolRun run = RunTool({"trace", picture, dir.filePath("a.vrk"), bad[0], bad[1]});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(bad[0] + " is " + bad[2])) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("a.vrk")));
    }
    EXPECT_TRUE(RunTool({"--help"}).out.contains("  trace"));
}

TEST(TraceCommand, SvgTextTracesWithoutADisplayAndWithoutNoise) {
    QTemporaryDir dir;
    const QString svg = dir.filePath("label.svg");
    WriteAll(svg, "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='120'>"
                  "<rect x='10' y='10' width='40' height='100'/>"
                  "<text x='70' y='100' font-size='90' font-weight='bold'>Mo</text></svg>");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(name);
    const ToolRun run = RunTool({"trace", svg, dir.filePath("label.vrk")}, env);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.contains(" polygons, ")) << run.out.toStdString();
}
