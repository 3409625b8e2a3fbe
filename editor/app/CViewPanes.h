#pragma once
#include <QObject>

class CMorvetView;
class QLabel;
class QStatusBar;

// The status bar's two panes of the active window, before the key
// indicators: the pointer's position in object units from the center of mass
// (x to the right, y downwards, as in the file) and the window's zoom.
class CViewPanes : public QObject {
    Q_OBJECT
public:
    explicit CViewPanes(QStatusBar* bar);

    // Blank without a window, and the position while the pointer is outside it.
    void Refresh(CMorvetView* active);

    QLabel* PositionPane() const { return m_position; }
    QLabel* ZoomPane() const { return m_zoom; }

private:
    QLabel* m_position;
    QLabel* m_zoom;
};
