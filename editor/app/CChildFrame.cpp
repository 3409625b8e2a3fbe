#include "app/CChildFrame.h"

#include "res/AppIcon.h"
#include "view/CMorvetView.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <utility>

CChildFrame::CChildFrame(CMorvetDoc* pDoc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(pDoc), m_pView(new CMorvetView(pDoc)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(DocumentIcon());
    setWidget(m_pView);
    setMinimumSize(120, 90);
    SetSystemMenuPrompts();
}

void CChildFrame::SetSystemMenuPrompts() {
    QMenu* menu = systemMenu();
    if (!menu)
        return;
    static const std::pair<const char*, const char*> prompts[] = {
        {"Restore", "Restore the window to normal size"},
        {"Move", "Change the window position"},
        {"Size", "Change the window size"},
        {"Minimize", "Reduce the window to an icon"},
        {"Maximize", "Enlarge the window to full size"},
        {"Close", "Close the active window and prompts to save the documents"},
    };
    for (QAction* action : menu->actions()) {
        const QString name = action->text().remove(QLatin1Char('&'));
        for (const auto& prompt : prompts)
            if (name == QLatin1String(prompt.first))
                action->setStatusTip(QString::fromUtf8(prompt.second));
    }
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
    m_bClosing = true;
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted()) {
        m_bClosing = false;
        return;
    }
    m_bClosed = true;
    if (onClosed)
        onClosed(this);
}
