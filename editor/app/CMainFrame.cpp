#include "app/CMainFrame.h"

#include "app/CAcceleratorFilter.h"
#include "app/CChildFrame.h"
#include "app/CCommandActions.h"
#include "app/CDocManager.h"
#include "app/CLockKeyIndicators.h"
#include "app/CMenuPromptStyle.h"
#include "app/CViewPanes.h"
#include "document/CMorvetDoc.h"
#include "panels/CSimulationWindow.h"
#include "res/AppIcon.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "res/ToolbarIcons.h"
#include "view/CMorvetView.h"
#include "view/Clipboard.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

namespace {
const QString kAppTitle = QStringLiteral("Morvet");
}

CMainFrame::CMainFrame(CDocManager& docs, CRecentFileList& recentFiles)
    : m_docs(docs), m_recentFiles(recentFiles) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(AppIcon());
    m_strTitle = kAppTitle;
    setWindowTitle(m_strTitle);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdiArea);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    m_menuStyle = CMenuPromptStyle::Instance();
    m_router.SetActiveViewSource([this] { return ActiveView(); });
    m_actions = new CCommandActions(this, [this](int id) { ExecuteCommand(id); });
    m_router.SetRegistrationObserver(
        [this](const CCommandInfo& info) { m_actions->Describe(info); });
    CreateBars();
    BuildMenus();
    ShowMenu(IDR_MAIN_FRAME);
    m_router.AddViewCommands();
    RegisterFrameCommands();

    m_accelerators = new CAcceleratorFilter(this, m_router, [this](int id) { ExecuteCommand(id); });
    m_accelerators->onInput = [this] { RequestIdleUpdate(); };
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &CMainFrame::OnIdleUpdateCmdUI);

    resize(900, 650);
    OnIdleUpdateCmdUI();
}

CMainFrame::~CMainFrame() {
    m_idleTimer.stop();
    m_idleHandlers.clear();
    disconnect(m_mdiArea, nullptr, this, nullptr);
    for (CChildFrame* child : m_children) {
        child->canClose = nullptr;
        child->onClosed = nullptr;
    }
    m_children.clear();
    // Elements cut or copied stay pasteable for the whole run; the run ends
    // with the main frame.
    DestroyClipboardElements();
}

void CMainFrame::CreateBars() {
    m_toolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(kToolbarIconWidth, kToolbarIconHeight));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolbarLayout()) {
        if (id == 0)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_actions->Action(id));
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    m_readyPane = new QLabel(QStringLiteral("Ready"), statusBar());
    statusBar()->addWidget(m_readyPane, 1);
    m_viewPanes = new CViewPanes(statusBar());
    m_lockKeys = new CLockKeyIndicators(statusBar());
}

void CMainFrame::RegisterFrameCommands() {
    const auto needDocument = [this](CCmdUI* ui) { ui->Enable(ActiveDocument() != nullptr); };
    m_router.Add(
        {ID_FILE_CLOSE, "&Close", "Close the active document", "Close"},
        [this] { m_docs.CloseDocument(ActiveDocument()); }, needDocument);
    m_router.Add(
        {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document", "Save", {CtrlKey(Qt::Key_S)}},
        [this] { m_docs.DoFileSave(ActiveDocument()); }, needDocument);
    m_router.Add(
        {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name", "Save As"},
        [this] { m_docs.DoSaveAs(ActiveDocument()); }, needDocument);

    m_router.Add(
        {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
        [this] { m_toolBar->setVisible(m_toolBar->isHidden()); },
        [this](CCmdUI* ui) { ui->SetCheck(m_toolBar->isHidden() ? 0 : 1); });
    m_router.Add(
        {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
        [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CCmdUI* ui) { ui->SetCheck(statusBar()->isHidden() ? 0 : 1); });

    m_router.Add(
        {ID_WINDOW_NEW, "&New Window", "Open another window for the active document", "New Window"},
        [this] {
            if (CMorvetDoc* doc = ActiveDocument())
                CreateChildFrame(doc);
        },
        needDocument);
    const auto needWindows = [this](CCmdUI* ui) { ui->Enable(!m_children.empty()); };
    m_router.Add(
        {ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap", "Cascade Windows"},
        [this] { m_mdiArea->cascadeSubWindows(); }, needWindows);
    m_router.Add(
        {ID_WINDOW_TILE_HORZ, "&Tile", "Arrange windows as non-overlapping tiles", "Tile Windows"},
        [this] { m_mdiArea->tileSubWindows(); }, needWindows);
    m_router.Add(
        {ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange icons at the bottom of the window",
         "Arrange Icons"},
        [this] { ArrangeIcons(); }, needWindows);

    // No window is split into panes, so F6 and Shift+F6 have nowhere to go.
    const auto noPanes = [](CCmdUI* ui) { ui->Enable(false); };
    m_router.Add(
        {ID_NEXT_PANE,
         nullptr,
         "Switch to the next window pane",
         "Next Pane",
         {PlainKey(Qt::Key_F6)}},
        [] {}, noPanes);
    m_router.Add(
        {ID_PREV_PANE,
         nullptr,
         "Switch back to the previous window pane",
         "Previous Pane",
         {ShiftKey(Qt::Key_F6)}},
        [] {}, noPanes);

    // Ctrl+F4 closes the window as its close button does, with the save
    // prompt when it is the document's last one.
    m_router.Add(
        {ID_WINDOW_CLOSE_ACTIVE,
         nullptr,
         "Close the active window",
         "Close Window",
         {CtrlKey(Qt::Key_F4)}},
        [this] {
            if (m_pActiveChild)
                m_pActiveChild->close();
        },
        needDocument);
    const auto needTwoWindows = [this](CCmdUI* ui) { ui->Enable(m_children.size() > 1); };
    m_router.Add(
        {ID_WINDOW_NEXT,
         nullptr,
         "Switch to the next window",
         "Next Window",
         {CtrlKey(Qt::Key_F6)}},
        [this] { ActivateNeighbour(+1); }, needTwoWindows);
    m_router.Add(
        {ID_WINDOW_PREV,
         nullptr,
         "Switch to the previous window",
         "Previous Window",
         {CtrlShiftKey(Qt::Key_F6)}},
        [this] { ActivateNeighbour(-1); }, needTwoWindows);
}

void CMainFrame::ActivateNeighbour(int step) {
    // The order of the Window menu's list, round and round.
    const auto it = std::find(m_children.begin(), m_children.end(), m_pActiveChild.data());
    if (it == m_children.end() || m_children.size() < 2)
        return;
    const auto count = std::ptrdiff_t(m_children.size());
    const auto next = ((it - m_children.begin()) + step + count) % count;
    ActivateChild(m_children[size_t(next)]);
}

bool CMainFrame::ExecuteCommand(int id) {
    const bool ran = m_router.Execute(id);
    RequestIdleUpdate();
    return ran;
}

void CMainFrame::RequestIdleUpdate() {
    if (!m_idleTimer.isActive())
        m_idleTimer.start(0);
}

void CMainFrame::OnIdleUpdateCmdUI() {
    UpdateRecentFileItems();
    m_actions->UpdateAll(m_router);
    m_lockKeys->Refresh();
    m_viewPanes->Refresh(ActiveView());
    for (const auto& handler : m_idleHandlers)
        handler();
}

void CMainFrame::AddIdleHandler(std::function<void()> handler) {
    m_idleHandlers.push_back(std::move(handler));
}

CMorvetView* CMainFrame::ActiveView() const {
    return m_pActiveChild ? m_pActiveChild->View() : nullptr;
}

CMorvetDoc* CMainFrame::ActiveDocument() const {
    return m_pActiveChild ? m_pActiveChild->Document() : nullptr;
}

QString CMainFrame::StatusText() const {
    const QString message = statusBar()->currentMessage();
    return message.isEmpty() ? m_readyPane->text() : message;
}

CChildFrame* CMainFrame::CreateChildFrame(CMorvetDoc* pDoc) {
    const bool maximized = m_pActiveChild && m_pActiveChild->isMaximized();
    auto* child = new CChildFrame(pDoc);
    child->View()->SetHost(m_pViewHost);
    if (QMenu* system = child->systemMenu())
        system->setStyle(m_menuStyle);
    child->canClose = [this](CChildFrame* c) { return CanCloseChild(c); };
    child->onClosed = [this](CChildFrame* c) { OnChildClosed(c); };
    m_mdiArea->addSubWindow(child);
    m_children.push_back(child);
    // New windows cascade down from the top-left corner. Before the frame is
    // first shown its area has no size yet; the frame's own size stands in.
    QSize area = m_mdiArea->viewport()->size();
    if (!isVisible())
        area = size() - QSize(0, 120);
    child->resize(std::max(320, area.width() * 3 / 4), std::max(240, area.height() * 3 / 4));
    const int step = int(m_children.size() - 1) % 8 * 24;
    child->move(step, step);
    UpdateFrameTitles();
    if (maximized)
        child->showMaximized();
    else
        child->show();
    ActivateChild(child);
    return child;
}

void CMainFrame::ActivateDocument(CMorvetDoc* pDoc) {
    for (CChildFrame* child : m_children)
        if (child->Document() == pDoc) {
            ActivateChild(child);
            return;
        }
}

void CMainFrame::ActivateChild(CChildFrame* child) {
    if (child->isMinimized())
        child->showNormal();
    m_mdiArea->setActiveSubWindow(child);
    SetActiveChild(child);
    if (CMorvetView* view = child->View())
        view->setFocus();
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    auto* child = qobject_cast<CChildFrame*>(window);
    // The area reports no active window when the main window itself loses
    // the focus; the document window stays the active one.
    if (!child || std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        return;
    // The area hands the activation on by creation order while the active
    // window closes; the window that takes over is chosen once it has closed.
    if (m_pActiveChild && m_pActiveChild->IsClosing())
        return;
    SetActiveChild(child);
}

void CMainFrame::SetActiveChild(CChildFrame* child) {
    CMorvetView* newView = child ? child->View() : nullptr;
    CMorvetView* oldView = m_pActiveView;
    m_pActiveChild = child;
    m_pActiveView = newView;
    if (child) {
        m_activationOrder.erase(
            std::remove(m_activationOrder.begin(), m_activationOrder.end(), child),
            m_activationOrder.end());
        m_activationOrder.push_back(child);
    }
    if (oldView != newView) {
        if (oldView)
            oldView->OnActivateView(false, newView, oldView);
        if (newView)
            newView->OnActivateView(true, newView, oldView);
    }
    ShowMenu(m_children.empty() ? IDR_MAIN_FRAME : IDR_OBJECT_TYPE);
    UpdateFrameTitles();
    RequestIdleUpdate();
}

bool CMainFrame::CanCloseChild(CChildFrame* child) {
    if (m_bClosingQuietly)
        return true;
    CMorvetDoc* doc = child->Document();
    const auto windows = std::count_if(m_children.begin(), m_children.end(),
                                       [doc](CChildFrame* c) { return c->Document() == doc; });
    return windows > 1 || m_docs.SaveModified(doc);
}

void CMainFrame::OnChildClosed(CChildFrame* child) {
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    m_activationOrder.erase(std::remove(m_activationOrder.begin(), m_activationOrder.end(), child),
                            m_activationOrder.end());
    CMorvetDoc* doc = child->Document();
    CMorvetView* view = child->View();
    if (m_pActiveView == view)
        m_pActiveView = nullptr;
    if (m_pActiveChild == child)
        m_pActiveChild = nullptr;
    // The view leaves its document now; the window itself goes later.
    delete view;
    if (doc->Views().empty()) {
        CSimulationWindow::CloseFor(doc);
        m_docs.RemoveDocument(doc);
    }

    // Another window that closes leaves the active one active; the active
    // window hands over to the one that was active before it, as in every
    // multiple-document program, not to the next one in creation order.
    CChildFrame* next = m_pActiveChild;
    if (!next && !m_activationOrder.empty())
        next = m_activationOrder.back();
    if (next)
        ActivateChild(next);
    else
        SetActiveChild(nullptr);
}

void CMainFrame::CloseFramesOf(CMorvetDoc* pDoc) {
    std::vector<CChildFrame*> frames;
    for (CChildFrame* child : m_children)
        if (child->Document() == pDoc)
            frames.push_back(child);
    m_bClosingQuietly = true;
    for (CChildFrame* child : frames)
        child->close();
    m_bClosingQuietly = false;
}

void CMainFrame::OnDocumentStateChanged(CMorvetDoc*) {
    UpdateFrameTitles();
    RequestIdleUpdate();
}

void CMainFrame::UpdateFrameTitles() {
    for (CChildFrame* child : m_children) {
        CMorvetDoc* doc = child->Document();
        int count = 0;
        int index = 0;
        for (CChildFrame* other : m_children) {
            if (other->Document() != doc)
                continue;
            ++count;
            if (other == child)
                index = count;
        }
        QString title = doc->GetTitle();
        if (count > 1)
            title += QStringLiteral(":%1").arg(index);
        if (child->windowTitle() != title)
            child->setWindowTitle(title);
    }
    // The main title names the document; only the window's own title carries
    // its number among the document's windows.
    m_strTitle = m_pActiveChild
                     ? kAppTitle + QStringLiteral(" - ") + m_pActiveChild->Document()->GetTitle()
                     : kAppTitle;
    if (windowTitle() != m_strTitle)
        setWindowTitle(m_strTitle);
}

void CMainFrame::changeEvent(QEvent* event) {
    // A maximized document window rewrites the main window's title in its own
    // style; the title stays "Morvet - <document>".
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != m_strTitle)
        setWindowTitle(m_strTitle);
    QMainWindow::changeEvent(event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_docs.SaveAllModified()) {
        event->ignore();
        return;
    }
    const std::vector<CChildFrame*> frames = m_children;
    m_bClosingQuietly = true;
    for (CChildFrame* child : frames)
        child->close();
    m_bClosingQuietly = false;
    QMainWindow::closeEvent(event);
}

void CMainFrame::ArrangeIcons() {
    // Minimized windows line up along the bottom edge, left to right.
    const int bottom = m_mdiArea->viewport()->height();
    int x = 0;
    for (CChildFrame* child : m_children) {
        if (!child->isMinimized())
            continue;
        child->move(x, bottom - child->height());
        x += child->width();
    }
}
