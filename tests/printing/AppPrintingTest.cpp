#include "ModalDialog.h"
#include "app/CMainFrame.h"
#include "app/CMorvetApp.h"
#include "app/CommandLine.h"
#include "res/CommandIds.h"
#include "view/CPrintJob.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QTemporaryDir>

namespace {
CShellPrompts Quiet() {
    CShellPrompts p;
    p.message = [](QWidget*, QMessageBox::Icon, const QString&, QMessageBox::StandardButtons) {
        return QMessageBox::Ok;
    };
    p.openFileName = [](QWidget*) { return QString(); };
    p.saveFileName = [](QWidget*, const QString&) { return QString(); };
    return p;
}
} // namespace

// Print and Print Preview reach the active view from the main frame's
// commands and print through the application's printer, the one Print Setup
// sets up.
TEST(AppPrinting, FrameCommandsReachTheViewWithTheApplicationsPrinter) {
    QTemporaryDir dir;
    CMorvetApp app(std::make_unique<QSettings>(dir.filePath("s.ini"), QSettings::IniFormat),
                   Quiet());
    ASSERT_TRUE(app.InitInstance(ParseCommandLine({"morvet"})));
    QCoreApplication::processEvents();
    CCommandRouter& router = app.MainFrame()->Router();
    EXPECT_EQ(CPrintJob::PrinterFor(app.MainFrame()->ActiveView()), &app.Printer());
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        EXPECT_TRUE(router.IsEnabled(id)) << id;

    bool printed = false;
    WhenModalOpens<QPrintDialog>([&](QPrintDialog* dlg) {
        printed = true;
        EXPECT_EQ(dlg->printer(), &app.Printer());
        EXPECT_EQ(dlg->maxPage(), 2);
        dlg->reject();
    });
    EXPECT_TRUE(router.Execute(ID_FILE_PRINT));
    EXPECT_TRUE(printed);

    bool previewed = false;
    WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* dlg) {
        previewed = true;
        auto* pages = dlg->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(pages);
        pages->updatePreview();
        EXPECT_EQ(pages->pageCount(), 2);
        dlg->reject();
    });
    EXPECT_TRUE(router.Execute(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(previewed);
}
