// The View menu's zoom commands: Zoom In and Zoom Out about the middle of the
// window, Actual Size, Fit Object.
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

bool CMorvetView::OnZoomCmdMsg(int nID, CCmdUI* pCmdUI) {
    switch (nID) {
    case ID_VIEW_ZOOM_IN:
        if (pCmdUI)
            pCmdUI->Enable(m_zoom != CZoom::Largest());
        else
            SetZoom(m_zoom.NextLevel(), ClientMiddle());
        return true;
    case ID_VIEW_ZOOM_OUT:
        if (pCmdUI)
            pCmdUI->Enable(m_zoom != CZoom::Smallest());
        else
            SetZoom(m_zoom.PreviousLevel(), ClientMiddle());
        return true;
    case ID_VIEW_ACTUAL_SIZE:
        if (pCmdUI)
            pCmdUI->Enable(true);
        else
            ResetZoom();
        return true;
    case ID_VIEW_FIT_OBJECT:
        if (pCmdUI)
            pCmdUI->Enable(true);
        else
            FitObject();
        return true;
    default:
        return false;
    }
}
