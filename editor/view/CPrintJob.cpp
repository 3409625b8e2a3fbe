#include "view/CPrintJob.h"

#include "document/CMorvetDoc.h"
#include "platform/CDC.h"
#include "platform/FileKey.h"
#include "view/CMorvetView.h"
#include "view/CPrintInfo.h"
#include "view/CViewHost.h"
#include "view/PrintSystem.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <functional>
#include <vector>

namespace {
// The printer context's mapping for a page. The printer's resolution is set to
// kUnitsPerInch for the job, so one logical unit is one screen pixel on paper
// and one-unit pens stay visible. The origin is the printable area's top-left
// corner and y grows upwards, as in the framework's English mapping modes: the
// title at y = -100, the header at -25 and the rule under it at -35 - h then
// run down the page in that order, inside the printable area, and moving the
// window origin to minus the drawing rectangle's top moves the drawing below
// the header.
void PreparePageDC(CDC* pDC) {
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(1, 1);
    pDC->SetViewportExt(1, -1);
}

std::vector<unsigned int> PageSequence(const CPrintInfo& info, const QPrinter& printer) {
    std::vector<unsigned int> pages;
    for (unsigned int p = info.GetFromPage(); p <= info.GetToPage() && p != 0; ++p)
        pages.push_back(p);
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pages.begin(), pages.end());
    // Printers that cannot make copies themselves get them page by page.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<unsigned int> sequence;
    if (printer.collateCopies()) {
        for (int c = 0; c < copies; ++c)
            sequence.insert(sequence.end(), pages.begin(), pages.end());
    } else {
        for (unsigned int p : pages)
            sequence.insert(sequence.end(), size_t(copies), p);
    }
    return sequence;
}

// Runs a step once, the first time the watched widget is shown.
class ShowFilter : public QObject {
public:
    explicit ShowFilter(std::function<void()> onShow) : m_onShow(std::move(onShow)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && m_onShow) {
            const auto step = std::move(m_onShow);
            m_onShow = nullptr;
            step();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onShow;
};

bool SameFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && FileKey(a) == FileKey(b);
}

QString Destination(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QDir::toNativeSeparators(printer.outputFileName());
    return printer.printerName();
}
} // namespace

QPrinter* CPrintJob::SharedPrinter() {
    static QPrinter own(QPrinter::HighResolution);
    return &own;
}

QPrinter* CPrintJob::PrinterFor(const CMorvetView* view) {
    return view && view->Host() ? &view->Host()->Printer() : SharedPrinter();
}

bool CPrintJob::DoPreparePrinting(QWidget* parent, CPrintInfo* pInfo) {
    pInfo->m_strError.clear();
    QPrinter* printer = pInfo->m_pPrinter;
    if (!printer) {
        pInfo->m_strError = QStringLiteral("No printer was given for the job.");
        return false;
    }
    if (pInfo->m_bPreview)
        return true;
    if (pInfo->m_bDirect) {
        if (printer->outputFormat() == QPrinter::PdfFormat) {
            if (!printer->outputFileName().isEmpty())
                return true;
        } else if (printer->isValid() && !printer->printerName().isEmpty()) {
            return true;
        }
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        if (fallback.isNull()) {
            pInfo->m_strError = QStringLiteral("There is no printer to print to.");
            return false;
        }
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(fallback.printerName());
        return true;
    }

    printer->setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(int(pInfo->GetMinPage()), int(pInfo->GetMaxPage()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        const unsigned int from = std::max(unsigned(printer->fromPage()), pInfo->GetMinPage());
        const unsigned int to = std::min(unsigned(printer->toPage()), pInfo->GetMaxPage());
        pInfo->SetPageRange(from, std::max(from, to));
    }
    return true;
}

bool CPrintJob::PrintPages(CMorvetView* view, CPrintInfo* pInfo) {
    QPrinter* printer = pInfo->m_pPrinter;
    // A PDF named like the object file would replace the file with its own
    // printout. The preview paints to the screen, whatever file is named.
    if (!pInfo->m_bPreview && printer->outputFormat() == QPrinter::PdfFormat &&
        SameFile(printer->outputFileName(), view->GetDocument()->GetPathName())) {
        pInfo->m_strError = QStringLiteral("Cannot write %1: it is the object file being printed.")
                                .arg(Destination(*printer));
        return false;
    }
    // A print queue that refuses jobs would take the pages and drop them in
    // silence; it is asked first, and once more about the job itself below.
    const bool toQueue = !pInfo->m_bPreview && printer->outputFormat() == QPrinter::NativeFormat;
    if (toQueue) {
        const QString refusal = PrintSystem::QueueRefusal(printer->printerName());
        if (!refusal.isEmpty()) {
            pInfo->m_strError = QStringLiteral("The printer %1 did not accept the job: %2.")
                                    .arg(Destination(*printer), refusal);
            return false;
        }
    }
    printer->setResolution(kUnitsPerInch);
    printer->setDocName(view->GetDocument()->GetTitle());
    QPainter painter;
    if (!painter.begin(printer)) {
        pInfo->m_strError = printer->outputFormat() == QPrinter::PdfFormat
                                ? QStringLiteral("Cannot write %1.").arg(Destination(*printer))
                                : QStringLiteral("The printer %1 did not accept the job.")
                                      .arg(Destination(*printer));
        return false;
    }
    {
        CDC dc(&painter, true);
        view->OnBeginPrinting(&dc, pInfo);
    }
    bool first = true;
    bool ok = true;
    for (unsigned int page : PageSequence(*pInfo, *printer)) {
        if (!first && !printer->newPage()) {
            pInfo->m_strError = QStringLiteral("Printing stopped before page %1.").arg(page);
            ok = false;
            break;
        }
        first = false;
        // Every page starts from the printer context's own state.
        painter.setClipping(false);
        CDC dc(&painter, true);
        PreparePageDC(&dc);
        pInfo->m_nCurPage = page;
        pInfo->m_rectDraw = CRect(0, 0, painter.device()->width(), painter.device()->height());
        dc.DPtoLP(&pInfo->m_rectDraw);
        view->OnPrepareDC(&dc, pInfo);
        view->OnPrint(&dc, pInfo);
    }
    {
        CDC dc(&painter, true);
        view->OnEndPrinting(&dc, pInfo);
    }
    if (!painter.end() && ok) {
        pInfo->m_strError =
            QStringLiteral("The job for %1 could not be finished.").arg(Destination(*printer));
        ok = false;
    }
    if (ok && toQueue) {
        const QString refusal = PrintSystem::JobRefusal();
        if (!refusal.isEmpty()) {
            pInfo->m_strError = QStringLiteral("The printer %1 did not accept the job: %2")
                                    .arg(Destination(*printer), refusal);
            ok = false;
        }
    }
    return ok;
}

bool CPrintJob::Print(CMorvetView* view, bool direct, CPrintInfo* pInfo) {
    pInfo->m_pPrinter = PrinterFor(view);
    // Named before the dialog opens, which offers it for a PDF file's name.
    pInfo->m_pPrinter->setDocName(view->GetDocument()->GetTitle());
    pInfo->m_bDirect = direct;
    if (!view->OnPreparePrinting(pInfo))
        return false;
    const bool ok = PrintPages(view, pInfo);
    // The printer context moved the object; the screen takes it back.
    view->Invalidate(false);
    return ok;
}

void CPrintJob::Preview(CMorvetView* view) {
    CPrintInfo prepared;
    prepared.m_bPreview = true;
    prepared.m_pPrinter = PrinterFor(view);
    if (!view->OnPreparePrinting(&prepared))
        return;
    QPrintPreviewDialog dialog(prepared.m_pPrinter, view);
    dialog.setWindowTitle(
        QStringLiteral("Print Preview - %1").arg(view->GetDocument()->GetTitle()));
    // The overview fits the pages into the window once, when it is chosen: so
    // it is chosen when the dialog shows, with its pages made and its size
    // known, and through the dialog's own button, which then shows as pressed.
    ShowFilter chooseMode([&dialog, &prepared] {
        const QString wanted = prepared.m_nNumPreviewPages > 1
                                   ? QStringLiteral("Show overview of all pages")
                                   : QStringLiteral("Show single page");
        for (QAction* action : dialog.findChildren<QAction*>())
            if (action->text() == wanted) {
                action->trigger();
                return;
            }
        if (QPrintPreviewWidget* pages = dialog.findChild<QPrintPreviewWidget*>()) {
            if (prepared.m_nNumPreviewPages > 1)
                pages->setAllPagesViewMode();
            else
                pages->setSinglePageViewMode();
        }
    });
    dialog.installEventFilter(&chooseMode);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, view, [&](QPrinter* printer) {
        CPrintInfo info = prepared;
        info.m_pPrinter = printer;
        PrintPages(view, &info);
    });
    dialog.exec();
    view->Invalidate(false);
}

bool CPrintJob::PrintToPdf(CMorvetView* view, const QString& path, QString* error) {
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("No PDF file was named.");
        return false;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(PrinterFor(view)->pageLayout());
    pdf.setOutputFileName(path);
    CPrintInfo info;
    info.m_pPrinter = &pdf;
    info.m_bDirect = true;
    const bool ok = view->OnPreparePrinting(&info) && PrintPages(view, &info);
    view->Invalidate(false);
    if (!ok && error)
        *error = info.m_strError;
    return ok;
}

// OnDraw draws the view as its window shows it, y growing downwards, and
// fills its clip box black; so the drawing turns the y axis down and is
// clipped to the drawing rectangle, leaving the header above on white.
// OnDraw converts the window's middle through this context and then draws at
// the result as a logical point, so an offset between the viewport and window
// origins counts twice: half the drawing rectangle's offset from the page
// corner lays the window's top-left corner on the drawing rectangle's.
void CPrintJob::PrepareViewDrawing(CDC* pDC) {
    CPoint corner(0, 0);
    pDC->LPtoDP(&corner);
    const QPaintDevice* device = pDC->Painter()->device();
    pDC->SetDeviceClip(CRect(corner.x, corner.y, device->width(), device->height()));
    const CPoint org = pDC->GetWindowOrg();
    pDC->SetViewportExt(1, 1);
    pDC->SetViewportOrg(org.x + corner.x / 2, org.y + corner.y / 2);
}
