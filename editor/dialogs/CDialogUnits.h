#pragma once
#include <QFont>
#include <QRect>

// Converts the dialog-unit layout of the dialogs into pixels for the font the
// dialog is shown with: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.
class CDialogUnits {
public:
    explicit CDialogUnits(const QFont& font);

    int X(int du) const { return du * m_baseX / 4; }
    int Y(int du) const { return du * m_baseY / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return QRect(X(x), Y(y), X(cx), Y(cy)); }

private:
    int m_baseX;
    int m_baseY;
};
