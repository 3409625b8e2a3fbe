// The Object menu's two dialog commands: Properties and Resize.
#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"
#include "view/dialogs/CPropertiesDialog.h"
#include "view/dialogs/CResizeDialog.h"

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
    pDoc->PushSnapshot(new CShape(shape));
    shape.m_dMassDensity = dialog.m_dMassDensity;
    shape.m_nPolarity = dialog.m_nPolarity;
    shape.m_bMayRotate = dialog.m_bMayRotate;
    pDoc->SetModifiedFlag(true);
}

void OnObjectResize(CMorvetView& view) {
    CResizeDialog dialog;
    dialog.m_dFactor = 1.0;
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    const double f = dialog.m_dFactor;
    CMorvetDoc* pDoc = view.GetDocument();
    pDoc->PushSnapshot(new CShape(pDoc->m_shape));

    const std::vector<CPrimitive*>& targets =
        view.m_selection.empty() ? pDoc->m_shape.m_elements : view.m_selection;
    if (!targets.empty()) {
        // About the middle of the union of the bounding rectangles, not the origin.
        // Elements that draw nothing have no place to widen it with.
        bool any = false;
        CRect r;
        for (const CPrimitive* prim : targets) {
            if (HasNoExtent(prim))
                continue;
            CRect next;
            GetPrimitiveRect(prim, &next);
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
            for (CPrimitive* prim : targets)
                TransformPrimitive(prim, prim->m_pPoints, a.x, a.y, a.x, a.y, 0.0, f, f);
        }
    }
    pDoc->SetModifiedFlag(true);
    view.Invalidate(true);
}
