// The Object menu: tool choice, fill colour, drawing order, spin, the two
// dialogs, and "Show center of mass" from the Edit menu.
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "tools/CShapeTool.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"

#include <QColorDialog>

#include <unordered_map>

namespace {

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

namespace {

// Choosing a tool: the radio mark shows the tool of the active view.
CViewCommand ToolCommand(CCommandInfo info, int toolType) {
    return {std::move(info), [toolType](CMorvetView& view) { view.UseTool(toolType); },
            [toolType](CMorvetView& view, CCmdUI* ui) {
                ui->SetRadio(view.CurrentTool()->m_nToolType == toolType);
            }};
}

} // namespace

void CMorvetView::AddObjectCommands(std::vector<CViewCommand>& commands) {
    const auto hasSelection = [](CMorvetView& view, CCmdUI* ui) { OnUpdateHasSelection(view, ui); };
    commands.push_back(
        {{ID_EDIT_SHOW_CENTER_OF_MASS, "Show center of mass",
          "Display a red X at the center of mass", "Show center of mass"},
         OnEditShowCenter,
         [](CMorvetView& view, CCmdUI* ui) { ui->SetCheck(view.m_bShowCenter ? 1 : 0); }});
    commands.push_back({{ID_OBJECT_PROPERTIES,
                         "Properties...\tAlt+Enter",
                         "Sets the Properties of the object",
                         nullptr,
                         {AltKey(Qt::Key_Return)}},
                        OnObjectProperties});
    commands.push_back({{ID_OBJECT_RESIZE,
                         "Resize...\tCtrl+R",
                         "Resize the selection",
                         "Resize selection",
                         {CtrlKey(Qt::Key_R)}},
                        OnObjectResize});
    commands.push_back({{ID_OBJECT_ROTATE,
                         "R&otate...\tCtrl+Shift+R",
                         "Turn the selection, or the whole object, by an angle",
                         "Rotate",
                         {CtrlShiftKey(Qt::Key_R)}},
                        OnObjectRotate});
    commands.push_back(
        {{ID_OBJECT_FLIP_HORIZONTAL, "Flip &Horizontal",
          "Mirror the selection, or the whole object, left to right", "Flip Horizontal"},
         OnObjectFlipHorizontal});
    commands.push_back(
        {{ID_OBJECT_FLIP_VERTICAL, "Flip Vert&ical",
          "Mirror the selection, or the whole object, top to bottom", "Flip Vertical"},
         OnObjectFlipVertical});
    commands.push_back(ToolCommand(
        {ID_TOOL_SELECT, "Select", "Choose object selection tool", "Selection Tool"}, TOOL_SELECT));
    commands.push_back(ToolCommand(
        {ID_TOOL_CENTER_OF_MASS, "Center of Mass", "Select Center of Mass Tool", "Center of Mass"},
        TOOL_MASS_CENTER));
    commands.push_back(ToolCommand(
        {ID_TOOL_POLYLINE, "Polyline", "Select Polyline Tool", "Open Polyline"}, TOOL_POLYLINE));
    commands.push_back(ToolCommand(
        {ID_TOOL_POLYGON, "Polygon", "Select Polygon Tool", "Filled Polygon"}, TOOL_POLYGON));
    commands.push_back(ToolCommand(
        {ID_TOOL_RECTANGLE, "Rectangle", "Select Rectangle Tool", "Rectangle"}, TOOL_RECTANGLE));
    commands.push_back(ToolCommand({ID_TOOL_FILLED_RECTANGLE, "Filled Rectangle",
                                    "Select Filled Rectangle Tool", "Filled Rectangle"},
                                   TOOL_FILLED_RECTANGLE));
    commands.push_back(
        ToolCommand({ID_TOOL_CIRCLE, "Circle", "Select Circle Tool", "Circle"}, TOOL_CIRCLE));
    commands.push_back(ToolCommand(
        {ID_TOOL_FILLED_CIRCLE, "Filled Circle", "Select Filled Circle Tool", "Filled Circle"},
        TOOL_FILLED_CIRCLE));
    commands.push_back(ToolCommand({ID_TOOL_EDIT_VERTICES, "Edit &Vertices",
                                    "Edit the vertices of the selected elements", "Edit Vertices"},
                                   TOOL_EDIT_VERTICES));
    commands.push_back(
        {{ID_OBJECT_FILL_COLOR, "Fill Color...", "Sets color to a custom color", "Custom color"},
         OnObjectFillColor});
    // "-" and "=" as typed; the keypad's minus and plus whatever they type.
    commands.push_back({{ID_OBJECT_MOVE_BACK,
                         "Move back\tMinus",
                         "Move selection back",
                         "Move Back",
                         {CharacterKey('-'), KeypadKey(Qt::Key_Minus)}},
                        OnObjectMoveBack,
                        hasSelection});
    commands.push_back({{ID_OBJECT_MOVE_FORWARD,
                         "Move Forward\tPlus",
                         "Move selection forward",
                         "Move Forward",
                         {CharacterKey('='), KeypadKey(Qt::Key_Plus)}},
                        OnObjectMoveForward,
                        hasSelection});
    commands.push_back({{ID_OBJECT_SPIN, "Spin", "Spin the object", "Spin"},
                        OnObjectSpin,
                        [](CMorvetView& view, CCmdUI* ui) {
                            ui->Enable(view.GetDocument()->m_shape.m_bMayRotate != 0);
                        }});
    commands.push_back({{ID_OBJECT_COORDINATES,
                         "&Coordinates...\tCtrl+E",
                         "Type the coordinates of the selected element",
                         "Element Coordinates",
                         {CtrlKey(Qt::Key_E)}},
                        OnObjectCoordinates,
                        OnUpdateObjectCoordinates});
}
