#include "document/CMorvetDoc.h"
#include "platform/CellHeightFont.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"
#include "view/CPrintInfo.h"
#include "view/CPrintJob.h"

#include <QFont>
#include <QMessageBox>

bool CMorvetView::OnPreparePrinting(CPrintInfo* pInfo) {
    pInfo->SetMaxPage(2);
    const bool ok = CPrintJob::DoPreparePrinting(this, pInfo);
    // The preview opens on both pages side by side.
    pInfo->m_nNumPreviewPages = 2;
    return ok;
}

void CMorvetView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CMorvetView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CMorvetView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
    const QString title = GetDocument()->GetTitle();
    if (pInfo->m_nCurPage == 1) {
        // The title page: the title in large letters of the default face, in
        // a character cell 75 units high.
        const QFont large = CellHeightFont(QFont(), 75, pDC->Painter()->device());
        const QFont old = pDC->SelectFont(large);
        pDC->SetTextAlign(TA_CENTER);
        pDC->TextOut(pInfo->m_rectDraw.right / 2, -100, title);
        pDC->SelectFont(old);
        return;
    }
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    pDC->TextOut(0, -25, title);
    const int h = pDC->GetTextHeight();
    const int y = -35 - h;
    pDC->MoveTo(0, y);
    pDC->LineTo(pInfo->m_rectDraw.right, y);
    pInfo->m_rectDraw.top += y - 25;
    pDC->SetWindowOrg(pInfo->m_rectDraw.left, -pInfo->m_rectDraw.top);
    CPrintJob::PrepareViewDrawing(pDC);
    OnDraw(pDC);
}

void CMorvetView::AddPrintCommands(std::vector<CViewCommand>& commands) {
    // Printing is always enabled while a view is active.
    const auto enabled = [](CMorvetView&, CCmdUI* ui) { ui->Enable(true); };
    const auto print = [](CMorvetView& view, bool direct) {
        CPrintInfo info;
        if (!CPrintJob::Print(&view, direct, &info) && !info.m_strError.isEmpty())
            QMessageBox::warning(&view, QStringLiteral("Morvet"), info.m_strError);
    };
    commands.push_back({{ID_FILE_PRINT,
                         "&Print...\tCtrl+P",
                         "Print the active document",
                         "Print",
                         {CtrlKey(Qt::Key_P)}},
                        [print](CMorvetView& view) { print(view, false); },
                        enabled});
    commands.push_back(
        {{ID_FILE_PRINT_DIRECT}, [print](CMorvetView& view) { print(view, true); }, enabled});
    commands.push_back(
        {{ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages", "Print Preview"},
         [](CMorvetView& view) { CPrintJob::Preview(&view); },
         enabled});
}
