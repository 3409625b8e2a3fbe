// The View menu's zoom commands: Zoom In and Zoom Out about the middle of the
// window, Actual Size, Fit Object.
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

void CMorvetView::AddZoomCommands(std::vector<CViewCommand>& commands) {
    commands.push_back(
        {{ID_VIEW_ZOOM_IN,
          "Zoom &In\tCtrl++",
          "Show the object larger",
          "Zoom In",
          // "+" is a shifted key on many layouts and a key of its own on others.
          {CtrlKey(Qt::Key_Plus), CtrlShiftKey(Qt::Key_Plus), CtrlKey(Qt::Key_Equal)}},
         [](CMorvetView& view) { view.SetZoom(view.m_zoom.NextLevel(), view.ClientMiddle()); },
         [](CMorvetView& view, CCmdUI* ui) { ui->Enable(view.m_zoom != CZoom::Largest()); }});
    commands.push_back(
        {{ID_VIEW_ZOOM_OUT,
          "Zoom &Out\tCtrl+-",
          "Show the object smaller",
          "Zoom Out",
          {CtrlKey(Qt::Key_Minus)}},
         [](CMorvetView& view) { view.SetZoom(view.m_zoom.PreviousLevel(), view.ClientMiddle()); },
         [](CMorvetView& view, CCmdUI* ui) { ui->Enable(view.m_zoom != CZoom::Smallest()); }});
    const auto enabled = [](CMorvetView&, CCmdUI* ui) { ui->Enable(true); };
    commands.push_back(
        {{ID_VIEW_ACTUAL_SIZE,
          "&Actual Size\tCtrl+0",
          "Show the object at one unit per pixel with the center of mass in the middle",
          "Actual Size",
          {CtrlKey(Qt::Key_0)}},
         [](CMorvetView& view) { view.ResetZoom(); },
         enabled});
    commands.push_back({{ID_VIEW_FIT_OBJECT,
                         "&Fit Object\tCtrl+F",
                         "Show the whole object in the window",
                         "Fit Object",
                         {CtrlKey(Qt::Key_F)}},
                        [](CMorvetView& view) { view.FitObject(); },
                        enabled});
}
