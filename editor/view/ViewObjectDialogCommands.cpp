// The Object menu's dialog commands: Properties, Resize and Coordinates.
#include "dialogs/CCoordinatesDialog.h"
#include "dialogs/CPropertiesDialog.h"
#include "dialogs/CResizeDialog.h"
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "platform/CCmdUI.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"

#include <algorithm>

void OnObjectProperties(CMorvetView& view) {
    CMorvetDoc* pDoc = view.GetDocument();
    CShape& shape = pDoc->m_shape;
    CPropertiesDialog dialog;
    dialog.m_dMassDensity = shape.m_dMassDensity;
    dialog.m_nPolarity = shape.m_nPolarity;
    dialog.m_bMayRotate = shape.m_bMayRotate;
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    CDocEdit edit(*pDoc, &view);
    shape.m_dMassDensity = dialog.m_dMassDensity;
    shape.m_nPolarity = dialog.m_nPolarity;
    shape.m_bMayRotate = dialog.m_bMayRotate;
}

void OnObjectResize(CMorvetView& view) {
    CResizeDialog dialog;
    dialog.m_dFactor = 1.0;
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    const double f = dialog.m_dFactor;
    CMorvetDoc* pDoc = view.GetDocument();
    CDocEdit edit(*pDoc, &view);

    const std::vector<CPrimitive*>& targets =
        view.Selection().empty() ? pDoc->m_shape.m_elements : view.Selection();
    if (!targets.empty()) {
        // About the middle of the union of the bounding rectangles, not the origin.
        // Elements that draw nothing have no place to widen it with. The
        // middle, the scaling and its stops at the ends of the 32-bit range
        // are those of the elements as this window shows them.
        const CPoint anchor = view.Anchor();
        bool any = false;
        CRect r;
        for (const CPrimitive* prim : targets) {
            if (HasNoExtent(prim))
                continue;
            CRect next;
            GetPrimitiveRect(prim, &next, anchor);
            if (!any)
                r = next;
            r.left = std::min(r.left, next.left);
            r.top = std::min(r.top, next.top);
            r.right = std::max(r.right, next.right);
            r.bottom = std::max(r.bottom, next.bottom);
            any = true;
        }
        if (any) {
            // Halves of the width and height truncate toward zero; in 64 bits, as
            // coordinates read from a file may span more than 32 bits can hold.
            const CPoint a(int32_t(r.left + (int64_t(r.right) - r.left) / 2),
                           int32_t(r.top + (int64_t(r.bottom) - r.top) / 2));
            const CPoint back = -anchor;
            for (CPrimitive* prim : targets) {
                MovePrimitive(prim, anchor.x, anchor.y);
                TransformPrimitive(prim, prim->m_pPoints, a.x, a.y, a.x, a.y, 0.0, f, f);
                MovePrimitive(prim, back.x, back.y);
            }
        }
    }
    view.Invalidate(true);
}

namespace {
// The one element the dialog would show: a path, or a circle with its centre
// and radius; NULL otherwise.
CPrimitive* ElementToType(const CMorvetView& view) {
    if (view.Selection().size() != 1)
        return nullptr;
    CPrimitive* prim = view.Selection().front();
    const bool circle = prim->m_nType == PRIM_CIRCLE || prim->m_nType == PRIM_FILLED_CIRCLE;
    return prim->IsPath() || (circle && prim->m_nPoints >= 2) ? prim : nullptr;
}
} // namespace

void OnUpdateObjectCoordinates(CMorvetView& view, CCmdUI* pCmdUI) {
    pCmdUI->Enable(ElementToType(view) != nullptr);
}

void OnObjectCoordinates(CMorvetView& view) {
    CPrimitive* prim = ElementToType(view);
    if (!prim)
        return;
    CMorvetDoc* pDoc = view.GetDocument();
    const int32_t n = std::max(prim->m_nPoints, 0);
    // Relative to the center of mass: the object's own values, as the file
    // holds them.
    CCoordinatesDialog dialog(prim->m_nType);
    dialog.m_points.assign(prim->m_pPoints, prim->m_pPoints + n);
    if (dialog.DoModal() != QDialog::Accepted)
        return;

    CPrimitive edited;
    edited.m_nType = prim->m_nType;
    edited.m_nPoints = int32_t(dialog.m_points.size());
    edited.m_pPoints = new POINT[dialog.m_points.size()];
    std::copy(dialog.m_points.begin(), dialog.m_points.end(), edited.m_pPoints);
    const bool samePoints =
        edited.m_nPoints == n &&
        std::equal(edited.m_pPoints, edited.m_pPoints + n, prim->m_pPoints,
                   [](const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; });
    if (samePoints)
        return;

    CDocEdit edit(*pDoc, nullptr);
    if (dialog.m_bPointsAddedOrRemoved || edited.m_nPoints != n) {
        // A new point array: the grabbed vertex is not in it.
        pDoc->ReleaseGrabbedVertexOf(prim);
        prim->ReplacePoints(edited.m_pPoints, edited.m_nPoints);
        edited.m_pPoints = nullptr;
        edited.m_nPoints = 0;
    } else {
        std::copy(edited.m_pPoints, edited.m_pPoints + n, prim->m_pPoints);
    }
}
