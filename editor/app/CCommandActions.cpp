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
    : QObject(parent), m_owner(parent), m_execute(std::move(execute)),
      m_radioGroup(new QActionGroup(this)) {
    // Radio marks are drawn only for actions of an exclusive group; the update
    // handlers decide which one is checked.
    m_radioGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
}

QAction* CCommandActions::Action(int id) {
    const auto it = m_actions.find(id);
    if (it != m_actions.end())
        return it->second;
    // Owned by the frame, so that prompts of menus opened anywhere reach its
    // status bar.
    auto* action = new QAction(m_owner);
    action->setProperty(kIdProperty, id);
    const QIcon icon = ToolbarIcon(id);
    if (!icon.isNull()) {
        action->setIcon(icon);
        action->setIconVisibleInMenu(false);
    }
    connect(action, &QAction::triggered, this, [this, id] { m_execute(id); });
    m_actions[id] = action;
    return action;
}

void CCommandActions::Describe(const CCommandInfo& info) {
    QAction* action = Action(info.id);
    if (info.menuText)
        action->setText(QString::fromUtf8(info.menuText));
    else if (info.tooltip)
        action->setText(QString::fromUtf8(info.tooltip));
    if (info.prompt)
        action->setStatusTip(QString::fromUtf8(info.prompt));
    if (info.tooltip)
        action->setToolTip(QString::fromUtf8(info.tooltip));
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
