// Inputs the fuzzer found, kept so the faults stay mended. Under the
// sanitizer build an overflow here aborts the test.
#include "CliTestSupport.h"
#include "cli/VrkFile.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
VrkFile Parse(const QByteArray& bytes) {
    VrkFile file;
    std::string error;
    EXPECT_TRUE(ParseVrk(bytes, file, error)) << error;
    return file;
}
} // namespace

TEST(ReaderRegression, CircleBoxAtTheEdgeOfTheCoordinateRange) {
    // Centre near the lower end, radius INT32_MAX: centre minus radius used to overflow.
    const VrkFile f = Parse(VrkHeader(1) + VrkRecord(2, 0, {{-2147483000, 5}, {INT32_MAX, 0}}));
    CRect r;
    f.shape.GetElementRect(0, &r);
    EXPECT_EQ(r.left, INT32_MIN);
    EXPECT_EQ(r.top, 5 - INT32_MAX);
    EXPECT_EQ(r.right, 647);
    EXPECT_EQ(r.bottom, INT32_MAX);

    const VrkFile g = Parse(VrkHeader(1) + VrkRecord(3, 0, {{0, 0}, {INT32_MIN, 0}}));
    g.shape.GetElementRect(0, &r);
    EXPECT_EQ(r.left, INT32_MAX);
    EXPECT_EQ(r.right, INT32_MIN);
}

TEST(ReaderRegression, CentringAnObjectAtTheRangeEndsStopsThere) {
    // The view moves a freshly opened object to the middle of the window.
    VrkFile f = Parse(VrkHeader(2) + VrkRecord(0, 0, {{INT32_MAX - 5, INT32_MIN + 5}}) +
                      VrkRecord(2, 0, {{INT32_MAX, 0}, {7, 0}}));
    f.shape.Transform(0, 0, 400, -300, 0.0, 1.0, 1.0);
    EXPECT_EQ(f.shape.m_elements[0]->m_pPoints[0].x, INT32_MAX);
    EXPECT_EQ(f.shape.m_elements[0]->m_pPoints[0].y, INT32_MIN);
    EXPECT_EQ(f.shape.m_elements[1]->m_pPoints[0].x, INT32_MAX);
    EXPECT_EQ(f.shape.m_elements[1]->m_pPoints[1].x, 7);
    f.shape.Transform(0, 0, 0, 0, 0.0, 1e12, 1.0); // a radius scaled beyond the range
    EXPECT_EQ(f.shape.m_elements[1]->m_pPoints[1].x, INT32_MAX);
}

TEST(ReaderRegression, CirclesOfExtremeRadiusRenderWithoutFault) {
    QTemporaryDir dir;
    const QString png = dir.filePath("x.png");
    const QString in = QDir(MORVET_CORPUS).filePath("extreme-circle.vrk");
    const ToolRun corpus = RunTool({"render", in, png, "--size", "32x32"});
    EXPECT_EQ(corpus.status, 0) << corpus.err.toStdString();

    // A green disc half the coordinate range wide covers the canvas; the two
    // circles whose boxes exceed the range are left out rather than overflow.
    const QString big = dir.filePath("big.vrk");
    WriteAll(big, VrkHeader(3) + VrkRecord(3, 0x00FF00, {{0, 0}, {1073741823, 0}}) +
                      VrkRecord(2, 0, {{-5, 5}, {-2000000000, 0}}) +
                      VrkRecord(3, 0xFF, {{2147483000, -2147483000}, {INT32_MAX, 0}}));
    const ToolRun run = RunTool({"render", big, png, "--size", "32x32"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage image(png);
    EXPECT_EQ(image.pixel(16, 16) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
}
