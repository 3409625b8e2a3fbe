// The Object menu's turns and mirrors: Rotate, Flip Horizontal, Flip Vertical.
#include "dialogs/CRotateDialog.h"
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "object/Turn.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"

#include <algorithm>
#include <functional>

namespace {
// The selection turns about the middle of its bounding rectangle, in half
// units; with nothing selected the whole object turns about its center of
// mass, the origin of the file's coordinates, so the cross keeps its place
// on the shape.
void TurnTargets(CMorvetView& view,
                 const std::function<void(CPrimitive*, int64_t, int64_t)>& turn) {
    CMorvetDoc* pDoc = view.GetDocument();
    const bool selection = !view.Selection().empty();
    const std::vector<CPrimitive*> targets =
        selection ? view.Selection() : pDoc->m_shape.m_elements;
    // An empty object has nothing to turn: no step, no change.
    if (targets.empty())
        return;
    int64_t twiceX = 0, twiceY = 0;
    if (selection) {
        bool any = false;
        CRect r;
        for (const CPrimitive* prim : targets) {
            if (HasNoExtent(prim))
                continue;
            CRect next;
            GetPrimitiveHitRect(prim, &next);
            if (!any)
                r = next;
            r.left = std::min(r.left, next.left);
            r.top = std::min(r.top, next.top);
            r.right = std::max(r.right, next.right);
            r.bottom = std::max(r.bottom, next.bottom);
            any = true;
        }
        twiceX = int64_t(r.left) + r.right;
        twiceY = int64_t(r.top) + r.bottom;
    }
    CDocEdit edit(*pDoc, &view);
    for (CPrimitive* prim : targets)
        turn(prim, twiceX, twiceY);
    view.Invalidate(true);
}
} // namespace

void OnObjectRotate(CMorvetView& view) {
    CRotateDialog dialog;
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    const double degrees = dialog.m_dAngle;
    TurnTargets(view, [degrees](CPrimitive* prim, int64_t x, int64_t y) {
        RotatePrimitive(prim, degrees, x, y);
    });
}

void OnObjectFlipHorizontal(CMorvetView& view) {
    TurnTargets(view, [](CPrimitive* prim, int64_t x, int64_t) { FlipPrimitive(prim, true, x); });
}

void OnObjectFlipVertical(CMorvetView& view) {
    TurnTargets(view, [](CPrimitive* prim, int64_t, int64_t y) { FlipPrimitive(prim, false, y); });
}
