// info --json, check --physics and export as users run them.
#include "CliTestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
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

// What Box2D or a loader over it cannot take is refused by check --physics and
// by export alike, each with its reason; nothing is written.
TEST(PhysicsCommands, CheckAndExportRefuseWhatBox2DCannotTake) {
    QTemporaryDir dir;
    const QByteArray square = VrkRecord(1, 0xFF, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const int far = 2147483647 - 20;
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty", VrkHeader(0), "error: the object has no element with an area or a length"},
        {"notes-only", VrkHeader(1) + VrkRecord(0, 0xFF, {{3, 4}}),
         "error: the object has no element with an area or a length"},
        {"zero-density", VrkHeader(1, 0.0) + square,
         "error: the mass density must be above zero (it is 0)"},
        {"negative-density", VrkHeader(1, -1.0) + square,
         "error: the mass density must be above zero (it is -1)"},
        {"nan-density", VrkHeader(1, std::nan("")) + square,
         "error: the mass density is not a number"},
        {"infinite-density", VrkHeader(1, HUGE_VAL) + square,
         "error: the mass density is infinite"},
        {"huge-density", VrkHeader(1, 1e300) + square,
         "error: the mass density 1e+300 is too large: the object weighs 1e+298 kg"},
        {"huge-disc", VrkHeader(1) + VrkRecord(3, 0xFF, {{0, 0}, {2147483647, 2147483647}}),
         "element 0: error: reaches 2.14748e+07 m from the center of mass at 100 units per metre"},
        {"far-square",
         VrkHeader(1) + VrkRecord(1, 0xFF, {{far, far}, {far + 10, far}, {far + 10, far + 10}}),
         "element 0: error: reaches 3.037e+07 m from the center of mass"},
    };
    const QString out = dir.filePath("out.json");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString(c.name) + ".vrk");
        WriteAll(path, c.bytes);
        const ToolRun check = RunTool({"check", "--physics", path});
        EXPECT_EQ(check.status, 1);
        EXPECT_TRUE(check.err.contains(path + ": " + c.reason)) << check.err.toStdString();
        EXPECT_FALSE(check.out.contains("ok")) << check.out.toStdString();
        const ToolRun exported = RunTool({"export", path, out});
        EXPECT_EQ(exported.status, 1);
        EXPECT_TRUE(exported.err.contains(path + ": " + c.reason)) << exported.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }

    // The file's warnings and the physics problems number the elements alike.
    const QString mixed = dir.filePath("mixed.vrk");
    WriteAll(mixed, VrkHeader(2) + VrkRecord(9, 0xFF, {{1, 1}}) + square);
    const ToolRun check = RunTool({"check", "--physics", mixed});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(
        check.errLines(),
        QStringList({mixed + ": warning: element 0 (of 2) has the unknown type code 9; it is "
                             "kept but never drawn",
                     mixed + ": element 0: note: element of unknown type 9 carries no mass"}));
}

} // namespace

namespace {

// The output's extension picks the format unless --format names it; every
// format refuses the same object and writes nothing.
TEST(PhysicsCommands, ExportChoosesTheFormatAndRefusesInEach) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.vrk"), bad = dir.filePath("bad.vrk");
    WriteAll(good,
             VrkHeader(1, 2) + VrkRecord(1, 0xFF, {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}}));
    WriteAll(bad, VrkHeader(1, 2) + VrkRecord(1, 0xFF, {{0, 0}, {10, 10}, {10, 0}, {0, 10}}));
    struct Case {
        QStringList options;
        QString out, firstLine;
    } cases[] = {{{}, "a.tscn", "[gd_scene load_steps=2 format=3]"},
                 {{}, "a.lua", "-- Written by Morvet."},
                 {{}, "a.json", "{"},
                 {{"--format", "godot"}, "a.txt", "[gd_scene load_steps=2 format=3]"},
                 {{"--format", "phaser", "--pixels-per-unit", "2"}, "a.json", "{"}};
    for (const Case& c : cases) {
        const QString out = dir.filePath(c.out);
        const ToolRun refused = RunTool(QStringList{"export"} + c.options + QStringList{bad, out});
        EXPECT_EQ(refused.status, 1) << c.out.toStdString();
        EXPECT_TRUE(refused.err.startsWith(bad + ": element 0: error: "))
            << refused.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
        const ToolRun written = RunTool(QStringList{"export"} + c.options + QStringList{good, out});
        ASSERT_EQ(written.status, 0) << written.err.toStdString();
        EXPECT_TRUE(ReadAll(out).startsWith(c.firstLine.toUtf8())) << c.out.toStdString();
        QFile::remove(out);
    }
    const QString out = dir.filePath("p.json");
    ASSERT_EQ(RunTool({"export", "--format", "phaser", "--pixels-per-unit", "2", good, out}).status,
              0);
    EXPECT_NEAR(json::parse(ReadAll(out).toStdString())["p"]["morvet"]["mass"].get<double>(), 2,
                1e-12);
    for (QStringList wrong : {QStringList{"--format", "unity"},
                              {"--pixels-per-unit", "0"},
                              {"--pixels-per-unit", "101"}}) {
        const QString none = dir.filePath("none.tscn");
        EXPECT_EQ(RunTool(QStringList{"export"} + wrong + QStringList{good, none}).status, 2);
        EXPECT_FALSE(QFile::exists(none));
    }
}

} // namespace
