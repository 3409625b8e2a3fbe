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
} // namespace

void OnObjectSpin(CMorvetView& view) {
    CMorvetDoc* pDoc = view.GetDocument();
    if (!pDoc->m_shape.m_bMayRotate)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    view.SelectElement(nullptr, false);
    // Nothing may be left for a repaint to redraw while the frames own the surface.
    view.UpdateWindow();

    CClientDC dc(&view);
    view.OnPrepareDC(&dc);
    const CRect client = view.GetClientRect();
    CPoint c((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    dc.LPtoDP(&c);
    // Another view of another size may have drawn last; the copy must turn
    // about the origin, which lies at this view's middle once it is drawn here.
    if (c != pDoc->m_origin) {
        pDoc->m_shape.Transform(0, 0, c.x - pDoc->m_origin.x, c.y - pDoc->m_origin.y, 0.0, 1.0,
                                1.0);
        pDoc->m_origin = c;
    }
    // One copy for every frame: its point arrays are refilled in place.
    CShape spin(pDoc->m_shape);
    view.m_pSpinShape = &spin;
    double angle = kFirstAngle;
    do {
        view.OnPrepareDC(&dc);
        pDoc->m_shape.TransformInto(spin, c.x, c.y, c.x, c.y, angle, 1.0, 1.0);
        view.OnDraw(&dc);
        view.repaint();
        QThread::msleep(kPauseMs);
        angle -= kAngleStep;
    } while (angle > 0.0);
    view.m_pSpinShape = nullptr;

    view.Invalidate(false);
    QApplication::restoreOverrideCursor();
}
