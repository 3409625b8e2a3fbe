// The undo/redo history of CMorvetDoc: snapshots newest first, and an index
// that says where the current object stands among them.
#include "document/CMorvetDoc.h"
#include "document/IMorvetDocView.h"

uint64_t CMorvetDoc::NextHistoryStamp() {
    static uint64_t s_last = 0;
    return ++s_last;
}

void CMorvetDoc::ClearHistory() {
    m_historyStamp = NextHistoryStamp();
    for (auto it = m_history.rbegin(); it != m_history.rend(); ++it)
        delete *it;
    m_history.clear();
    m_history.shrink_to_fit();
    m_historyIndex = -1;
}

void CMorvetDoc::PushSnapshot(CShape* snapshot) {
    auto* entry = new CSnapshot{std::move(*snapshot)};
    delete snapshot;
    PushState(entry);
}

void CMorvetDoc::PushState(CSnapshot* entry) {
    // States ahead of the current one can never be redone after a new change.
    for (int i = m_historyIndex - 1; i >= 0; --i) {
        delete m_history[size_t(i)];
        m_history.erase(m_history.begin() + i);
    }
    m_history.insert(m_history.begin(), entry);
    m_historyIndex = 0;
    m_historyStamp = NextHistoryStamp();
    if (int(m_history.size()) > kMaxSnapshots) {
        delete m_history.back();
        m_history.pop_back();
    }
}

bool CMorvetDoc::CanUndo() const {
    return !m_history.empty() && m_historyIndex < int(m_history.size());
}

bool CMorvetDoc::CanRedo() const {
    return !m_history.empty() && m_historyIndex > 1;
}

void CMorvetDoc::Undo() {
    if (!CanUndo())
        return;
    if (m_historyIndex == 0) {
        PushSnapshot(new CShape(m_shape));
        m_historyIndex = 1;
    }
    RestoreSnapshot(m_historyIndex);
    m_historyIndex++;
}

void CMorvetDoc::Redo() {
    if (!CanRedo())
        return;
    m_historyIndex--;
    RestoreSnapshot(m_historyIndex - 1);
}

void CMorvetDoc::RestoreSnapshot(int index) {
    for (CViewBase* v : Views())
        if (auto* view = dynamic_cast<IMorvetDocView*>(v))
            view->OnShapeReplaced();
    ClearAllSelections();
    ReleaseGrabbedVertex();
    const CSnapshot* entry = m_history[size_t(index)];
    m_shape = entry->shape;
    m_historyStamp = NextHistoryStamp();
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, 0, nullptr);
}
