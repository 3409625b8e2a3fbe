#include "CliTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString Corpus(const char* name) {
    return QDir(MORVET_CORPUS).filePath(name);
}
} // namespace

TEST(CommandLine, HelpForTheProgramAndEverySubcommand) {
    const ToolRun top = RunTool({"--help"});
    EXPECT_EQ(top.status, 0);
    for (const char* cmd : {"info", "check", "to-json", "from-json", "render"}) {
        SCOPED_TRACE(cmd);
        EXPECT_TRUE(top.out.contains(QString("  ") + cmd));
        const ToolRun run = RunTool({cmd, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.out.startsWith(QString("usage: morvet-tool ") + cmd));
        EXPECT_TRUE(run.err.isEmpty());
    }
}

TEST(CommandLine, UsageErrorsExitWithTwo) {
    const QString f = Corpus("empty.vrk");
    const QList<QStringList> wrong = {
        {},
        {"frobnicate"},
        {"info"},
        {"info", f, f},
        {"check"},
        {"check", "--verbose", f},
        {"to-json"},
        {"from-json", "x.json"},
        {"render", f},
        {"render", f, "out.bmp"},
        {"render", f, "out.png", "--size"},
        {"render", f, "out.png", "--size", "0x10"},
        {"render", f, "out.png", "--size", "640by480"},
        {"render", f, "out.png", "--cros"},
    };
    for (const QStringList& args : wrong) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains("usage: morvet-tool")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(CommandLine, InvalidFilesExitWithOneAndNameTheFile) {
    QTemporaryDir dir;
    const QString bad = Corpus("truncated-record.vrk");
    for (const QStringList& args :
         {QStringList{"info", bad}, QStringList{"to-json", bad},
          QStringList{"render", bad, dir.filePath("x.png")}, QStringList{"info", "/no/such.vrk"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.errLines().size(), 1) << run.err.toStdString();
        EXPECT_TRUE(run.errLines()[0].startsWith(args[1] + ": "));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
    EXPECT_TRUE(RunTool({"info", "/no/such.vrk"}).err.contains("cannot open"));
}

TEST(CommandLine, InfoSummarisesTheObject) {
    const ToolRun run = RunTool({"info", Corpus("all-types.vrk")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    // Circles count by centre and radius (the y of the second point does not
    // widen the box), the unknown type not at all.
    EXPECT_EQ(run.out.section('\n', 1, 11).toStdString() + "\n",
              "mass density: 0.5\n"
              "polarity: negative (1)\n"
              "may rotate: no (0)\n"
              "elements: 5\n"
              "  polylines: 1\n"
              "  polygons: 1\n"
              "  circles: 1\n"
              "  filled circles: 1\n"
              "  unknown types: 1\n"
              "points: 12\n"
              "bounding box: left -13, top -13, right 20, bottom 20 (relative to the center of "
              "mass)\n");
    // The physical reading follows the summary.
    EXPECT_TRUE(run.out.section('\n', 12).startsWith("area: ")) << run.out.toStdString();
    const ToolRun empty = RunTool({"info", Corpus("no-points.vrk")});
    EXPECT_TRUE(empty.out.contains("bounding box: none\n")) << empty.out.toStdString();
}
