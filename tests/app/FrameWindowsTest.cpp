#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "app/CLockKeyIndicators.h"
#include "tools/CShapeTool.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using FrameWindowsTest = AppFixture;

TEST_F(FrameWindowsTest, TheActiveViewFollowsTheActiveWindowAndTitlesNumberTheWindows) {
    ASSERT_TRUE(Start());
    CChildFrame* first = Frame()->ActiveChild();
    Frame()->ExecuteCommand(ID_WINDOW_NEW);
    CChildFrame* second = Frame()->ActiveChild();
    ASSERT_NE(first, second);
    EXPECT_EQ(first->Document(), second->Document());
    EXPECT_EQ(Doc()->Views().size(), 2u);
    EXPECT_EQ(first->windowTitle(), "Object1:1");
    EXPECT_EQ(second->windowTitle(), "Object1:2");
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");
    EXPECT_FALSE(first->View()->m_bActive);
    EXPECT_TRUE(second->View()->m_bActive);

    // The window list of the Window menu activates the window it names.
    QMenu* windowMenu = Frame()->Menu(IDR_OBJECT_TYPE, 4);
    emit windowMenu->aboutToShow();
    QList<QAction*> entries;
    for (QAction* a : windowMenu->actions())
        if (a->text().startsWith('&') && a->statusTip() == "Activate this window")
            entries << a;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 Object1:1");
    EXPECT_TRUE(entries[1]->isChecked());
    EXPECT_FALSE(entries[0]->isCheckable()); // no empty box beside inactive windows
    entries[0]->trigger();
    EXPECT_EQ(Frame()->ActiveChild(), first);
    EXPECT_TRUE(first->View()->m_bActive);
    EXPECT_FALSE(second->View()->m_bActive);
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");

    // One window left: no number; the title follows a renamed document.
    second->close();
    Idle();
    EXPECT_EQ(first->windowTitle(), "Object1");
    Doc()->SetPathName(Path("renamed.vrk"));
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - renamed.vrk");

    // Activating through the area (a click on the window) works the same.
    Frame()->ExecuteCommand(ID_FILE_NEW);
    CChildFrame* other = Frame()->ActiveChild();
    Frame()->MdiArea()->setActiveSubWindow(first);
    Idle();
    EXPECT_EQ(Frame()->ActiveChild(), first);
    EXPECT_TRUE(first->View()->m_bActive);
    EXPECT_FALSE(other->View()->m_bActive);
}

TEST_F(FrameWindowsTest, ViewMenuShowsAndHidesTheBarsAndChecksItsItems) {
    ASSERT_TRUE(Start());
    QAction* toolbar = Frame()->Actions().Action(ID_VIEW_TOOLBAR);
    QAction* statusBar = Frame()->Actions().Action(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(toolbar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());

    toolbar->trigger();
    Idle();
    EXPECT_FALSE(Frame()->ToolBar()->isVisible());
    EXPECT_FALSE(toolbar->isChecked());
    toolbar->trigger();
    Idle();
    EXPECT_TRUE(Frame()->ToolBar()->isVisible());
    EXPECT_TRUE(toolbar->isChecked());

    Frame()->ExecuteCommand(ID_VIEW_STATUS_BAR);
    Idle();
    EXPECT_FALSE(Frame()->statusBar()->isVisible());
    EXPECT_FALSE(statusBar->isChecked());
}

TEST_F(FrameWindowsTest, StatusBarShowsReadyAndTheButtonsPrompt) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->StatusText(), "Ready");
    QWidget* button = Frame()->ToolBar()->widgetForAction(Frame()->Actions().Action(ID_FILE_OPEN));
    ASSERT_NE(button, nullptr);
    QTest::mouseMove(button);
    Idle();
    EXPECT_EQ(Frame()->StatusText(), "Open an existing document");
    QTest::mouseMove(View());
    Idle();
    EXPECT_EQ(Frame()->StatusText(), "Ready");
}

TEST_F(FrameWindowsTest, LockPanesShowTheirTextOnlyWhileTheLockIsOn) {
    ASSERT_TRUE(Start());
    int state = CLockKeyIndicators::Caps | CLockKeyIndicators::Scroll;
    CLockKeyIndicators& locks = Frame()->LockKeys();
    locks.SetStateSource([&] { return state; });
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Caps)->text(), "CAP");
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Num)->text(), "");
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Scroll)->text(), "SCRL");
    const int width = locks.Pane(CLockKeyIndicators::Num)->minimumWidth();
    state = CLockKeyIndicators::Num;
    Frame()->OnIdleUpdateCmdUI();
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Caps)->text(), "");
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Num)->text(), "NUM");
    EXPECT_EQ(locks.Pane(CLockKeyIndicators::Num)->minimumWidth(), width);
}

TEST_F(FrameWindowsTest, ToolButtonsCarryTheViewsRadioMarkAndMenusUpdateAsTheyOpen) {
    ASSERT_TRUE(Start());
    QAction* select = Frame()->Actions().Action(ID_TOOL_SELECT);
    QAction* polyline = Frame()->Actions().Action(ID_TOOL_POLYLINE);
    EXPECT_TRUE(select->isChecked());
    QTest::mouseClick(Frame()->ToolBar()->widgetForAction(polyline), Qt::LeftButton);
    EXPECT_EQ(View()->CurrentTool()->m_nToolType, TOOL_POLYLINE);
    Idle();
    EXPECT_TRUE(polyline->isChecked());
    EXPECT_FALSE(select->isChecked());
    ASSERT_NE(polyline->actionGroup(), nullptr);
    EXPECT_TRUE(polyline->actionGroup()->isExclusive());

    // Opening a menu brings its items up to date before they are seen.
    View()->UseTool(TOOL_CIRCLE);
    QMenu* objectMenu = Frame()->Menu(IDR_OBJECT_TYPE, 2);
    emit objectMenu->aboutToShow();
    EXPECT_TRUE(Frame()->Actions().Action(ID_TOOL_CIRCLE)->isChecked());
    EXPECT_FALSE(polyline->isChecked());
}

TEST_F(FrameWindowsTest, AMaximizedWindowKeepsTheMainTitleAndAHighlightedItemShowsItsPrompt) {
    ASSERT_TRUE(Start());
    Frame()->ActiveChild()->showMaximized();
    Idle();
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");
    Frame()->ExecuteCommand(ID_FILE_NEW);
    Idle();
    EXPECT_TRUE(Frame()->ActiveChild()->isMaximized());
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object2");

    QMenu* file = Frame()->Menu(IDR_OBJECT_TYPE, 0);
    Frame()->menuBar()->setActiveAction(file->menuAction());
    ASSERT_TRUE(file->isVisible());
    file->setActiveAction(Frame()->Actions().Action(ID_FILE_SAVE_AS));
    EXPECT_EQ(Frame()->StatusText(), "Save the active document with a new name");
    file->hide();
    Idle();
    EXPECT_EQ(Frame()->StatusText(), "Ready");

    QMenu* system = Frame()->ActiveChild()->systemMenu();
    ASSERT_NE(system, nullptr);
    QStringList tips;
    for (QAction* a : system->actions())
        if (!a->statusTip().isEmpty())
            tips << a->statusTip();
    EXPECT_TRUE(tips.contains("Close the active window and prompts to save the documents"));
}
