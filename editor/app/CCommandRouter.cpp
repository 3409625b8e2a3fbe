#include "app/CCommandRouter.h"

#include "view/CMorvetView.h"

void CCommandRouter::SetActiveViewSource(std::function<CMorvetView*()> source) {
    m_activeView = std::move(source);
}

void CCommandRouter::Add(int id, Handler handler, UpdateHandler update) {
    m_handlers[id] = Entry{std::move(handler), std::move(update)};
}

CMorvetView* CCommandRouter::ActiveView() const {
    return m_activeView ? m_activeView() : nullptr;
}

void CCommandRouter::Update(CCmdUI* pCmdUI) const {
    CMorvetView* view = ActiveView();
    if (view && view->OnCmdMsg(pCmdUI->m_nID, pCmdUI))
        return;
    const auto it = m_handlers.find(pCmdUI->m_nID);
    if (it != m_handlers.end()) {
        if (it->second.update)
            it->second.update(pCmdUI);
        return;
    }
    pCmdUI->Enable(false);
}

bool CCommandRouter::IsEnabled(int id) const {
    CCmdUI state(id);
    Update(&state);
    return state.m_bEnabled;
}

bool CCommandRouter::Execute(int id) {
    if (!IsEnabled(id))
        return false;
    if (CMorvetView* view = ActiveView())
        if (view->OnCmdMsg(id, nullptr))
            return true;
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end() || !it->second.handler)
        return false;
    // The handler may replace the table (a frame that closes); keep a copy.
    const Handler handler = it->second.handler;
    handler();
    return true;
}
