// morvet-tool simulate as users run it: one JSON object per step, the same
// lines on every run, the floor's slope and drop as asked, errors refused.
#include "CliTestSupport.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

std::vector<json> Lines(const QString& out) {
    std::vector<json> lines;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts))
        lines.push_back(json::parse(line.toStdString()));
    return lines;
}

TEST(SimulateCommand, PrintsAStepPerLineTheSameOnEveryRunAndFollowsItsOptions) {
    QTemporaryDir dir;
    const QString box = dir.filePath("box.vrk"), sliding = dir.filePath("sliding.vrk");
    // A 40 x 20 filled box around the center of mass; the second may not rotate.
    const auto rect = VrkRecord(1, 0xFF, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}});
    WriteAll(box, VrkHeader(1) + rect);
    WriteAll(sliding, VrkHeader(1, 20.0, 0, 0) + rect);

    const ToolRun run = RunTool({"simulate", box});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const std::vector<json> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 300u); // 5 seconds of 1/60 s
    for (size_t i = 0; i < lines.size(); ++i) {
        const json& l = lines[i];
        ASSERT_EQ(l.size(), 5u) << l.dump();
        EXPECT_NEAR(l["t"].get<double>(), (i + 1) / 60.0, 1e-4);
        EXPECT_TRUE(l["awake"].is_boolean());
        EXPECT_EQ(l["x"].get<double>(), 0) << l.dump();
    }
    // It lands the drop's 100 units lower, less Box2D's skin, and falls asleep.
    EXPECT_NEAR(lines.back()["y"].get<double>(), 100, 2);
    EXPECT_FALSE(lines.back()["awake"].get<bool>());
    EXPECT_EQ(RunTool({"simulate", box}).out, run.out);

    // Twice the drop at half the scale: four metres, twice the time of one.
    const ToolRun far = RunTool(
        {"simulate", "--drop", "200", "--scale", "50", "--seconds", "2", "--gravity", "9.81", box});
    ASSERT_EQ(far.status, 0) << far.err.toStdString();
    const std::vector<json> farLines = Lines(far.out);
    ASSERT_EQ(farLines.size(), 120u);
    double landed = -1;
    for (size_t i = 2; i < farLines.size() && landed < 0; ++i) {
        const double v = farLines[i]["y"].get<double>() - farLines[i - 1]["y"].get<double>();
        const double before =
            farLines[i - 1]["y"].get<double>() - farLines[i - 2]["y"].get<double>();
        if (v < before)
            landed = farLines[i]["t"].get<double>();
    }
    EXPECT_NEAR(landed, std::sqrt(2 * 4.0 / 9.81), 2 / 60.0);

    // A positive floor angle lowers the right end: the body slides right, unturned.
    const std::vector<json> slide =
        Lines(RunTool({"simulate", "--floor-angle", "30", "--seconds", "3", sliding}).out);
    ASSERT_EQ(slide.size(), 180u);
    EXPECT_GT(slide.back()["x"].get<double>(), 50);
    for (const json& l : slide)
        ASSERT_EQ(l["angle"].get<double>(), 0) << l.dump();
}

TEST(SimulateCommand, RefusesInvalidObjectsAndOptions) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.vrk"), good = dir.filePath("good.vrk");
    WriteAll(bad, VrkHeader(1) + VrkRecord(1, 0xFF, {{0, 0}, {10, 10}, {10, 0}, {0, 10}}));
    WriteAll(good, VrkHeader(1) + VrkRecord(3, 0xFF, {{0, 0}, {10, 10}}));

    const ToolRun invalid = RunTool({"simulate", bad});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_TRUE(invalid.out.isEmpty());
    EXPECT_EQ(invalid.err.trimmed().toStdString(),
              bad.toStdString() + ": element 0: error: filled polygon's edges cross or "
                                  "touch at (5, 5)");
    EXPECT_EQ(RunTool({"simulate", dir.filePath("missing.vrk")}).status, 1);

    for (const QStringList& args :
         {QStringList{"--scale", "401"}, QStringList{"--scale", "0.5"},
          QStringList{"--floor-angle", "46"}, QStringList{"--gravity", "nan"},
          QStringList{"--seconds", "0"}, QStringList{"--drop", "-1"}, QStringList{"--drop"},
          QStringList{"--speed", "2"}}) {
        const ToolRun r = RunTool(QStringList{"simulate"} + args + QStringList{good});
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(RunTool({"simulate", good, good}).status, 2);
}

} // namespace
