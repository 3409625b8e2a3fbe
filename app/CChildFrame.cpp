#include "app/CChildFrame.h"

#include "res/AppIcon.h"
#include "view/CMorvetView.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CMorvetDoc* pDoc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(pDoc), m_pView(new CMorvetView(pDoc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(DocumentIcon());
    setWidget(m_pView);
    setMinimumSize(120, 90);
}

CChildFrame::~CChildFrame() = default;

CMorvetView* CChildFrame::View() const {
    return m_pView;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bClosed)
        return;
    if (canClose && !canClose(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_bClosed = true;
    if (onClosed)
        onClosed(this);
}
