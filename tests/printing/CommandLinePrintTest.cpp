#include "PdfPages.h"
#include "document/CMorvetDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString Program() {
    for (const char* path : {MORVET_BINARY_DIR "/app/morvet", MORVET_BINARY_DIR "/morvet"})
        if (QFileInfo(path).isExecutable())
            return path;
    return QString();
}

struct Outcome {
    int status = -1;
    QString out, err;
};

// Runs the editor as a user would from a terminal without a display.
Outcome Morvet(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(Program(), args);
    Outcome r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.err = "did not finish";
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

struct CommandLinePrint : ::testing::Test {
    QTemporaryDir dir;
    QString doc;
    void SetUp() override {
        ASSERT_FALSE(Program().isEmpty()) << "build the morvet target first";
        ASSERT_TRUE(dir.isValid());
        CMorvetDoc d;
        d.OnNewDocument();
        const POINT square[4] = {{-40, -30}, {40, -30}, {40, 30}, {-40, 30}};
        d.AddElement(PRIM_POLYGON, RGB(0, 0, 255), 4, square);
        doc = dir.filePath("part.vrk");
        ASSERT_TRUE(d.OnSaveDocument(doc));
    }
    QString Path(const char* name) const { return dir.filePath(name); }
};
} // namespace

TEST_F(CommandLinePrint, HelpListsThePrintOptions) {
    const Outcome r = Morvet({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("--print ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("--print-to-pdf")) << r.out.toStdString();
}

TEST_F(CommandLinePrint, PrintToPdfWritesBothPagesAndEnds) {
    const QString pdf = Path("part.pdf");
    const Outcome r = Morvet({"--print-to-pdf", pdf, doc});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(PdfPages::Count(pdf), 2);
    EXPECT_EQ(PdfPages::Text(pdf, 1), "part.vrk");
    EXPECT_EQ(PdfPages::Text(pdf, 2), "part.vrk");
    // The blue square lies around the object's origin, in the page's middle.
    const QImage page = PdfPages::Image(pdf, 2);
    int blue = 0;
    for (int y = page.height() / 3; y < page.height() * 3 / 4; ++y)
        for (int x = page.width() / 3; x < page.width() * 2 / 3; ++x)
            blue += (page.pixel(x, y) & 0xFFFFFF) == 0x0000FFu;
    EXPECT_GT(blue, 70 * 50);
}

TEST_F(CommandLinePrint, UnreadableInputFailsWithoutOutput) {
    QFile junk(Path("junk.vrk"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not an object");
    junk.close();
    for (const QString& input : {Path("absent.vrk"), Path("junk.vrk")}) {
        const QString pdf = Path("never.pdf");
        const Outcome r = Morvet({"--print-to-pdf", pdf, input});
        EXPECT_NE(r.status, 0) << input.toStdString();
        EXPECT_TRUE(r.err.contains(input)) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    }
}

TEST_F(CommandLinePrint, UnwritableOutputFails) {
    const QString pdf = Path("no/such/dir/out.pdf");
    const Outcome r = Morvet({"--print-to-pdf", pdf, doc});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains(pdf)) << r.err.toStdString();
}

TEST_F(CommandLinePrint, IncompleteOrConflictingOptionsAreRefused) {
    for (const QStringList& args :
         {QStringList{"--print"}, QStringList{"--print-to-pdf", Path("x.pdf")},
          QStringList{"--print-to-pdf"},
          QStringList{"--print", "--print-to-pdf", Path("x.pdf"), doc}}) {
        const Outcome r = Morvet(args);
        EXPECT_NE(r.status, 0) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.trimmed().isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Path("x.pdf")));
}

TEST_F(CommandLinePrint, PrintWithoutAPrinterSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    const Outcome r = Morvet({"--print", doc});
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("no printer")) << r.err.toStdString();
}

TEST_F(CommandLinePrint, PrintingOntoTheObjectFileItselfIsRefusedAndKeepsIt) {
    QFile in(doc);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray original = in.readAll();
    in.close();
    // The same file, also under another spelling of its name.
    for (const QString& pdf : {doc, dir.path() + "/./part.vrk"}) {
        const Outcome r = Morvet({"--print-to-pdf", pdf, doc});
        EXPECT_NE(r.status, 0) << pdf.toStdString();
        EXPECT_TRUE(r.err.contains("part.vrk")) << r.err.toStdString();
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        EXPECT_EQ(in.readAll(), original) << pdf.toStdString();
        in.close();
    }
}
