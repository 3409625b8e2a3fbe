#include "AppFixture.h"
#include "app/CAboutBox.h"

#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

TEST(CommandLine, NoArgumentMeansNewOnePathMeansOpenMoreIsAnError) {
    EXPECT_EQ(ParseCommandLine({"morvet"}).m_nShellCommand, CCommandLineInfo::FileNew);

    const CCommandLineInfo open = ParseCommandLine({"morvet", "/tmp/a b.vrk"});
    EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(open.m_strFileName, "/tmp/a b.vrk");

    EXPECT_EQ(ParseCommandLine({"morvet", "a.vrk", "b.vrk"}).m_nShellCommand,
              CCommandLineInfo::Error);
    EXPECT_EQ(ParseCommandLine({"morvet", "--bogus"}).m_nShellCommand, CCommandLineInfo::Error);

    const CCommandLineInfo help = ParseCommandLine({"/usr/bin/morvet", "--help"});
    EXPECT_EQ(help.m_nShellCommand, CCommandLineInfo::ShowHelp);
    EXPECT_TRUE(help.m_strMessage.contains("[options] [path]")) << help.m_strMessage.toStdString();

    // The help offers only options the program carries out: an option it
    // lists must not start the editor instead.
    EXPECT_FALSE(help.m_strMessage.contains("--help-all")) << help.m_strMessage.toStdString();
    EXPECT_EQ(ParseCommandLine({"morvet", "--help-all"}).m_nShellCommand, CCommandLineInfo::Error);
    EXPECT_EQ(ParseCommandLine({"morvet", "-h"}).m_nShellCommand, CCommandLineInfo::ShowHelp);
}

using StartupTest = AppFixture;

TEST_F(StartupTest, WithoutArgumentsShowsObject1InAChildWindow) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame()->isVisible());
    ASSERT_EQ(Frame()->Children().size(), 1u);
    EXPECT_EQ(Frame()->Children()[0]->windowTitle(), "Object1");
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");
    ASSERT_NE(View(), nullptr);
    EXPECT_TRUE(View()->m_bActive);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(StartupTest, WithAPathOpensThatFile) {
    WriteObjectFile("start.vrk", 3);
    ASSERT_TRUE(Start({Path("start.vrk")}));
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->m_shape.GetSize(), 3);
    EXPECT_EQ(Doc()->GetTitle(), "start.vrk");
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - start.vrk");
}

TEST_F(StartupTest, AFileThatCannotBeReadFailsStartUpWithAMessage) {
    EXPECT_FALSE(Start({Path("missing.vrk")}));
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("missing.vrk"));
    EXPECT_EQ(DocCount(), 0);

    app.reset();
    user.messages.clear();
    EXPECT_FALSE(Start({dir.path()}));
    EXPECT_EQ(user.messages.size(), 1);

    QFile bad(Path("bad.vrk"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not an object");
    bad.close();
    app.reset();
    user.messages.clear();
    EXPECT_FALSE(Start({Path("bad.vrk")}));
    EXPECT_EQ(user.messages.size(), 1);
    EXPECT_EQ(DocCount(), 0);
}

TEST_F(StartupTest, AboutBoxIsModalWithItsTextsAndClosesWithOk) {
    ASSERT_TRUE(Start());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<CAboutBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->windowTitle(), "About Morvet");
        EXPECT_TRUE(box->isModal());
        QStringList texts;
        bool hasIcon = false;
        for (QLabel* label : box->findChildren<QLabel*>()) {
            texts << label->text();
            hasIcon = hasIcon || !label->pixmap().isNull();
        }
        EXPECT_TRUE(hasIcon);
        EXPECT_TRUE(texts.contains("Morvet Version 1.0"));
        EXPECT_EQ(texts.size(), 5);
        // The accelerators do not reach the frame while the box is up.
        QTest::keyClick(box, Qt::Key_N, Qt::ControlModifier);
        auto buttons = box->findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text(), "OK");
        EXPECT_TRUE(buttons[0]->isDefault());
        buttons[0]->click();
    });
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_APP_ABOUT));
    EXPECT_TRUE(seen);
    EXPECT_EQ(DocCount(), 1);
}

TEST_F(StartupTest, PrintSetupWorksOnTheApplicationsOnePrinterWithOrWithoutADocument) {
    ASSERT_TRUE(Start());
    QPrinter* printer = &app->Printer();
    const bool realPrinter = printer->outputFormat() == QPrinter::NativeFormat;
    for (bool withDocument : {true, false}) {
        if (!withDocument) {
            Frame()->Children()[0]->close();
            Idle();
        }
        QPrinter* shown = nullptr;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget())) {
                shown = dialog->printer();
                dialog->reject();
            }
        });
        user.messages.clear();
        EXPECT_TRUE(Frame()->ExecuteCommand(ID_FILE_PRINT_SETUP));
        Idle();
        if (realPrinter)
            EXPECT_EQ(shown, printer);
        else
            EXPECT_EQ(user.messages.size(), 1) << "a machine without printers is told so";
    }
    EXPECT_EQ(&app->Printer(), printer);
}
