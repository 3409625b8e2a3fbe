#pragma once
#include "platform/CRect.h"

#include <QString>

class QPrinter;

// What one print job, or one painting of the print preview, knows about its
// pages. The view's printing hooks read and set it; CPrintJob runs the job.
class CPrintInfo {
public:
    void SetMinPage(unsigned int n) { m_nMinPage = n; }
    void SetMaxPage(unsigned int n) { m_nMaxPage = n; }
    unsigned int GetMinPage() const { return m_nMinPage; }
    unsigned int GetMaxPage() const { return m_nMaxPage; }
    // The pages the user chose in the print dialog; all pages unless a range was chosen.
    unsigned int GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
    unsigned int GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }
    void SetPageRange(unsigned int from, unsigned int to) {
        m_nFromPage = from;
        m_nToPage = to;
    }

    // The printer of the job; the preview hands its own for every painting.
    QPrinter* m_pPrinter = nullptr;
    // Printing without the print dialog (the command line).
    bool m_bDirect = false;
    bool m_bPreview = false;
    unsigned int m_nCurPage = 1;
    // How many pages the preview shows at once.
    unsigned int m_nNumPreviewPages = 1;
    // The page's printable area in the printer context's logical coordinates.
    CRect m_rectDraw;
    // Why the job did not start, for the caller to show.
    QString m_strError;

private:
    unsigned int m_nMinPage = 1;
    unsigned int m_nMaxPage = 0xFFFF;
    unsigned int m_nFromPage = 0;
    unsigned int m_nToPage = 0;
};
