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
    // surface.
    view.UpdateWindow();

    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    // The copy turns about the window's anchor, the object's origin in
    // logical units, and stops at the ends of the 32-bit range there; the
    // zoom maps it to the screen like everything else.
    const CPoint c = view.Anchor();
    CShape shown(pDoc->m_shape);
    shown.Move(c.x, c.y);
    // One copy for every frame: its point arrays are refilled in place.
    CShape spin(shown);
    {
        CSpinState state(view, &spin);
        double angle = kFirstAngle;
        do {
            view.OnPrepareDC(&dc);
            shown.TransformInto(spin, c.x, c.y, c.x, c.y, angle, 1.0, 1.0);
            view.OnDraw(&dc);
            view.repaint();
            QThread::msleep(kPauseMs);
            angle -= kAngleStep;
        } while (angle > 0.0);
    }
    view.Invalidate(false);
}
