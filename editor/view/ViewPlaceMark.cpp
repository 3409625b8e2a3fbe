// The ring a view draws around the place of a physics problem the user picked.
#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"

#include <cmath>

void CMorvetView::SetPlaceMark(const QPointF* place) {
    const bool had = m_bShowPlaceMark;
    m_bShowPlaceMark = place != nullptr;
    if (place)
        m_placeMark = *place;
    if (had || m_bShowPlaceMark)
        Invalidate(true);
}

void CMorvetView::DrawPlaceMark(CDC* dc, const CPoint& origin) {
    constexpr int kRadius = 8;
    const double x = std::round(m_placeMark.x()) + origin.x;
    const double y = std::round(m_placeMark.y()) + origin.y;
    if (!(std::abs(x) < 2e9 && std::abs(y) < 2e9))
        return; // off any window
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, RGB(255, 255, 0));
    CBrush hollow;
    const LOGBRUSH lb{BS_NULL, 0, 0};
    hollow.CreateBrushIndirect(&lb);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&hollow);
    const int cx = int(x), cy = int(y);
    dc->Ellipse(cx - kRadius, cy - kRadius, cx + kRadius + 1, cy + kRadius + 1);
    dc->MoveTo(cx - kRadius - 4, cy);
    dc->LineTo(cx - kRadius + 3, cy);
    dc->MoveTo(cx + kRadius + 4, cy);
    dc->LineTo(cx + kRadius - 3, cy);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
    hollow.DeleteObject();
    pen.DeleteObject();
}
