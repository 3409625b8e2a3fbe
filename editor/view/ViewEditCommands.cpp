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
    // The clipboard holds the elements as this window shows them, so a paste
    // into a window of another size or another document lands where they
    // showed here (20 units down and right).
    g_clipboard.reserve(view.Selection().size());
    const CPoint a = view.Anchor();
    for (const CPrimitive* prim : view.Selection()) {
        auto* copy = new CPrimitive(*prim);
        MovePrimitive(copy, a.x, a.y);
        g_clipboard.push_back(copy);
    }
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
void ClearElements(CMorvetView& view) {
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

// Delete takes the vertices a tool has selected, if any; Cut always takes
// whole elements.
void OnEditClear(CMorvetView& view) {
    if (!view.Selection().empty() && view.CurrentTool()->ClearSelectedParts(&view))
        return;
    ClearElements(view);
}

void OnEditCut(CMorvetView& view) {
    OnEditCopy(view);
    ClearElements(view);
}

void OnEditPaste(CMorvetView& view) {
    if (g_clipboard.empty())
        return;
    CMorvetDoc* pDoc = view.GetDocument();
    CDocEdit edit(*pDoc, &view);
    std::vector<CPrimitive*> pasted;
    pasted.reserve(g_clipboard.size());
    const CPoint back = -view.Anchor();
    for (const CPrimitive* prim : g_clipboard) {
        auto* copy = new CPrimitive(*prim);
        MovePrimitive(copy, 20, 20);
        MovePrimitive(copy, back.x, back.y);
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

void CMorvetView::AddEditCommands(std::vector<CViewCommand>& commands) {
    const auto hasSelection = [](CMorvetView& view, CCmdUI* ui) { OnUpdateHasSelection(view, ui); };
    commands.push_back(
        {{ID_EDIT_UNDO,
          "&Undo\tCtrl+Z",
          "Undo the last action",
          "Undo",
          {CtrlKey(Qt::Key_Z), AltKey(Qt::Key_Backspace)}},
         OnEditUndo,
         [](CMorvetView& view, CCmdUI* ui) { ui->Enable(view.GetDocument()->CanUndo()); }});
    commands.push_back(
        {{ID_EDIT_REDO,
          "Redo\tCtrl+Y",
          "Redo the previously undone action",
          "Redo",
          {CtrlKey(Qt::Key_Y)}},
         OnEditRedo,
         [](CMorvetView& view, CCmdUI* ui) { ui->Enable(view.GetDocument()->CanRedo()); }});
    commands.push_back({{ID_EDIT_CUT,
                         "Cu&t\tCtrl+X",
                         "Cut the selection and put it on the Clipboard",
                         "Cut",
                         {CtrlKey(Qt::Key_X), ShiftKey(Qt::Key_Delete)}},
                        OnEditCut,
                        hasSelection});
    commands.push_back({{ID_EDIT_COPY,
                         "&Copy\tCtrl+C",
                         "Copy the selection and put it on the Clipboard",
                         "Copy",
                         {CtrlKey(Qt::Key_C), CtrlKey(Qt::Key_Insert)}},
                        OnEditCopy,
                        hasSelection});
    commands.push_back({{ID_EDIT_PASTE,
                         "&Paste\tCtrl+V",
                         "Insert Clipboard contents",
                         "Paste",
                         {CtrlKey(Qt::Key_V), ShiftKey(Qt::Key_Insert)}},
                        OnEditPaste,
                        [](CMorvetView&, CCmdUI* ui) { ui->Enable(!g_clipboard.empty()); }});
    commands.push_back({{ID_EDIT_CLEAR,
                         "Clear\tDelete",
                         "Erase the selection",
                         "Erase",
                         {PlainKey(Qt::Key_Delete)}},
                        OnEditClear,
                        hasSelection});
    commands.push_back({{ID_EDIT_SELECT_ALL,
                         "Select All\tCtrl-A",
                         "Select the entire document",
                         "Select All",
                         {CtrlKey(Qt::Key_A)}},
                        OnEditSelectAll});
}
