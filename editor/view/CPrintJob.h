#pragma once
#include <QString>

class CDC;
class CMorvetView;
class CPrintInfo;
class QPrinter;
class QWidget;

// Runs printing for a view: the print dialog, the page loop with the printer
// context's mapping, and the view's hooks. The print dialog, print preview,
// printing without a dialog and writing a PDF all go through PrintPages.
class CPrintJob {
public:
    // Logical units per inch on the printed page: a screen pixel, so a drawing
    // prints at the size it has in its window.
    static constexpr int kUnitsPerInch = 96;

    // The printer of windows without an application (tests, a print from the
    // command line): one for all of them, as the application has one.
    static QPrinter* SharedPrinter();
    // The printer a view prints on: its application's, the one Print Setup
    // sets up; without one, the shared printer above.
    static QPrinter* PrinterFor(const CMorvetView* view);

    // The framework's part of preparing a job: the print dialog, offering the
    // pages pInfo allows, unless the job is direct or a preview. A direct job
    // needs a printer or a file to go to. False when the job must not run,
    // with the reason in pInfo->m_strError unless the user cancelled.
    static bool DoPreparePrinting(QWidget* parent, CPrintInfo* pInfo);

    // Paints the chosen pages of the view onto pInfo->m_pPrinter.
    static bool PrintPages(CMorvetView* view, CPrintInfo* pInfo);

    // Print with the dialog, or directly (no dialog) on the shared printer.
    // False when nothing was printed; pInfo->m_strError says why, and is empty
    // when the user cancelled.
    static bool Print(CMorvetView* view, bool direct, CPrintInfo* pInfo);
    // The preview window, modal, painting through PrintPages.
    static void Preview(CMorvetView* view);
    // Both pages into a PDF file, laid out on the shared printer's paper.
    static bool PrintToPdf(CMorvetView* view, const QString& path, QString* error);

    // The mapping OnPrint draws the view's drawing with; see CPrintJob.cpp.
    static void PrepareViewDrawing(CDC* pDC);
};
