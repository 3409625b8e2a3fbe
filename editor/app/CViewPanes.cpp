#include "app/CViewPanes.h"

#include "view/CMorvetView.h"

#include <QLabel>
#include <QStatusBar>

namespace {
QLabel* MakePane(QStatusBar* bar, const QString& widest) {
    auto* label = new QLabel(bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    // Wide enough for its longest usual text, so the bar does not jitter.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 12);
    bar->addPermanentWidget(label);
    return label;
}
} // namespace

CViewPanes::CViewPanes(QStatusBar* bar)
    : QObject(bar), m_position(MakePane(bar, QStringLiteral("-00000, -00000"))),
      m_zoom(MakePane(bar, QStringLiteral("3200 %"))) {}

void CViewPanes::Refresh(CMorvetView* active) {
    QString position, zoom;
    if (active) {
        CPoint units;
        if (active->PointerUnits(&units))
            position = QStringLiteral("%1, %2").arg(units.x).arg(units.y);
        zoom = active->Zoom().Percent();
    }
    if (m_position->text() != position)
        m_position->setText(position);
    if (m_zoom->text() != zoom)
        m_zoom->setText(zoom);
}
