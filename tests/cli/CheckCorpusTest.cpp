#include "CliTestSupport.h"
#include "cli/VrkFile.h"
#include "cli/VrkScanner.h"

#include <QDir>
#include <gtest/gtest.h>
#include <map>

namespace {
struct Expected {
    int status;
    QStringList lines; // stderr, without the "FILE: " prefix; empty means "ok" on stdout
};

// Every file of the seed corpus, with what check must say about it.
const std::map<QString, Expected>& Corpus() {
    static const std::map<QString, Expected> corpus = {
        {"empty.vrk", {0, {}}},
        {"filled-circle.vrk", {0, {}}},
        {"extreme-circle.vrk", {0, {}}},
        {"all-types.vrk",
         {0,
          {"warning: element 4 (of 5) has the unknown type code 7; it is kept but never drawn"}}},
        {"format-word-2.vrk", {0, {"warning: format word is 2, not 1 (it is ignored)"}}},
        {"nan-density.vrk", {0, {"warning: mass density is not a number"}}},
        {"negative-count.vrk",
         {0,
          {"warning: element count -3 is negative; the file is read as having no elements",
           "warning: 3 bytes after the object header are never read (no elements)"}}},
        {"trailing.vrk", {0, {"warning: 4 bytes after the last element are never read"}}},
        {"no-points.vrk",
         {0,
          {"warning: element 0 (of 2) has no points",
           "warning: element 1 (of 2) is a circle with one point, so it has no radius"}}},
        {"many-problems.vrk",
         {0,
          {"warning: format word is 0, not 1 (it is ignored)",
           "warning: mass density 500 is outside 0.1 to 100, the range the editor accepts",
           "warning: polarity is 2, neither 0 nor 1",
           "warning: element 0 (of 3) has the unknown type code 9; it is kept but never drawn",
           "warning: element 1 (of 3) has no points",
           "warning: element 2 (of 3) is a circle with one point, so it has no radius",
           "warning: 2 bytes after the last element are never read"}}},
        {"simulate-dense-wall-flung-at-400.vrk",
         {0,
          {"warning: mass density 3.68935e+20 is outside 0.1 to 100, the range the editor accepts",
           "warning: 45 bytes after the last element are never read"}}},
        {"truncated-header.vrk", {1, {"error: file is truncated inside the object header"}}},
        {"truncated-record.vrk", {1, {"error: file is truncated inside element 1 (of 2)"}}},
        {"truncated-points.vrk",
         {1, {"error: file is truncated inside element 0 (of 1): 3 points announced, room for 1"}}},
        {"huge-count.vrk",
         {1,
          {"error: file is truncated inside element 1 (of 2147483647): the element count is "
           "larger than the file can hold"}}},
        {"huge-point-count.vrk",
         {1,
          {"error: file is truncated inside element 0 (of 1): 268435456 points announced, room "
           "for 2"}}},
        {"negative-point-count.vrk",
         {1, {"error: element 0 (of 1) has a negative point count (-1)"}}},
        {"bad-record-after-warning.vrk",
         {1,
          {"warning: element 0 (of 3) has the unknown type code 5; it is kept but never drawn",
           "error: element 1 (of 3) has a negative point count (-7)"}}},
    };
    return corpus;
}

QStringList CorpusFiles() {
    return QDir(MORVET_CORPUS).entryList({"*.vrk"}, QDir::Files, QDir::Name);
}
} // namespace

TEST(CheckCorpus, EachFileGetsItsMessagesAndStatus) {
    const QStringList files = CorpusFiles();
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const auto it = Corpus().find(name);
        ASSERT_NE(it, Corpus().end()) << "a corpus file without expectations";
        const QString path = QDir(MORVET_CORPUS).filePath(name);
        const ToolRun run = RunTool({"check", path});
        EXPECT_EQ(run.status, it->second.status);
        QStringList expected;
        for (const QString& line : it->second.lines)
            expected << path + ": " + line;
        EXPECT_EQ(run.errLines().join('\n').toStdString(), expected.join('\n').toStdString());
        EXPECT_EQ(run.out.startsWith(path + ": ok"), it->second.lines.isEmpty());
    }
}

TEST(CheckCorpus, ErrorsAreExactlyWhatTheEditorsReaderRefuses) {
    // The scan's first error must be the reader's own verdict, in its words.
    for (const QString& name : CorpusFiles()) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadAll(QDir(MORVET_CORPUS).filePath(name));
        VrkFile file;
        std::string readerError;
        const bool readable = ParseVrk(bytes, file, readerError);
        std::string firstError;
        for (const VrkProblem& p : ScanVrk(bytes))
            if (p.severity == VrkProblem::Error && firstError.empty())
                firstError = p.message;
        EXPECT_EQ(firstError, readable ? std::string() : readerError);
    }
}

TEST(CheckCorpus, SeveralFilesAreAllReportedAndAnyErrorFails) {
    const QString good = QDir(MORVET_CORPUS).filePath("empty.vrk");
    const QString bad = QDir(MORVET_CORPUS).filePath("truncated-header.vrk");
    const ToolRun run = RunTool({"check", bad, "/nonexistent/x.vrk", good});
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.errLines().size(), 2) << run.err.toStdString();
    EXPECT_TRUE(run.errLines()[1].startsWith("/nonexistent/x.vrk: error: cannot open"));
    EXPECT_TRUE(run.out.startsWith(good + ": ok (0 elements)"));
    EXPECT_EQ(RunTool({"check", good, good}).status, 0);
    const QString one = QDir(MORVET_CORPUS).filePath("filled-circle.vrk");
    EXPECT_EQ(RunTool({"check", one}).out.toStdString(),
              (one + ": ok (1 element)\n").toStdString());
}
