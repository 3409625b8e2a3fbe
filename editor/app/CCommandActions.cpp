#include "app/CCommandActions.h"

#include "app/CCommandRouter.h"
#include "res/CommandTable.h"
#include "res/ToolbarIcons.h"

#include <QAction>
#include <QActionGroup>

namespace {
const char* const kIdProperty = "commandId";
}

CCommandActions::CCommandActions(QObject* parent, std::function<void(int)> execute)
    : QObject(parent), m_radioGroup(new QActionGroup(this)) {
    // Radio marks are drawn only for actions of an exclusive group; the update
    // handlers decide which one is checked.
    m_radioGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const CCommandInfo& info : CommandTable()) {
        // Owned by the frame, so that prompts of menus opened anywhere reach
        // its status bar.
        auto* action = new QAction(parent);
        action->setProperty(kIdProperty, info.id);
        if (info.menuText)
            action->setText(QString::fromUtf8(info.menuText));
        else if (info.tooltip)
            action->setText(QString::fromUtf8(info.tooltip));
        if (info.prompt)
            action->setStatusTip(QString::fromUtf8(info.prompt));
        if (info.tooltip)
            action->setToolTip(QString::fromUtf8(info.tooltip));
        const QIcon icon = ToolbarIcon(info.id);
        if (!icon.isNull()) {
            action->setIcon(icon);
            action->setIconVisibleInMenu(false);
        }
        const int id = info.id;
        connect(action, &QAction::triggered, this, [execute, id] { execute(id); });
        m_actions[id] = action;
    }
}

QAction* CCommandActions::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

int CCommandActions::CommandId(const QAction* action) {
    return action ? action->property(kIdProperty).toInt() : 0;
}

void CCommandActions::UpdateAll(const CCommandRouter& router) {
    for (const auto& entry : m_actions)
        Update(entry.second, router);
}

void CCommandActions::Update(QAction* action, const CCommandRouter& router) {
    CCmdUI state(CommandId(action));
    router.Update(&state);
    if (action->isEnabled() != state.m_bEnabled)
        action->setEnabled(state.m_bEnabled);
    if (!state.m_bCheckChanged)
        return;
    action->setCheckable(true);
    if (state.m_bRadio && action->actionGroup() != m_radioGroup)
        m_radioGroup->addAction(action);
    else if (!state.m_bRadio && action->actionGroup() == m_radioGroup)
        m_radioGroup->removeAction(action);
    const bool checked = state.m_nCheck == 1;
    if (action->isChecked() != checked)
        action->setChecked(checked);
}
