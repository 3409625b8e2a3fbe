// info --json, check --physics and export as users run them.
#include "CliTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using nlohmann::json;

TEST(PhysicsCommands, InfoCheckAndExportAgreeOnOneObject) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.vrk"), bad = dir.filePath("bad.vrk");
    // A 60 x 40 filled rectangle centred on (40, 40), density 2.5.
    WriteAll(good,
             VrkHeader(1, 2.5) + VrkRecord(1, 0xFF, {{10, 20}, {70, 20}, {70, 60}, {10, 60}}));
    // The same with a bow tie on top.
    WriteAll(bad, VrkHeader(2, 2.5) + VrkRecord(1, 0xFF, {{10, 20}, {70, 20}, {70, 60}, {10, 60}}) +
                      VrkRecord(1, 0xFF, {{0, 0}, {10, 10}, {10, 0}, {0, 10}}));

    const ToolRun info = RunTool({"info", "--json", good});
    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    const json j = json::parse(info.out.toStdString());
    EXPECT_DOUBLE_EQ(j["area"].get<double>(), 2400);
    EXPECT_DOUBLE_EQ(j["mass"].get<double>(), 6000);
    EXPECT_EQ(j["centroid"], json({40.0, 40.0}));
    EXPECT_NEAR(j["inertia"].get<double>(), 6000 * ((3600.0 + 1600) / 12 + 3200), 1e-6);
    EXPECT_TRUE(j["problems"].empty());

    const ToolRun checkGood = RunTool({"check", "--physics", good});
    EXPECT_EQ(checkGood.status, 0);
    const ToolRun checkBad = RunTool({"check", "--physics", bad});
    EXPECT_EQ(checkBad.status, 1);
    EXPECT_EQ(checkBad.err.trimmed().toStdString(),
              bad.toStdString() +
                  ": element 1: error: filled polygon's edges cross or touch at (5, 5)");
    EXPECT_EQ(RunTool({"check", bad}).status, 0); // without --physics only the file counts

    const QString out = dir.filePath("out.json");
    const ToolRun refused = RunTool({"export", bad, out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.startsWith(bad + ": element 1: error: ")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    const ToolRun exported = RunTool({"export", "--scale", "10", good, out});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    const json body = json::parse(ReadAll(out).toStdString())["body"][0];
    EXPECT_DOUBLE_EQ(body["massData-mass"].get<double>(), 60);
    EXPECT_EQ(body["fixture"].size(), 1u);
    // Corners in metres with y up: (1, -2) ... (7, -6).
    const json& xs = body["fixture"][0]["polygon"]["vertices"]["x"];
    const json& ys = body["fixture"][0]["polygon"]["vertices"]["y"];
    EXPECT_EQ(std::set<double>(xs.begin(), xs.end()), std::set<double>({1, 7}));
    EXPECT_EQ(std::set<double>(ys.begin(), ys.end()), std::set<double>({-2, -6}));

    for (const char* scale : {"0", "401", "abc"}) {
        const ToolRun wrong = RunTool({"export", "--scale", scale, good, out});
        EXPECT_EQ(wrong.status, 2) << scale;
    }
}

} // namespace
