// The main frame's two menu sets, the recent-file items and the window list.
#include "app/CChildFrame.h"
#include "app/CCommandActions.h"
#include "app/CMainFrame.h"
#include "app/CMenuPromptStyle.h"
#include "app/CRecentFileList.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {
const QString kWindowMenuTitle = QStringLiteral("&Window");
}

void CMainFrame::BuildMenus() {
    m_recentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
    m_recentPlaceholder->setEnabled(false);
    for (int menuId : {IDR_MAIN_FRAME, IDR_OBJECT_TYPE}) {
        for (const CMenuInfo& info : MenuResource(menuId)) {
            auto* menu = new QMenu(QString::fromUtf8(info.title), this);
            menu->setStyle(m_menuStyle);
            for (int id : info.items) {
                if (id == 0) {
                    menu->addSeparator();
                } else if (id == ID_FILE_MRU_FILE1) {
                    menu->addAction(m_recentPlaceholder);
                    for (int i = 0; i < kRecentFileCount; ++i)
                        menu->addAction(m_actions->Action(ID_FILE_MRU_FILE1 + i));
                } else {
                    menu->addAction(m_actions->Action(id));
                }
            }
            const bool windowMenu = menu->title() == kWindowMenuTitle;
            connect(menu, &QMenu::aboutToShow, this, [this, menu, windowMenu] {
                if (windowMenu)
                    UpdateWindowList(menu);
                OnIdleUpdateCmdUI();
            });
            m_menus[menuId].push_back(menu);
        }
    }
}

QMenu* CMainFrame::Menu(int menuId, int index) const {
    const auto it = m_menus.find(menuId);
    if (it == m_menus.end() || index < 0 || index >= int(it->second.size()))
        return nullptr;
    return it->second[size_t(index)];
}

void CMainFrame::ShowMenu(int menuId) {
    if (m_nCurrentMenu == menuId)
        return;
    m_nCurrentMenu = menuId;
    menuBar()->clear();
    for (QMenu* menu : m_menus[menuId])
        menuBar()->addMenu(menu);
}

void CMainFrame::UpdateRecentFileItems() {
    const int count = m_recentFiles.Count();
    m_recentPlaceholder->setVisible(count == 0);
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = m_actions->Action(ID_FILE_MRU_FILE1 + i);
        action->setVisible(i < count);
        if (i < count)
            action->setText(m_recentFiles.MenuText(i));
    }
}

void CMainFrame::UpdateWindowList(QMenu* menu) {
    for (QAction* action : m_windowListActions) {
        menu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    if (m_children.empty())
        return;
    m_windowListActions.push_back(menu->addSeparator());
    int number = 0;
    for (CChildFrame* child : m_children) {
        QString title = child->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(++number).arg(title), menu);
        action->setStatusTip(QStringLiteral("Activate this window"));
        // Only the active window carries a mark; a checkable entry would show
        // an empty box beside every other one.
        action->setCheckable(child == m_pActiveChild);
        action->setChecked(child == m_pActiveChild);
        QPointer<CChildFrame> target(child);
        connect(action, &QAction::triggered, this, [this, target] {
            if (target &&
                std::find(m_children.begin(), m_children.end(), target.data()) != m_children.end())
                ActivateChild(target);
        });
        menu->addAction(action);
        m_windowListActions.push_back(action);
    }
}
