// The reference image is remembered for the document's file, never written
// into it, and its menu items sit where the menus reserve them.
#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "dialogs/CReferenceImageDialog.h"
#include "dialogs/ModalDriver.h"

#include <QFile>
#include <QMenu>
#include <QPainter>

using ReferenceImageFilesTest = AppFixture;

namespace {
QStringList ItemTexts(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}
} // namespace

TEST_F(ReferenceImageFilesTest, RememberedForTheFileNotSavedInItAndAMissingPictureIsReported) {
    ASSERT_TRUE(Start());
    const QStringList view = ItemTexts(Frame()->Menu(IDR_OBJECT_TYPE, 3));
    EXPECT_EQ(view.mid(view.size() - 3),
              QStringList({"-", "&Reference Image...", "Hide Reference Image"}));
    EXPECT_EQ(ItemTexts(Frame()->Menu(IDR_OBJECT_TYPE, 2)).last(), "&Trace Image...");

    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(Path("picture.png")));
    QString asked;
    app->Prompts().imageFileName = [&](QWidget*) {
        asked = "yes";
        return Path("picture.png");
    };
    Idle();
    EXPECT_FALSE(Frame()->Actions().Action(ID_OBJECT_TRACE_IMAGE)->isEnabled());
    WhenModal<CReferenceImageDialog>([](CReferenceImageDialog* d) { Click(d, "okButton"); });
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_REFERENCE_IMAGE));
    EXPECT_EQ(asked, "yes");
    ASSERT_TRUE(Doc()->m_reference.IsLoaded());
    Idle();
    EXPECT_TRUE(Frame()->Actions().Action(ID_OBJECT_TRACE_IMAGE)->isEnabled());
    View()->UpdateWindow();
    const QPoint middle(View()->width() / 2, View()->height() / 2);
    const QRgb shown = View()->Surface().pixel(middle + QPoint(-50, -30));
    EXPECT_NEAR(qRed(shown), 128, 2); // red at the default half opacity
    EXPECT_EQ(qGreen(shown), 0);

    // The file holds the empty object only: the 24-byte header.
    user.saveNames = {Path("traced.vrk")};
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_SAVE));
    EXPECT_EQ(ReadFile("traced.vrk").size(), 24);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_HIDE_REFERENCE_IMAGE));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_CLOSE));
    Idle();

    // Reopened: the picture comes back, hidden as it was left.
    ASSERT_NE(app->DocManager().OpenDocumentFile(Path("traced.vrk")), nullptr);
    Idle();
    EXPECT_TRUE(Doc()->m_reference.IsLoaded());
    EXPECT_TRUE(Doc()->m_reference.hidden);
    EXPECT_TRUE(Doc()->m_reference.backdrop);
    EXPECT_EQ(Doc()->m_reference.path, Path("picture.png"));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_HIDE_REFERENCE_IMAGE));
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_CLOSE));
    Idle();

    // The picture has gone: a message, and the document opens without it.
    ASSERT_TRUE(QFile::remove(Path("picture.png")));
    user.messages.clear();
    ASSERT_NE(app->DocManager().OpenDocumentFile(Path("traced.vrk")), nullptr);
    Idle();
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("picture.png")) << user.messages[0].toStdString();
    EXPECT_FALSE(Doc()->m_reference.IsLoaded());
    EXPECT_EQ(Doc()->m_shape.GetSize(), 0);
}
