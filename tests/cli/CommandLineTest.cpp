#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(CommandLine, EveryNumberOptionIsRefusedInTheSameWords) {
    // A missing value, a word, a value that is not finite and one out of range,
    // for every number option of every command: the first line of the usage
    // error names the option the same way whichever command it belongs to.
    const QString f = Corpus("empty.vrk");
    const struct {
        QStringList command;
        const char* option;
        const char* outside; // a number outside the range
        const char* range;
    } options[] = {
        {{"export", f, "out.json"}, "--scale", "401", "from 1 to 400 units per metre"},
        {{"simulate", f}, "--seconds", "0", "above 0 and at most 3600 seconds"},
        {{"simulate", f}, "--gravity", "-1", "from 0 to 100 m/s²"},
        {{"simulate", f}, "--floor-angle", "46", "from -45 to 45 degrees"},
        {{"simulate", f}, "--drop", "1e6", "from 0 to 100000 units"},
        {{"simulate", f}, "--scale", "0.5", "from 1 to 400 units per metre"},
        {{"trace", "a.png", "a.vrk"}, "--threshold", "12.5", "a whole number from 0 to 255"},
        {{"trace", "a.png", "a.vrk"}, "--tolerance", "-1", "from 0 to 1000 units"},
        {{"trace", "a.png", "a.vrk"}, "--scale", "0", "from 0.001 to 1000 units per pixel"},
        {{"trace", "a.png", "a.vrk"}, "--min-area", "1e10", "from 0 to 1000000000 square units"},
    };
    for (const auto& o : options) {
        const QString prefix = "morvet-tool " + o.command[0] + ": " + o.option;
        const QString name = o.option;
        const QList<QPair<QStringList, QString>> cases = {
            {{name}, " needs a value"},
            {{name, "many"}, " expects a number, not \"many\""},
            {{name, "inf"}, " expects a number, not \"inf\""},
            {{name, o.outside}, QString(" is ") + o.range},
        };
        for (const auto& [args, words] : cases) {
            const ToolRun run = RunTool(o.command + args);
            SCOPED_TRACE((o.command + args).join(' ').toStdString());
            EXPECT_EQ(run.status, 2);
            ASSERT_FALSE(run.errLines().isEmpty());
            EXPECT_EQ(run.errLines()[0].toStdString(), (prefix + words).toStdString());
        }
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

TEST(CommandLine, WritingCommandsRefuseTheirInputAndWhatIsNoRegularFile) {
    QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name); };
    const QByteArray vrk =
        VrkHeader(1) + VrkRecord(2, 0xFFFFFF, {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}});
    WriteAll(path("object.vrk"), vrk);
    const QByteArray json = RunTool({"to-json", path("object.vrk")}).out.toUtf8();
    WriteAll(path("object.json"), json);
    QImage picture(60, 60, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(path("picture.png")));
    const QByteArray png = ReadAll(path("picture.png"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.png")).constData(), 0600), 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("object.vrk"), path("object-link.png")));
    ASSERT_EQ(link(QFile::encodeName(path("object.json")).constData(),
                   QFile::encodeName(path("object-again.json")).constData()),
              0);

    const QList<QStringList> refused = {
        {"trace", path("picture.png"), path("picture.png")},
        {"trace", path("picture.png"), path("folder/../picture.png")},
        {"trace", path("picture.png"), path("pipe")},
        {"trace", path("picture.png"), path("folder")},
        {"from-json", path("object.json"), path("object-again.json")},
        {"from-json", path("object.json"), path("pipe")},
        {"render", path("object.vrk"), path("object-link.png")},
        {"render", path("object.vrk"), path("pipe.png")},
        {"render", path("object.vrk"), path("folder.png")},
        {"export", path("object.vrk"), path("object.vrk")},
        {"export", path("object.vrk"), path("pipe")},
    };
    for (const QStringList& args : refused) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.startsWith(args[2] + ": cannot write: it is")) << run.err.toStdString();
    }
    EXPECT_EQ(ReadAll(path("object.vrk")), vrk);
    EXPECT_EQ(ReadAll(path("object.json")), json);
    EXPECT_EQ(ReadAll(path("picture.png")), png);
    for (const char* pipe : {"pipe", "pipe.png"}) {
        struct stat st {};
        EXPECT_EQ(lstat(QFile::encodeName(path(pipe)).constData(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << pipe;
    }
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());

    // A link to a regular file is still written through, to its target.
    WriteAll(path("old.png"), "old");
    ASSERT_TRUE(QFile::link(path("old.png"), path("new-link.png")));
    EXPECT_EQ(RunTool({"render", path("object.vrk"), path("new-link.png")}).status, 0);
    EXPECT_TRUE(QFileInfo(path("new-link.png")).isSymLink());
    EXPECT_FALSE(QImage(path("old.png")).isNull());
}
