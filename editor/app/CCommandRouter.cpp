#include "app/CCommandRouter.h"

#include "view/CMorvetView.h"

#include <QKeyEvent>
#include <algorithm>

void CCommandRouter::SetActiveViewSource(std::function<CMorvetView*()> source) {
    m_activeView = std::move(source);
}

void CCommandRouter::SetRegistrationObserver(std::function<void(const CCommandInfo&)> observer) {
    m_observer = std::move(observer);
}

void CCommandRouter::Describe(CCommandInfo info) {
    const auto same = [&info](const CCommandInfo& s) { return s.id == info.id; };
    const auto it = std::find_if(m_infos.begin(), m_infos.end(), same);
    const CCommandInfo& stored =
        it != m_infos.end() ? (*it = std::move(info)) : m_infos.emplace_back(std::move(info));
    if (m_observer)
        m_observer(stored);
}

void CCommandRouter::Add(CCommandInfo info, Handler handler, UpdateHandler update) {
    m_handlers[info.id] = Entry{std::move(handler), std::move(update)};
    Describe(std::move(info));
}

void CCommandRouter::AddViewCommands() {
    for (const CViewCommand& command : CMorvetView::Commands())
        Describe(command.info);
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

int CCommandRouter::CommandForKey(const QKeyEvent* event) const {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool keypad = mods & Qt::KeypadModifier;
    // The Enter key of the keypad is the same key as Return to the table.
    const int key = event->key() == Qt::Key_Enter ? int(Qt::Key_Return) : event->key();
    const QString text = event->text();

    for (const CCommandInfo& info : m_infos) {
        for (const CCommandKey& k : info.keys) {
            if (k.kind == CCommandKey::Character) {
                if (!ctrl && !alt && text.size() == 1 && text.at(0).unicode() == k.key)
                    return info.id;
                continue;
            }
            if (key != k.key || shift != k.shift || ctrl != k.ctrl || alt != k.alt)
                continue;
            if (k.keypad && !keypad)
                continue;
            return info.id;
        }
    }
    return 0;
}

const CCommandInfo* CCommandRouter::Info(int id) const {
    const auto it = std::find_if(m_infos.begin(), m_infos.end(),
                                 [id](const CCommandInfo& s) { return s.id == id; });
    return it == m_infos.end() ? nullptr : &*it;
}
