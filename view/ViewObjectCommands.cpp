// The Object menu: tool choice, fill colour, drawing order, spin, the two
// dialogs, and "Show center of mass" from the Edit menu.
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"
#include "view/tools/CShapeTool.h"

#include <QColorDialog>

#include <unordered_map>

namespace {

int ToolTypeForCommand(int nID) {
    switch (nID) {
    case ID_TOOL_SELECT:
        return TOOL_SELECT;
    case ID_TOOL_CENTER_OF_MASS:
        return TOOL_MASS_CENTER;
    case ID_TOOL_POLYLINE:
        return TOOL_POLYLINE;
    case ID_TOOL_POLYGON:
        return TOOL_POLYGON;
    case ID_TOOL_RECTANGLE:
        return TOOL_RECTANGLE;
    case ID_TOOL_FILLED_RECTANGLE:
        return TOOL_FILLED_RECTANGLE;
    case ID_TOOL_CIRCLE:
        return TOOL_CIRCLE;
    case ID_TOOL_FILLED_CIRCLE:
        return TOOL_FILLED_CIRCLE;
    default:
        return -1;
    }
}

void OnObjectFillColor(CMorvetView& view) {
    QColorDialog dialog(QColor(0, 0, 0));
    if (dialog.exec() != QDialog::Accepted)
        return;
    CMorvetDoc* pDoc = view.GetDocument();
    // The colour of new elements is no step to undo; recolouring a selection is.
    CDocEdit edit(*pDoc, &view,
                  view.Selection().empty() ? CDocEdit::Step::None : CDocEdit::Step::Own);
    pDoc->m_color = FromQColor(dialog.selectedColor());
    for (CPrimitive* prim : view.Selection()) {
        prim->m_crColor = pDoc->m_color;
        view.InvalidateElement(prim);
    }
}

// Each selected element, last selected first, swaps once with its neighbour
// (step -1 below, +1 above); later swaps may move it again, so the result
// follows selection order. Positions are looked up in a map kept up to date
// with every swap, so reordering a large selection costs no search per element.
void MoveSelectionOneStep(CMorvetView& view, int step) {
    CMorvetDoc* pDoc = view.GetDocument();
    CShape& shape = pDoc->m_shape;
    // The drawing order is no step to undo; the document changes only when
    // a selected element is found in it.
    CDocEdit edit(*pDoc, &view, CDocEdit::Step::None);
    bool changed = false;
    std::unordered_map<const CPrimitive*, int> index;
    index.reserve(shape.m_elements.size());
    for (int j = 0; j < shape.GetSize(); ++j)
        index[shape.m_elements[size_t(j)]] = j;
    const std::vector<CPrimitive*>& selection = view.Selection();
    for (int i = int(selection.size()) - 1; i >= 0; --i) {
        CPrimitive* prim = selection[size_t(i)];
        const auto found = index.find(prim);
        if (found == index.end())
            continue;
        const int j = found->second, k = j + step;
        if (step < 0)
            shape.MoveElementBack(j);
        else
            shape.MoveElementForward(j);
        if (k >= 0 && k < shape.GetSize() && shape.m_elements[size_t(j)] != prim) {
            index[shape.m_elements[size_t(j)]] = j;
            index[prim] = k;
        }
        changed = true;
        view.InvalidateElement(prim);
    }
    if (!changed)
        edit.Cancel();
}

void OnObjectMoveBack(CMorvetView& view) {
    MoveSelectionOneStep(view, -1);
}

void OnObjectMoveForward(CMorvetView& view) {
    MoveSelectionOneStep(view, +1);
}

void OnEditShowCenter(CMorvetView& view) {
    view.m_bShowCenter = !view.m_bShowCenter;
    view.Invalidate(true);
}

} // namespace

bool CMorvetView::OnObjectCmdMsg(int nID, CCmdUI* pCmdUI) {
    const int toolType = ToolTypeForCommand(nID);
    if (toolType >= 0) {
        if (pCmdUI)
            pCmdUI->SetRadio(CurrentTool()->m_nToolType == toolType);
        else
            UseTool(toolType);
        return true;
    }
    if (pCmdUI) {
        switch (nID) {
        case ID_OBJECT_MOVE_BACK:
        case ID_OBJECT_MOVE_FORWARD:
            OnUpdateHasSelection(*this, pCmdUI);
            return true;
        case ID_OBJECT_SPIN:
            pCmdUI->Enable(GetDocument()->m_shape.m_bMayRotate != 0);
            return true;
        case ID_EDIT_SHOW_CENTER_OF_MASS:
            pCmdUI->SetCheck(m_bShowCenter ? 1 : 0);
            return true;
        case ID_OBJECT_FILL_COLOR:
        case ID_OBJECT_PROPERTIES:
        case ID_OBJECT_RESIZE:
            return true;
        case ID_OBJECT_COORDINATES:
            OnUpdateObjectCoordinates(*this, pCmdUI);
            return true;
        default:
            return false;
        }
    }
    switch (nID) {
    case ID_OBJECT_FILL_COLOR:
        OnObjectFillColor(*this);
        return true;
    case ID_OBJECT_MOVE_BACK:
        OnObjectMoveBack(*this);
        return true;
    case ID_OBJECT_MOVE_FORWARD:
        OnObjectMoveForward(*this);
        return true;
    case ID_OBJECT_SPIN:
        OnObjectSpin(*this);
        return true;
    case ID_OBJECT_PROPERTIES:
        OnObjectProperties(*this);
        return true;
    case ID_OBJECT_RESIZE:
        OnObjectResize(*this);
        return true;
    case ID_OBJECT_COORDINATES:
        OnObjectCoordinates(*this);
        return true;
    case ID_EDIT_SHOW_CENTER_OF_MASS:
        OnEditShowCenter(*this);
        return true;
    default:
        return false;
    }
}
