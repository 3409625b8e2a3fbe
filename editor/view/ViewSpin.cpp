// The spin animation: one anticlockwise turn of a copy of the object, drawn
// frame by frame straight to the screen while the document stays untouched.
#include "document/CMorvetDoc.h"
#include "view/CClientDC.h"
#include "view/CMorvetView.h"
#include "view/ViewCommands.h"

#include <QApplication>
#include <QThread>

namespace {
constexpr double kFirstAngle = 6.28318;
constexpr double kAngleStep = 0.05;
constexpr unsigned long kPauseMs = 2;

// Whatever ends the animation, even a failed allocation, the cursor comes back
// and the view no longer points at the copy.
class CSpinState {
public:
    CSpinState(CMorvetView& view, CShape* spin) : m_view(view) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_view.m_pSpinShape = spin;
    }
    ~CSpinState() {
        m_view.m_pSpinShape = nullptr;
        QApplication::restoreOverrideCursor();
    }
    CSpinState(const CSpinState&) = delete;
    CSpinState& operator=(const CSpinState&) = delete;

private:
    CMorvetView& m_view;
};
} // namespace

void OnObjectSpin(CMorvetView& view) {
    CMorvetDoc* pDoc = view.GetDocument();
    if (!pDoc->m_shape.m_bMayRotate)
        return;
    view.SelectElement(nullptr, false);
    // Nothing may be left for a repaint to redraw while the frames own the
    // surface; drawing now also brings the object's origin under this view's
    // middle, about which the copy turns.
    view.UpdateWindow();

    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    // The copy turns about the window's anchor, the object's origin in units;
    // the zoom maps it to the screen like everything else.
    const CRect client = view.GetClientRect();
    const CPoint c((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    // One copy for every frame: its point arrays are refilled in place.
    CShape spin(pDoc->m_shape);
    {
        CSpinState state(view, &spin);
        double angle = kFirstAngle;
        do {
            view.OnPrepareDC(&dc);
            pDoc->m_shape.TransformInto(spin, c.x, c.y, c.x, c.y, angle, 1.0, 1.0);
            view.OnDraw(&dc);
            view.repaint();
            QThread::msleep(kPauseMs);
            angle -= kAngleStep;
        } while (angle > 0.0);
    }
    view.Invalidate(false);
}
