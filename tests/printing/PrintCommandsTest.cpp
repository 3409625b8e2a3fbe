#include "ModalDialog.h"
#include "PdfPages.h"
#include "PrintingFixture.h"
#include "res/CommandIds.h"
#include "view/CPrintInfo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSpinBox>

using PrintCommands = PrintingFixture;

TEST_F(PrintCommands, PrintCommandsAreEnabledWhileAViewIsActive) {
    for (int id : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
        CCmdUI ui(id);
        ui.m_bEnabled = false;
        EXPECT_TRUE(view->OnCmdMsg(id, &ui)) << id;
        EXPECT_TRUE(ui.m_bEnabled) << id;
    }
    CCmdUI other(ID_FILE_PRINT_SETUP);
    EXPECT_FALSE(view->OnCmdMsg(ID_FILE_PRINT_SETUP, &other));
}

TEST_F(PrintCommands, PrintDialogOffersBothPagesAndCancelPrintsNothing) {
    QPrinter* printer = CPrintJob::SharedPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(Path("cancelled.pdf"));
    bool seen = false;
    WhenModalOpens<QPrintDialog>([&](QPrintDialog* dlg) {
        seen = true;
        EXPECT_EQ(dlg->minPage(), 1);
        EXPECT_EQ(dlg->maxPage(), 2);
        EXPECT_TRUE(dlg->testOption(QAbstractPrintDialog::PrintPageRange));
        // Without any printer installed, a PDF file is still on offer.
        auto* printers = dlg->findChild<QComboBox*>("printers");
        ASSERT_TRUE(printers);
        EXPECT_GE(printers->findText("Print to File (PDF)"), 0);
        dlg->reject();
    });
    CPrintInfo info;
    EXPECT_FALSE(CPrintJob::Print(view.get(), false, &info));
    EXPECT_TRUE(seen);
    EXPECT_TRUE(info.m_strError.isEmpty()) << "a cancel is no error";
    EXPECT_FALSE(QFileInfo::exists(Path("cancelled.pdf")));
}

TEST_F(PrintCommands, PrintDialogPrintsTheChosenPagesToAPdfFile) {
    AddRectangle(100, 80, 180, 140, RGB(0, 0, 255));
    QPrinter* printer = CPrintJob::SharedPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(Path("all.pdf"));
    WhenModalOpens<QPrintDialog>([](QPrintDialog* dlg) { dlg->accept(); });
    ASSERT_TRUE(view->OnCmdMsg(ID_FILE_PRINT, nullptr));
    EXPECT_EQ(PdfPages::Count(Path("all.pdf")), 2);

    // Only the drawing page, chosen in the dialog's page range.
    printer->setOutputFileName(Path("second.pdf"));
    WhenModalOpens<QPrintDialog>([](QPrintDialog* dlg) {
        auto* range = dlg->findChild<QRadioButton*>("printRange");
        auto* from = dlg->findChild<QSpinBox*>("from");
        auto* to = dlg->findChild<QSpinBox*>("to");
        ASSERT_TRUE(range && from && to);
        EXPECT_EQ(from->maximum(), 2);
        range->setChecked(true);
        to->setValue(2);
        from->setValue(2);
        dlg->accept();
    });
    CPrintInfo info;
    ASSERT_TRUE(CPrintJob::Print(view.get(), false, &info)) << info.m_strError.toStdString();
    EXPECT_EQ(PdfPages::Count(Path("second.pdf")), 1);
    EXPECT_EQ(PdfPages::Text(Path("second.pdf"), 1), "Object1");
    EXPECT_EQ(PdfPages::Image(Path("second.pdf"), 1).pixel(kMargin + 140, 240) & 0xFFFFFF,
              0x0000FFu);
}

TEST_F(PrintCommands, PreviewShowsBothPagesSideBySide) {
    bool seen = false;
    WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* dlg) {
        seen = true;
        auto* pages = dlg->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(pages);
        pages->updatePreview();
        EXPECT_EQ(pages->pageCount(), 2);
        EXPECT_EQ(pages->viewMode(), QPrintPreviewWidget::AllPagesView);
        dlg->reject();
    });
    ASSERT_TRUE(view->OnCmdMsg(ID_FILE_PRINT_PREVIEW, nullptr));
    EXPECT_TRUE(seen);
}

TEST_F(PrintCommands, PreviewOpensWithBothWholePagesInSightAndItsToolbarAgreeing) {
    bool seen = false;
    WhenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog* dlg) {
        seen = true;
        auto* pages = dlg->findChild<QPrintPreviewWidget*>();
        auto* canvas = pages ? pages->findChild<QGraphicsView*>() : nullptr;
        ASSERT_TRUE(canvas);
        const QRectF inSight = canvas->mapToScene(canvas->viewport()->rect()).boundingRect();
        EXPECT_TRUE(inSight.contains(canvas->scene()->itemsBoundingRect()))
            << "zoom " << pages->zoomFactor();
        QAction* overview = nullptr;
        for (QAction* action : dlg->findChildren<QAction*>())
            if (action->text() == QStringLiteral("Show overview of all pages"))
                overview = action;
        ASSERT_TRUE(overview);
        EXPECT_TRUE(overview->isChecked());
        dlg->reject();
    });
    ASSERT_TRUE(view->OnCmdMsg(ID_FILE_PRINT_PREVIEW, nullptr));
    EXPECT_TRUE(seen);
}

TEST_F(PrintCommands, DirectPrintWithoutAPrinterSaysSo) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a printer";
    QPrinter* printer = CPrintJob::SharedPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString());
    CPrintInfo info;
    EXPECT_FALSE(CPrintJob::Print(view.get(), true, &info));
    EXPECT_EQ(info.m_strError, "There is no printer to print to.");
}
