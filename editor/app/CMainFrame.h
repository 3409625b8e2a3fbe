#pragma once
#include "app/CChildFrame.h"
#include "app/CCommandRouter.h"
#include "view/CMorvetView.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <vector>

class CAcceleratorFilter;
class CCommandActions;
class CDocManager;
class CLockKeyIndicators;
class CMenuPromptStyle;
class CViewPanes;
class CMorvetDoc;
class CRecentFileList;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: menu bar, dockable toolbar, status bar and the area in
// which the document windows live. It routes every command (menu, toolbar or
// accelerator) to the active view and then to the handlers registered with its
// router, and keeps the command states current.
class CViewHost;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CDocManager& docs, CRecentFileList& recentFiles);
    ~CMainFrame() override;

    CCommandRouter& Router() { return m_router; }
    CCommandActions& Actions() { return *m_actions; }
    // Runs a command the way a menu item or key would.
    bool ExecuteCommand(int id);

    CChildFrame* CreateChildFrame(CMorvetDoc* pDoc);
    // The application the document windows ask for the printer, prompts and
    // settings; set before the first window opens.
    void SetViewHost(CViewHost* pHost) { m_pViewHost = pHost; }
    void ActivateDocument(CMorvetDoc* pDoc);
    void ActivateChild(CChildFrame* child);
    // Closes the document's windows without asking to save.
    void CloseFramesOf(CMorvetDoc* pDoc);
    void OnDocumentStateChanged(CMorvetDoc* pDoc);

    CChildFrame* ActiveChild() const { return m_pActiveChild; }
    CMorvetView* ActiveView() const;
    CMorvetDoc* ActiveDocument() const;
    const std::vector<CChildFrame*>& Children() const { return m_children; }

    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* ToolBar() const { return m_toolBar; }
    CLockKeyIndicators& LockKeys() const { return *m_lockKeys; }
    CViewPanes& ViewPanes() const { return *m_viewPanes; }
    // IDR_MAIN_FRAME or IDR_OBJECT_TYPE, whichever the menu bar shows.
    int CurrentMenu() const { return m_nCurrentMenu; }
    QMenu* Menu(int menuId, int index) const;
    // What the message pane shows: a prompt, or "Ready".
    QString StatusText() const;

    // Brings every menu item and toolbar button up to date with its command.
    void OnIdleUpdateCmdUI();
    // Runs handler at the end of every idle update (panels that follow the object).
    void AddIdleHandler(std::function<void()> handler);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateBars();
    void RegisterFrameCommands();
    void BuildMenus();
    void ShowMenu(int menuId);
    void UpdateRecentFileItems();
    void UpdateWindowList(QMenu* menu);
    void ArrangeIcons();
    void RequestIdleUpdate();

    void OnSubWindowActivated(QMdiSubWindow* window);
    // The next (+1) or previous (-1) window of the Window menu's list.
    void ActivateNeighbour(int step);
    void SetActiveChild(CChildFrame* child);
    bool CanCloseChild(CChildFrame* child);
    void OnChildClosed(CChildFrame* child);
    void UpdateFrameTitles();

    CDocManager& m_docs;
    CRecentFileList& m_recentFiles;
    CCommandRouter m_router;
    CCommandActions* m_actions = nullptr;
    CAcceleratorFilter* m_accelerators = nullptr;
    CLockKeyIndicators* m_lockKeys = nullptr;
    CMenuPromptStyle* m_menuStyle = nullptr;
    CViewPanes* m_viewPanes = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_readyPane = nullptr;
    QTimer m_idleTimer;

    std::vector<std::function<void()>> m_idleHandlers;
    std::map<int, std::vector<QMenu*>> m_menus;
    QAction* m_recentPlaceholder = nullptr;
    std::vector<QAction*> m_windowListActions;
    int m_nCurrentMenu = 0;

    CViewHost* m_pViewHost = nullptr;
    std::vector<CChildFrame*> m_children;        // in the order they were opened
    std::vector<CChildFrame*> m_activationOrder; // the active one last
    QPointer<CChildFrame> m_pActiveChild;
    QPointer<CMorvetView> m_pActiveView;
    bool m_bClosingQuietly = false;
    QString m_strTitle;
};
