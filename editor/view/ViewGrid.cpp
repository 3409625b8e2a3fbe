// The grid: its View-menu commands, its lines under the object and the
// snapping of pointer positions to its points.
#include "dialogs/CGridSpacingDialog.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"
#include "view/CViewHost.h"
#include "view/Grid.h"

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Dark enough to stay behind every colour an element can have, and drawn
// before the elements, so it never covers one.
const COLORREF kGridColor = RGB(64, 64, 64);
// Lines closer than this are thinned out.
constexpr int kMinLinePixels = 8;

void RememberGrid(const CMorvetView& view) {
    if (CViewHost* host = view.Host())
        host->RememberGrid(ProgramGrid());
}

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
} // namespace

bool CMorvetView::SnapsToGrid(UINT nFlags) const {
    return ProgramGrid().snap != ((nFlags & MK_CONTROL) != 0);
}

void CMorvetView::SnapPoint(POINT* logical, UINT nFlags) const {
    if (SnapsToGrid(nFlags))
        *logical = ::SnapToGrid(*logical, Anchor(), ProgramGrid().spacing);
}

void CMorvetView::DrawGrid(CDC* pDC, const CRect& clip, const CPoint& origin) {
    const int spacing = ProgramGrid().spacing;
    // The distance on screen of a number of grid steps, through the window's
    // own mapping: measured over a long stretch, so a fractional scale shows.
    const auto pixelsPer = [this, spacing](int64_t steps) {
        const int64_t units = steps * spacing;
        const int64_t repeat = std::clamp<int64_t>((int64_t(1) << 20) / units, 1, 1024);
        CRect r(0, 0, int32_t(units * repeat), int32_t(units * repeat));
        LogicalToDevice(&r);
        return double(std::min(r.Width(), r.Height())) / double(repeat);
    };
    const int64_t stride = GridLineStride(spacing, kMinLinePixels, pixelsPer);
    if (stride == 0)
        return;
    const int64_t step = stride * spacing;
    CPen pen(PS_SOLID, 1, kGridColor);
    CPen* old = pDC->SelectObject(&pen);
    const int64_t firstX =
        origin.x + FloorDiv(int64_t(clip.left) - origin.x + step - 1, step) * step;
    for (int64_t x = firstX; x < clip.right; x += step) {
        pDC->MoveTo(int32_t(x), clip.top);
        pDC->LineTo(int32_t(x), clip.bottom);
    }
    const int64_t firstY =
        origin.y + FloorDiv(int64_t(clip.top) - origin.y + step - 1, step) * step;
    for (int64_t y = firstY; y < clip.bottom; y += step) {
        pDC->MoveTo(clip.left, int32_t(y));
        pDC->LineTo(clip.right, int32_t(y));
    }
    pDC->SelectObject(old);
}

void CMorvetView::AddGridCommands(std::vector<CViewCommand>& commands) {
    commands.push_back(
        {{ID_VIEW_SHOW_GRID,
          "Show &Grid\tCtrl+G",
          "Show or hide the grid in this window",
          "Show Grid",
          {CtrlKey(Qt::Key_G)}},
         [](CMorvetView& view) {
             view.m_bShowGrid = !view.m_bShowGrid;
             // The next window, and the next run, start as this
             // window was last left.
             ProgramGrid().showGrid = view.m_bShowGrid;
             RememberGrid(view);
             view.Invalidate(true);
         },
         [](CMorvetView& view, CCmdUI* ui) { ui->SetCheck(view.m_bShowGrid ? 1 : 0); }});
    commands.push_back(
        {{ID_VIEW_SNAP_TO_GRID,
          "S&nap to Grid\tCtrl+Shift+G",
          "Put new points on the grid; hold Ctrl while dragging to do the opposite",
          "Snap to Grid",
          {CtrlShiftKey(Qt::Key_G)}},
         [](CMorvetView& view) {
             GridSettings& grid = ProgramGrid();
             grid.snap = !grid.snap;
             RememberGrid(view);
         },
         [](CMorvetView&, CCmdUI* ui) { ui->SetCheck(ProgramGrid().snap ? 1 : 0); }});
    commands.push_back(
        {{ID_VIEW_GRID_SPACING, "Grid Spa&cing...", "Set the distance between grid lines",
          "Grid Spacing"},
         [](CMorvetView& view) {
             GridSettings& grid = ProgramGrid();
             CGridSpacingDialog dialog(&view);
             dialog.m_nSpacing = grid.spacing;
             if (dialog.DoModal() != QDialog::Accepted || dialog.m_nSpacing == grid.spacing)
                 return;
             grid.spacing = dialog.m_nSpacing;
             RememberGrid(view);
             // Every window that shows the grid, of any document, shows the new spacing.
             for (QWidget* w : QApplication::allWidgets())
                 if (auto* other = qobject_cast<CMorvetView*>(w); other && other->m_bShowGrid)
                     other->Invalidate(true);
         }});
}
