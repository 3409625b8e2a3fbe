// Starts the editor on a private X server and types at it the way a person
// does: through the X server's input, not through Qt's test events. Keypad
// keys in particular arrive differently that way.
#include "document/CMorvetDoc.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QDateTime kLongAgo(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

// The two elements of the test object, in the order given.
QByteArray ObjectBytes(const std::vector<int>& order) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    for (int i : order) {
        const POINT pts[3] = {{-20 + 30 * i, -10}, {20 + 30 * i, 5}, {30 * i, 30}};
        doc.AddElement(i == 0 ? PRIM_POLYLINE : PRIM_POLYGON, RGB(40 * i, 200, 255), 3, pts);
    }
    const QString path = QDir::temp().filePath("morvet-e2e-bytes.vrk");
    EXPECT_TRUE(doc.OnSaveDocument(path));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    f.close();
    QFile::remove(path);
    return bytes;
}

class DesktopSaveTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QProcess xserver;
    QProcess editor;
    QString display;
    QString file;

    void SetUp() override {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "Xvfb and xdotool are needed";
        ASSERT_TRUE(StartServer(xvfb));
    }

    void TearDown() override {
        for (QProcess* p : {&editor, &xserver}) {
            if (p->state() == QProcess::NotRunning)
                continue;
            p->terminate();
            if (!p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }

    bool StartServer(const QString& xvfb) {
        // The first display number that nobody holds.
        for (int n = 91; n < 200; ++n) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
                QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                continue;
            display = QStringLiteral(":%1").arg(n);
            xserver.start(xvfb, {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
            if (!xserver.waitForStarted(5000))
                return false;
            const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
            const bool settled = QTest::qWaitFor(
                [&] {
                    return QFileInfo::exists(socket) || xserver.state() == QProcess::NotRunning;
                },
                10000);
            if (settled && QFileInfo::exists(socket))
                return true;
            xserver.kill();
            xserver.waitForFinished();
        }
        return false;
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        // The recent-file list goes to the test's own folder.
        env.insert("HOME", dir.path());
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        // libxkbcommon-x11 hands strndup a buffer without a terminating zero,
        // which strict string checks report although strndup stops at n.
        if (env.contains("ASAN_OPTIONS"))
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
        return env;
    }

    QString Xdotool(const QStringList& args, int timeoutMs = 20000) {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.start("xdotool", args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }

    void StartEditor(const QByteArray& bytes) {
        file = dir.filePath("e2e.vrk");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        editor.setProcessEnvironment(Environment());
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(MORVET_EXECUTABLE, {file});
        ASSERT_TRUE(editor.waitForStarted(5000));
        const QString window =
            Xdotool({"search", "--sync", "--name", "Morvet - e2e.vrk"}).section('\n', 0, 0);
        ASSERT_FALSE(window.isEmpty()) << "the editor's window did not appear";
        Xdotool({"windowfocus", "--sync", window});
    }

    void Keys(const QStringList& keys) { Xdotool(QStringList{"key", "--delay", "50"} + keys); }

    // Presses Ctrl+S and returns the file once it has been written anew.
    QByteArray SaveAndRead() {
        {
            QFile f(file);
            f.open(QIODevice::ReadWrite);
            f.setFileTime(kLongAgo, QFileDevice::FileModificationTime);
        }
        Keys({"ctrl+s"});
        if (QTest::qWaitFor(
                [&] {
                    const QFileInfo info(file);
                    return info.exists() && info.lastModified() > kLongAgo.addDays(1);
                },
                10000)) {
            QFile f(file);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }
        ADD_FAILURE() << "Ctrl+S did not write the file";
        return QByteArray();
    }
};

} // namespace

TEST_F(DesktopSaveTest, CtrlSWritesTheOpenFileBackByteForByte) {
    const QByteArray original = ObjectBytes({0, 1});
    StartEditor(original);
    EXPECT_EQ(SaveAndRead(), original);
}

TEST_F(DesktopSaveTest, KeypadAndCharacterKeysMoveTheSelection) {
    const QByteArray original = ObjectBytes({0, 1});
    const QByteArray swapped = ObjectBytes({1, 0});
    ASSERT_NE(original, swapped);
    StartEditor(original);

    // With both elements selected, Move Forward swaps them and Move back
    // swaps them again.
    Keys({"ctrl+a", "KP_Add"});
    EXPECT_EQ(SaveAndRead(), swapped) << "keypad +";
    Keys({"KP_Subtract"});
    EXPECT_EQ(SaveAndRead(), original) << "keypad -";
    Keys({"equal"});
    EXPECT_EQ(SaveAndRead(), swapped) << "=";
    Keys({"minus"});
    EXPECT_EQ(SaveAndRead(), original) << "-";
    // "+" on the main keyboard is Shift and "=", which is no accelerator.
    Keys({"shift+equal"});
    EXPECT_EQ(SaveAndRead(), original) << "shift+=";
}

// Ctrl+T from the X server opens the Simulation window beside the editor; its
// keys reach it, and File > Close of the document closes it too.
TEST_F(DesktopSaveTest, CtrlTOpensTheSimulationWhichClosesWithItsDocument) {
    StartEditor(ObjectBytes({0, 1}));
    const QString main = Xdotool({"search", "--name", "Morvet - e2e.vrk"}).section('\n', 0, 0);
    Keys({"ctrl+t"});
    const QString simulation =
        Xdotool({"search", "--sync", "--name", "Simulation - e2e.vrk"}).section('\n', 0, 0);
    ASSERT_FALSE(simulation.isEmpty()) << "no simulation window";
    Xdotool({"windowfocus", "--sync", simulation});
    Keys({"space", "Right", "Right", "Home", "space"});
    EXPECT_EQ(editor.state(), QProcess::Running);

    Xdotool({"windowfocus", "--sync", main});
    Keys({"alt+f", "c"});
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Xdotool({"search", "--name", "Simulation - e2e.vrk"}, 3000).isEmpty();
        },
        10000))
        << "the simulation outlived its document";
    EXPECT_EQ(editor.state(), QProcess::Running);
}

// Ctrl with the keypad's plus and minus zooms; it must not reach Move
// Forward or Move back, which the same keys without Ctrl run. Zoom changes
// nothing in the file, and afterwards the plain keys still reorder.
TEST_F(DesktopSaveTest, ZoomKeysFromTheKeypadAndTheMainKeyboardLeaveTheObjectAlone) {
    const QByteArray original = ObjectBytes({0, 1});
    const QByteArray swapped = ObjectBytes({1, 0});
    StartEditor(original);
    Keys({"ctrl+a", "ctrl+KP_Add", "ctrl+KP_Add", "ctrl+KP_Subtract", "ctrl+plus", "ctrl+equal",
          "ctrl+minus", "ctrl+f", "ctrl+0"});
    EXPECT_EQ(SaveAndRead(), original);
    Keys({"KP_Add"});
    EXPECT_EQ(SaveAndRead(), swapped) << "keypad + still moves forward";
}
