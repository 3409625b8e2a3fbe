#include "AppFixture.h"
#include "app/CCommandActions.h"

#include <QAction>
#include <QFileInfo>

using DocumentFilesTest = AppFixture;

TEST_F(DocumentFilesTest, SaveWritesTheDocumentBackByteForByte) {
    const QByteArray original = WriteObjectFile("keep.vrk", 4);
    ASSERT_TRUE(Start({Path("keep.vrk")}));
    QFile::remove(Path("keep.vrk"));
    Doc()->SetModifiedFlag(true);
    QTest::keyClick(View(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadFile("keep.vrk"), original);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_TRUE(user.proposedNames.isEmpty());
}

TEST_F(DocumentFilesTest, SaveOfANewDocumentAsksForANameAndAppendsTheExtension) {
    ASSERT_TRUE(Start());
    user.saveNames = {Path("drawing")};
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(user.proposedNames, QStringList({"Object1.vrk"}));
    EXPECT_TRUE(QFileInfo::exists(Path("drawing.vrk")));
    EXPECT_EQ(Doc()->GetTitle(), "drawing.vrk");
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - drawing.vrk");
    EXPECT_EQ(app->RecentFiles().Files().value(0), Path("drawing.vrk"));

    CMorvetDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(Path("drawing.vrk")));
    EXPECT_EQ(reread.m_shape.GetSize(), 0);

    // Save As always asks, and keeps an extension that was typed.
    user.saveNames = {Path("copy.obj")};
    EXPECT_TRUE(Frame()->ExecuteCommand(ID_FILE_SAVE_AS));
    EXPECT_TRUE(QFileInfo::exists(Path("copy.obj")));
    EXPECT_EQ(Doc()->GetPathName(), Path("copy.obj"));
}

TEST_F(DocumentFilesTest, AFailedSaveIsReportedAndLeavesTheDocumentModified) {
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    user.saveNames = {Path("no-such-folder/x.vrk")};
    Frame()->ExecuteCommand(ID_FILE_SAVE);
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("x.vrk"));
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetTitle(), "Object1");
    EXPECT_TRUE(Doc()->GetPathName().isEmpty());

    // Closing: Yes, then the save fails again, so the window stays.
    user.answers = {QMessageBox::Yes};
    user.saveNames = {Path("no-such-folder/x.vrk")};
    Frame()->Children()[0]->close();
    Idle();
    EXPECT_EQ(Frame()->Children().size(), 1u);
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentFilesTest, OpeningAnOpenFileActivatesItsWindowInsteadOfReadingIt) {
    WriteObjectFile("a.vrk", 2);
    user.openNames = {Path("a.vrk")};
    ASSERT_TRUE(Start());
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    CMorvetDoc* docA = Doc();
    ASSERT_EQ(docA->GetTitle(), "a.vrk");
    docA->m_shape.DeleteElement(0); // an unsaved change that a re-read would lose
    Frame()->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(Doc()->GetTitle(), "Object2");

    user.openNames = {dir.path() + "/./a.vrk"};
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    EXPECT_EQ(Doc(), docA);
    EXPECT_EQ(docA->m_shape.GetSize(), 1);
    EXPECT_EQ(DocCount(), 3);
    EXPECT_TRUE(docA->Views().size() == 1);
    EXPECT_TRUE(View()->m_bActive);
}

TEST_F(DocumentFilesTest, ACorruptFileShowsTheReasonAndLeavesNothingBehind) {
    QFile bad(Path("corrupt.vrk"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x01\x00\x00\x00\xff\xff", 6));
    bad.close();
    ASSERT_TRUE(Start());
    CMorvetDoc* before = Doc();
    user.openNames = {Path("corrupt.vrk")};
    Frame()->ExecuteCommand(ID_FILE_OPEN);
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("corrupt.vrk"));
    EXPECT_EQ(DocCount(), 1);
    EXPECT_EQ(Doc(), before);
    EXPECT_EQ(Frame()->Children().size(), 1u);
    EXPECT_EQ(app->RecentFiles().Count(), 0);
}

TEST_F(DocumentFilesTest, ClosingAModifiedDocumentAsksToSave) {
    ASSERT_TRUE(Start());
    Frame()->ExecuteCommand(ID_WINDOW_NEW);
    Doc()->SetModifiedFlag(true);
    // Not the last window of the document: no question.
    Frame()->ActiveChild()->close();
    Idle();
    EXPECT_TRUE(user.messages.isEmpty());
    ASSERT_EQ(Frame()->Children().size(), 1u);

    user.answers = {QMessageBox::Cancel};
    Frame()->ExecuteCommand(ID_FILE_CLOSE);
    EXPECT_EQ(user.messages, QStringList({"Save changes to Object1?"}));
    EXPECT_EQ(DocCount(), 1);

    user.answers = {QMessageBox::Yes};
    user.saveNames = {Path("closed")};
    Frame()->ExecuteCommand(ID_FILE_CLOSE);
    Idle();
    EXPECT_EQ(DocCount(), 0);
    EXPECT_TRUE(Frame()->Children().empty());
    EXPECT_TRUE(QFileInfo::exists(Path("closed.vrk")));
}

TEST_F(DocumentFilesTest, ExitAsksForEveryModifiedDocumentAndCancelKeepsRunning) {
    ASSERT_TRUE(Start());
    Doc()->SetModifiedFlag(true);
    Frame()->ExecuteCommand(ID_FILE_NEW);
    Frame()->ExecuteCommand(ID_FILE_NEW);
    Doc()->SetModifiedFlag(true);

    user.answers = {QMessageBox::No, QMessageBox::Cancel};
    Frame()->ExecuteCommand(ID_APP_EXIT);
    EXPECT_EQ(user.messages, QStringList({"Save changes to Object1?", "Save changes to Object3?"}));
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(DocCount(), 3);

    user.messages.clear();
    user.answers = {QMessageBox::No, QMessageBox::No};
    Frame()->ExecuteCommand(ID_APP_EXIT);
    Idle();
    EXPECT_EQ(user.messages.size(), 2);
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(DocCount(), 0);
}

TEST_F(DocumentFilesTest, RecentFilesKeepTheLastFourAcrossRuns) {
    for (const char* name : {"1.vrk", "2.vrk", "3.vrk", "4.vrk", "5.vrk"})
        WriteObjectFile(name, 1);
    ASSERT_TRUE(Start());
    for (const char* name : {"1.vrk", "2.vrk", "3.vrk", "4.vrk", "5.vrk"})
        app->DocManager().OpenDocumentFile(Path(name));
    app->DocManager().OpenDocumentFile(Path("3.vrk")); // already open: moves nothing
    app.reset();

    ASSERT_TRUE(Start());
    EXPECT_EQ(app->RecentFiles().Files(),
              QStringList({Path("5.vrk"), Path("4.vrk"), Path("3.vrk"), Path("2.vrk")}));
    QAction* first = Frame()->Actions().Action(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->text(), "&1 " + Path("5.vrk"));
    EXPECT_EQ(first->statusTip(), "Open this document");
    EXPECT_FALSE(Frame()->Actions().Action(ID_FILE_MRU_FILE1 + 4 - 1)->text().isEmpty());

    first->trigger();
    EXPECT_EQ(Doc()->GetTitle(), "5.vrk");

    // An entry whose file has gone is reported and leaves the list.
    QFile::remove(Path("4.vrk"));
    Frame()->ExecuteCommand(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(user.messages.size(), 1);
    EXPECT_EQ(app->RecentFiles().Files(),
              QStringList({Path("5.vrk"), Path("3.vrk"), Path("2.vrk")}));
    QSettings stored(SettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Recent File List/File2").toString(), Path("3.vrk"));
    EXPECT_FALSE(stored.contains("Recent File List/File4"));
}
