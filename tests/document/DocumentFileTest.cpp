// Saving relative to the origin, loading, failed opens and
// failed saves.
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstring>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace morvet_test;

namespace {

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray Le(int32_t v) {
    return QByteArray(reinterpret_cast<const char*>(&v), 4);
}

QByteArray Header(int32_t count) {
    return QByteArray::fromHex("010000000000000000003440000000000100000000000000").left(20) +
           Le(count);
}

QByteArray Record(int32_t type, int32_t n, std::initializer_list<POINT> pts) {
    QByteArray b = Le(type) + Le(0) + Le(n);
    for (const POINT& p : pts)
        b += Le(p.x) + Le(p.y);
    return b;
}

// A document holding one polyline at (10, -10)-(50, 20) and a circle at the
// center of mass.
void Fill(CMorvetDoc& doc) {
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, RGB(1, 2, 3), {{10, -10}, {50, 20}});
    Add(doc, PRIM_CIRCLE, 0, {{0, 0}, {15, 4}});
}

const QString kExample = QStringLiteral(MORVET_TEST_DATA "/red-filled-circle.vrk");

} // namespace

TEST(DocumentFile, SavingWritesTheObjectsCoordinates) {
    CMorvetDoc doc;
    Fill(doc);
    const QByteArray inMemory = Bytes(doc.m_shape);
    CArchive ar;
    doc.Serialize(ar);
    const QByteArray bytes = ar.Buffer();
    ASSERT_EQ(bytes.size(), 24 + 12 + 16 + 12 + 16);
    EXPECT_EQ(bytes.mid(36, 16), Le(10) + Le(-10) + Le(50) + Le(20));
    EXPECT_EQ(bytes.mid(64, 16), Le(0) + Le(0) + Le(15) + Le(4)) << "radius unchanged";
    // The object in memory is unchanged.
    EXPECT_EQ(Bytes(doc.m_shape), inMemory);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0], (POINT{10, -10}));
}

TEST(DocumentFile, SavingTwiceWritesTheSameBytes) {
    CMorvetDoc doc;
    Fill(doc);
    CArchive a, b;
    doc.Serialize(a);
    doc.Serialize(b);
    EXPECT_EQ(a.Buffer(), b.Buffer());
}

TEST(DocumentFile, SaveAndOpenRoundTripThroughAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("object.vrk");
    CMorvetDoc doc;
    Fill(doc);
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(path)) << doc.LastError().toStdString();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.CanUndo()) << "saving keeps the history";
    EXPECT_EQ(doc.HistorySize(), 2);

    CMorvetDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path)) << opened.LastError().toStdString();
    EXPECT_FALSE(opened.IsModified());
    EXPECT_FALSE(opened.CanUndo());
    EXPECT_FALSE(opened.CanRedo());
    EXPECT_EQ(opened.m_color, RGB(255, 255, 255));
    ASSERT_EQ(opened.m_shape.GetSize(), 2);
    EXPECT_EQ(opened.m_shape.m_elements[0]->m_pPoints[0], (POINT{10, -10}));
    EXPECT_EQ(opened.m_shape.m_elements[0]->m_pPoints[1], (POINT{50, 20}));
    EXPECT_EQ(opened.m_shape.m_elements[0]->m_crColor, RGB(1, 2, 3));
    // Saved again it gives the bytes of the first save.
    const QString again = dir.filePath("again.vrk");
    ASSERT_TRUE(opened.OnSaveDocument(again));
    EXPECT_EQ(ReadFile(again), ReadFile(path));
}

TEST(DocumentFile, LoadingKeepsTheFilesCoordinates) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    const QByteArray bytes = ReadFile(kExample);
    CArchive ar(bytes);
    doc.Serialize(ar);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0], (POINT{0, 0}));
}

TEST(DocumentFile, RedFilledCircleFileOpensAndSavesByteForByte) {
    QTemporaryDir dir;
    CMorvetDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(kExample)) << doc.LastError().toStdString();
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_nType, PRIM_FILLED_CIRCLE);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_crColor, RGB(255, 0, 0));
    const QString out = dir.filePath("out.vrk");
    ASSERT_TRUE(doc.OnSaveDocument(out));
    EXPECT_EQ(ReadFile(out), ReadFile(kExample));
    EXPECT_EQ(ReadFile(out).size(), 52);
}

TEST(DocumentFile, OpenEmptiesTheHistory) {
    QTemporaryDir dir;
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {1, 1}});
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {2, 2}});
    doc.Undo();
    ASSERT_TRUE(doc.CanRedo());
    // Reopening a file into a document with history (the core allows it)
    // leaves nothing to undo or redo.
    CMorvetDoc fresh;
    ASSERT_TRUE(fresh.OnOpenDocument(kExample));
    EXPECT_EQ(fresh.m_historyIndex, -1);
    ASSERT_TRUE(doc.OnOpenDocument(kExample));
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(doc.m_historyIndex, -1);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

// --- failed opens -----------------------------------------------------------

class FailedOpen : public ::testing::Test {
protected:
    // Opens bytes as a file into a fresh document; returns the error text, or
    // "" when the open succeeds.
    std::string Open(const QByteArray& bytes) {
        const QString path = dir.filePath("bad.vrk");
        WriteFile(path, bytes);
        CMorvetDoc doc;
        if (doc.OnOpenDocument(path))
            return "";
        const std::string msg = doc.LastError().toStdString();
        EXPECT_FALSE(msg.empty());
        EXPECT_NE(msg.find("bad.vrk"), std::string::npos) << "names the file: " << msg;
        return msg;
    }
    QTemporaryDir dir;
};

TEST_F(FailedOpen, MissingFile) {
    CMorvetDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(dir.filePath("none.vrk")));
    EXPECT_FALSE(doc.LastError().isEmpty());
}

TEST_F(FailedOpen, EmptyFile) {
    EXPECT_NE(Open(QByteArray()).find("header"), std::string::npos);
}

TEST_F(FailedOpen, TruncatedHeader) {
    EXPECT_NE(Open(Header(1).left(17)).find("header"), std::string::npos);
}

TEST_F(FailedOpen, TruncatedInsideElementNamesIt) {
    const QByteArray full = Header(3) + Record(PRIM_POLYLINE, 2, {{1, 1}, {2, 2}}) +
                            Record(PRIM_POLYGON, 3, {{0, 0}, {5, 0}, {5, 5}}) +
                            Record(PRIM_CIRCLE, 2, {{9, 9}, {4, 4}});
    // Inside the second record's points, then inside the third record's header.
    const std::string a = Open(full.left(24 + 28 + 12 + 10));
    EXPECT_NE(a.find("element 1 (of 3)"), std::string::npos) << a;
    const std::string b = Open(full.left(24 + 28 + 36 + 5));
    EXPECT_NE(b.find("element 2 (of 3)"), std::string::npos) << b;
    EXPECT_EQ(Open(full), "");
}

TEST_F(FailedOpen, NegativePointCount) {
    const std::string msg = Open(Header(1) + Record(PRIM_POLYGON, -1, {}));
    EXPECT_NE(msg.find("negative"), std::string::npos) << msg;
    EXPECT_NE(msg.find("element 0 (of 1)"), std::string::npos) << msg;
}

TEST_F(FailedOpen, AbsurdElementCount) {
    const std::string msg = Open(Header(2000000000) + Record(PRIM_POLYGON, 1, {{1, 1}}));
    EXPECT_NE(msg.find("2000000000"), std::string::npos) << msg;
}

TEST_F(FailedOpen, AbsurdPointCount) {
    const std::string msg = Open(Header(1) + Record(PRIM_POLYGON, 0x40000000, {{1, 1}}));
    EXPECT_NE(msg.find("element 0 (of 1)"), std::string::npos) << msg;
    EXPECT_NE(msg.find(std::to_string(0x40000000)), std::string::npos) << msg;
}

TEST_F(FailedOpen, ZeroPointElementsAndUnknownTypesOpen) {
    const QByteArray bytes = Header(3) + Record(PRIM_POLYLINE, 0, {}) + Record(42, 1, {{3, 3}}) +
                             Record(PRIM_POLYGON, 0, {});
    EXPECT_EQ(Open(bytes), "");
    CMorvetDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("bad.vrk")));
    EXPECT_EQ(doc.m_shape.m_elements[1]->m_nType, 42);
    const QString out = dir.filePath("back.vrk");
    ASSERT_TRUE(doc.OnSaveDocument(out));
    EXPECT_EQ(ReadFile(out), bytes) << "unknown types and empty paths are written back";
}

// --- failed saves never destroy the previous file -----------------------------

TEST(DocumentSave, IntoAMissingFolderFailsAndKeepsTheDocumentModified) {
    QTemporaryDir dir;
    CMorvetDoc doc;
    Fill(doc);
    const QString path = dir.filePath("no/such/folder/x.vrk");
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_NE(doc.LastError().indexOf("x.vrk"), -1) << doc.LastError().toStdString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DocumentSave, IntoAReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders; see WriteFailureKeepsTheOldFile";
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/object.vrk";
    const QByteArray old = ReadFile(kExample);
    WriteFile(path, old);
    // A writable file is written over in place (SaveInPlace...); a read-only
    // one in a read-only folder cannot be saved at all.
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    CMorvetDoc doc;
    Fill(doc);
    EXPECT_FALSE(doc.OnSaveDocument(path));
    EXPECT_FALSE(doc.LastError().isEmpty());
    EXPECT_TRUE(doc.IsModified());
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(ReadFile(path), old);
}

TEST(DocumentSave, OverAFolderOrAPipeIsRefusedAndThroughALinkReachesItsTarget) {
    QTemporaryDir dir;
    CMorvetDoc doc;
    Fill(doc);
    const QString pipe = dir.filePath("pipe.vrk");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.vrk"));
    for (const QString& path : {pipe, dir.filePath("folder.vrk")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(doc.OnSaveDocument(path));
        EXPECT_TRUE(doc.LastError().contains(": it is ")) << doc.LastError().toStdString();
        EXPECT_TRUE(doc.IsModified());
    }
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    const QString target = dir.filePath("target.vrk"), link = dir.filePath("link.vrk");
    WriteFile(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_TRUE(doc.OnSaveDocument(link)) << doc.LastError().toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(target), ReadFile(link));
    EXPECT_NE(ReadFile(target), "old");
}

// Root ignores folder permissions, so the save runs in a child process as an
// unprivileged user (nobody, when the test runs as root), under a file size
// limit that stops the first save half-way and is lifted for the second.
TEST(DocumentSave, SaveInPlaceInAReadOnlyFolderPutsTheOldBytesBackOnFailure) {
    constexpr uid_t kNobody = 65534;
    QTemporaryDir dir;
    const bool root = geteuid() == 0;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + "/object.vrk";
    const QByteArray old = ReadFile(kExample);
    ASSERT_LT(old.size(), 1024);
    WriteFile(path, old);
    if (root) {
        ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0711), 0);
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(QFile::encodeName(folder).constData(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &before), 0);

    CMorvetDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 200; ++i)
        Add(doc, PRIM_POLYGON, RGB(i, 0, 0), {{i, 0}, {i + 10, 0}, {i + 10, 10}, {i, 10}});
    const QByteArray wanted = Bytes(doc.m_shape);
    ASSERT_GT(wanted.size(), 4096);

    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        QString out;
        if (root && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            out = "skip: cannot become nobody: " + QString::fromLocal8Bit(strerror(errno));
        else if (geteuid() == 0)
            out = "skip: still root";
        else {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            rlimit small = limit;
            small.rlim_cur = 1024;
            setrlimit(RLIMIT_FSIZE, &small);
            const bool first = doc.OnSaveDocument(path);
            out += QString("first=%1 modified=%2 intact=%3 said=%4;")
                       .arg(first)
                       .arg(doc.IsModified())
                       .arg(ReadFile(path) == old)
                       .arg(!doc.LastError().isEmpty());
            setrlimit(RLIMIT_FSIZE, &limit);
            const bool second = doc.OnSaveDocument(path);
            out += QString("second=%1 modified=%2 %3")
                       .arg(second)
                       .arg(doc.IsModified())
                       .arg(doc.LastError());
        }
        const QByteArray bytes = out.toUtf8();
        (void)!write(report[1], bytes.constData(), size_t(bytes.size()));
        _exit(0);
    }
    close(report[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, int(n));
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    chmod(QFile::encodeName(folder).constData(), 0755);
    if (said.startsWith("skip: "))
        GTEST_SKIP() << said.constData();
    EXPECT_EQ(said, "first=0 modified=1 intact=1 said=1;second=1 modified=0 ");
    EXPECT_EQ(ReadFile(path), wanted);
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "written where it lies";
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"object.vrk"});
}

TEST(DocumentSave, WriteFailureKeepsTheOldFile) {
    // A file size limit makes the write of the new contents fail half-way,
    // also for root: the old file must survive whole.
    QTemporaryDir dir;
    const QString path = dir.filePath("object.vrk");
    const QByteArray old = ReadFile(kExample);
    WriteFile(path, old);
    CMorvetDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 200; ++i)
        Add(doc, PRIM_POLYGON, RGB(i, 0, 0), {{i, 0}, {i + 10, 0}, {i + 10, 10}, {i, 10}});
    ASSERT_GT(Bytes(doc.m_shape).size(), 4096);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = doc.OnSaveDocument(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_NE(doc.LastError().indexOf("object.vrk"), -1) << doc.LastError().toStdString();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadFile(path), old)
        << "the previous file is intact; it now holds " << ReadFile(path).size() << " bytes";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"object.vrk"})
        << "no temporary file is left behind";
    // With room again the same save succeeds.
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(ReadFile(path), Bytes(doc.m_shape));
}
