// A refused print job is reported, on the command line and in the editor,
// against a real print server started for the test.
#include "CupsDaemon.h"
#include "PrintingFixture.h"
#include "dialogs/ModalDriver.h"
#include "res/CommandIds.h"

#include <QMessageBox>

namespace {

struct PrintQueue : PrintingFixture {
    CupsDaemon cups;
    QString objectFile;
    QString savedName, savedFile;
    QPrinter::OutputFormat savedFormat = QPrinter::NativeFormat;

    void SetUp() override {
        PrintingFixture::SetUp();
        const QString why = cups.Start();
        if (!why.isEmpty())
            GTEST_SKIP() << "no print server for the test: " << why.toStdString();
        AddRectangle(150, 100, 250, 200, RGB(0, 0, 255));
        objectFile = Path("part.vrk");
        ASSERT_TRUE(doc.OnSaveDocument(objectFile));
        QPrinter* printer = CPrintJob::SharedPrinter();
        savedName = printer->printerName();
        savedFile = printer->outputFileName();
        savedFormat = printer->outputFormat();
    }
    void TearDown() override {
        QPrinter* printer = CPrintJob::SharedPrinter();
        printer->setOutputFileName(savedFile);
        printer->setOutputFormat(savedFormat);
        printer->setPrinterName(savedName);
        cups.Stop();
    }

    // The editor's print run from a terminal without a display, on the
    // test's server with the given default queue.
    std::pair<int, QString> MorvetPrint(const QString& queue) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("CUPS_SERVER", cups.Socket());
        env.insert("PRINTER", queue);
        p.setProcessEnvironment(env);
        p.start(MORVET_BINARY_DIR "/morvet", {"--print", objectFile});
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return {-1, "did not finish"};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }

    // Print from the editor's menu, without the print dialog; the text of
    // the message box it shows, if any.
    QString PrintFromEditor(const QString& queue) {
        QPrinter* printer = CPrintJob::SharedPrinter();
        // To the queue itself, not to a file another test left named.
        printer->setOutputFileName(QString());
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(queue);
        auto said = std::make_shared<QString>();
        auto* watch = new QTimer;
        watch->setInterval(2);
        QObject::connect(watch, &QTimer::timeout, [said, watch] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                *said = box->text();
                watch->stop();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        watch->start();
        view->OnCmdMsg(ID_FILE_PRINT_DIRECT, nullptr);
        QApplication::processEvents();
        delete watch;
        return *said;
    }
};

TEST_F(PrintQueue, ARefusedJobIsReportedAndAnAcceptedOneIsNot) {
    const auto refused = MorvetPrint("rejecting");
    EXPECT_EQ(refused.first, 1);
    EXPECT_TRUE(refused.second.contains("morvet: The printer rejecting did not accept the job"))
        << refused.second.toStdString();
    EXPECT_TRUE(refused.second.contains("not accepting jobs")) << refused.second.toStdString();
    EXPECT_EQ(cups.JobCount("rejecting"), 0);

    const auto taken = MorvetPrint("accepting");
    EXPECT_EQ(taken.first, 0) << taken.second.toStdString();
    EXPECT_FALSE(taken.second.contains("morvet:")) << taken.second.toStdString();
    EXPECT_EQ(cups.JobCount("accepting"), 1);

    const QString box = PrintFromEditor("rejecting");
    EXPECT_TRUE(box.contains("The printer rejecting did not accept the job")) << box.toStdString();
    EXPECT_TRUE(box.contains("not accepting jobs")) << box.toStdString();
    EXPECT_EQ(PrintFromEditor("accepting").toStdString(), "");
    EXPECT_EQ(cups.JobCount("accepting"), 2);
    EXPECT_EQ(cups.JobCount("rejecting"), 0);
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
