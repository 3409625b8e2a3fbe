// The Edit menu: undo and redo, the program's own clipboard, clear and select all.
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"
#include "view/Clipboard.h"
#include "view/ViewCommands.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

void OnUpdateHasSelection(CMorvetView& view, CCmdUI* pCmdUI) {
    pCmdUI->Enable(!view.Selection().empty());
}

namespace {

void OnEditUndo(CMorvetView& view) {
    view.GetDocument()->Undo();
}

void OnEditRedo(CMorvetView& view) {
    view.GetDocument()->Redo();
}

void OnEditCopy(CMorvetView& view) {
    if (view.Selection().empty())
        return;
    DestroyClipboardElements();
    // Selection order, not drawing order: that is the order Paste restores.
    g_clipboard.reserve(view.Selection().size());
    for (const CPrimitive* prim : view.Selection())
        g_clipboard.push_back(new CPrimitive(*prim));
}

// Other views of the document may have selected what is about to be destroyed;
// their selections must never point at a freed element.
void DeselectInOtherViews(CMorvetView& view, const std::unordered_set<CPrimitive*>& doomed) {
    for (CViewBase* v : view.GetDocument()->Views()) {
        auto* other = dynamic_cast<CMorvetView*>(v);
        if (!other || other == &view)
            continue;
        std::vector<CPrimitive*> gone;
        for (CPrimitive* prim : other->Selection())
            if (doomed.count(prim))
                gone.push_back(prim);
        for (CPrimitive* prim : gone)
            other->DeselectElement(prim);
        // An inactive window draws its marks too, but leaves their margin out
        // of an element's area; without a full repaint they would stay behind.
        if (!gone.empty() && !other->m_bActive)
            other->Invalidate(true);
    }
}

// One pass over the object, whatever the sizes: clearing a selection of
// everything in a large object must not cost selection times elements.
void OnEditClear(CMorvetView& view) {
    if (view.Selection().empty())
        return;
    CMorvetDoc* pDoc = view.GetDocument();
    CShape& shape = pDoc->m_shape;
    // A selection found nowhere in the object still makes a step to undo,
    // but leaves the document unmodified, as it always has.
    CDocEdit edit(*pDoc, &view);
    const std::unordered_set<CPrimitive*> doomed(view.Selection().begin(), view.Selection().end());
    for (CPrimitive* prim : view.Selection())
        view.InvalidateElement(prim);
    view.ClearSelection();
    DeselectInOtherViews(view, doomed);
    auto& elements = shape.m_elements;
    const auto kept = std::stable_partition(elements.begin(), elements.end(),
                                            [&](CPrimitive* p) { return !doomed.count(p); });
    if (kept == elements.end()) {
        edit.KeepStepOnly();
        return;
    }
    for (auto it = kept; it != elements.end(); ++it) {
        pDoc->ReleaseGrabbedVertexOf(*it);
        delete *it;
    }
    elements.erase(kept, elements.end());
}

void OnEditCut(CMorvetView& view) {
    OnEditCopy(view);
    OnEditClear(view);
}

void OnEditPaste(CMorvetView& view) {
    if (g_clipboard.empty())
        return;
    CMorvetDoc* pDoc = view.GetDocument();
    CDocEdit edit(*pDoc, &view);
    std::vector<CPrimitive*> pasted;
    pasted.reserve(g_clipboard.size());
    for (const CPrimitive* prim : g_clipboard) {
        auto* copy = new CPrimitive(*prim);
        MovePrimitive(copy, 20, 20);
        pDoc->m_shape.m_elements.push_back(copy);
        pasted.push_back(copy);
    }
    view.ClearSelection();
    view.SetSelection(std::move(pasted));
    view.Invalidate(true);
}

void OnEditSelectAll(CMorvetView& view) {
    view.ClearSelection();
    const CShape& shape = view.GetDocument()->m_shape;
    view.SetSelection(std::vector<CPrimitive*>(shape.m_elements.begin(), shape.m_elements.end()));
    view.Invalidate(true);
}

} // namespace

bool CMorvetView::OnEditCmdMsg(int nID, CCmdUI* pCmdUI) {
    if (pCmdUI) {
        switch (nID) {
        case ID_EDIT_UNDO:
            pCmdUI->Enable(GetDocument()->CanUndo());
            return true;
        case ID_EDIT_REDO:
            pCmdUI->Enable(GetDocument()->CanRedo());
            return true;
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
        case ID_EDIT_CLEAR:
            OnUpdateHasSelection(*this, pCmdUI);
            return true;
        case ID_EDIT_PASTE:
            pCmdUI->Enable(!g_clipboard.empty());
            return true;
        case ID_EDIT_SELECT_ALL:
            return true;
        default:
            return false;
        }
    }
    // The clipboard holds coordinates as this window shows them; another
    // window of the document, of another size, may have drawn last and moved
    // the object about its own middle, which would put a paste elsewhere.
    if (nID == ID_EDIT_CUT || nID == ID_EDIT_COPY || nID == ID_EDIT_PASTE)
        AnchorToWindow();
    switch (nID) {
    case ID_EDIT_UNDO:
        OnEditUndo(*this);
        return true;
    case ID_EDIT_REDO:
        OnEditRedo(*this);
        return true;
    case ID_EDIT_CUT:
        OnEditCut(*this);
        return true;
    case ID_EDIT_COPY:
        OnEditCopy(*this);
        return true;
    case ID_EDIT_PASTE:
        OnEditPaste(*this);
        return true;
    case ID_EDIT_CLEAR:
        OnEditClear(*this);
        return true;
    case ID_EDIT_SELECT_ALL:
        OnEditSelectAll(*this);
        return true;
    default:
        return false;
    }
}
