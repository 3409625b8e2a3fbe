#include "res/ToolbarIcons.h"

#include "res/CommandIds.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShade(128, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kTeal(0, 128, 128);

void drawPage(QPainter& p, int x, int y, int w, int h) {
    // A sheet with its top-right corner folded.
    QPolygon sheet;
    sheet << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
          << QPoint(x, y + h);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void drawNew(QPainter& p) {
    drawPage(p, 2, 0, 10, 14);
}

void drawOpen(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon(
        {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(0, 13)}));
    p.setBrush(QColor(128, 128, 0));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(0, 13)}));
    p.drawLine(9, 1, 12, 1);
    p.drawLine(13, 1, 15, 3);
}

void drawSave(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kNavy);
    p.drawRect(1, 0, 13, 14);
    p.setBrush(kPaper);
    p.drawRect(3, 1, 9, 5);
    p.setBrush(kShade);
    p.drawRect(4, 9, 7, 5);
    p.fillRect(8, 10, 2, 3, kNavy);
}

void drawCut(QPainter& p) {
    p.setPen(kInk);
    p.drawLine(5, 0, 9, 8);
    p.drawLine(10, 0, 6, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(kNavy);
    p.drawEllipse(2, 8, 4, 5);
    p.drawEllipse(9, 8, 4, 5);
}

void drawCopy(QPainter& p) {
    drawPage(p, 0, 0, 8, 9);
    drawPage(p, 6, 5, 8, 9);
    p.setPen(kNavy);
    p.drawLine(8, 9, 12, 9);
    p.drawLine(8, 11, 12, 11);
}

void drawPaste(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(128, 64, 0));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(kShade);
    p.drawRect(4, 0, 4, 3);
    drawPage(p, 6, 5, 8, 9);
}

void drawPrint(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 0, 8, 6);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 6, 15, 6);
    p.setBrush(kPaper);
    p.drawRect(3, 10, 9, 4);
    p.fillRect(12, 8, 2, 1, kYellow);
}

void drawArrow(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygon({QPoint(4, 0), QPoint(4, 11), QPoint(7, 8), QPoint(9, 13),
                            QPoint(11, 12), QPoint(9, 7), QPoint(13, 7)}));
}

void drawMassCenter(QPainter& p) {
    p.setPen(QPen(kRed, 2));
    p.drawLine(3, 2, 12, 11);
    p.drawLine(12, 2, 3, 11);
    p.setPen(kInk);
    p.drawPoint(7, 7);
}

void drawPolyline(QPainter& p) {
    p.setPen(kInk);
    p.drawPolyline(QPolygon({QPoint(1, 12), QPoint(5, 2), QPoint(10, 10), QPoint(14, 1)}));
}

void drawPolygon(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kTeal);
    p.drawPolygon(
        QPolygon({QPoint(1, 9), QPoint(6, 1), QPoint(14, 4), QPoint(12, 13), QPoint(4, 13)}));
}

void drawRectangle(QPainter& p, bool filled) {
    p.setPen(kInk);
    p.setBrush(filled ? QBrush(kTeal) : QBrush(Qt::NoBrush));
    p.drawRect(1, 3, 13, 9);
}

void drawCircle(QPainter& p, bool filled) {
    p.setPen(kInk);
    p.setBrush(filled ? QBrush(kTeal) : QBrush(Qt::NoBrush));
    p.drawEllipse(1, 1, 13, 12);
}

void drawPalette(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(QColor(255, 224, 160));
    p.drawEllipse(0, 1, 15, 13);
    p.setPen(Qt::NoPen);
    p.fillRect(3, 4, 3, 3, kRed);
    p.fillRect(7, 3, 3, 3, QColor(0, 192, 0));
    p.fillRect(10, 7, 3, 3, QColor(0, 0, 255));
    p.fillRect(4, 9, 3, 3, kYellow);
}

void drawSpin(QPainter& p) {
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(2, 2, 11, 11, 90 * 16, 270 * 16);
    p.setPen(kNavy);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(7, 0), QPoint(11, 2), QPoint(7, 5)}));
}

void drawHelp(QPainter& p) {
    p.setPen(QPen(kNavy, 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(4, 1, 7, 6, 0, 180 * 16);
    p.drawLine(11, 4, 8, 8);
    p.drawLine(8, 8, 8, 10);
    p.fillRect(7, 12, 2, 2, kNavy);
}

} // namespace

QPixmap ToolbarIcon(int commandId) {
    QImage image(kToolbarIconWidth, kToolbarIconHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    switch (commandId) {
    case ID_FILE_NEW:
        drawNew(p);
        break;
    case ID_FILE_OPEN:
        drawOpen(p);
        break;
    case ID_FILE_SAVE:
        drawSave(p);
        break;
    case ID_EDIT_CUT:
        drawCut(p);
        break;
    case ID_EDIT_COPY:
        drawCopy(p);
        break;
    case ID_EDIT_PASTE:
        drawPaste(p);
        break;
    case ID_FILE_PRINT:
        drawPrint(p);
        break;
    case ID_TOOL_SELECT:
        drawArrow(p);
        break;
    case ID_TOOL_CENTER_OF_MASS:
        drawMassCenter(p);
        break;
    case ID_TOOL_POLYLINE:
        drawPolyline(p);
        break;
    case ID_TOOL_POLYGON:
        drawPolygon(p);
        break;
    case ID_TOOL_RECTANGLE:
        drawRectangle(p, false);
        break;
    case ID_TOOL_FILLED_RECTANGLE:
        drawRectangle(p, true);
        break;
    case ID_TOOL_CIRCLE:
        drawCircle(p, false);
        break;
    case ID_TOOL_FILLED_CIRCLE:
        drawCircle(p, true);
        break;
    case ID_OBJECT_FILL_COLOR:
        drawPalette(p);
        break;
    case ID_OBJECT_SPIN:
        drawSpin(p);
        break;
    case ID_APP_ABOUT:
        drawHelp(p);
        break;
    default:
        return QPixmap();
    }
    p.end();
    return QPixmap::fromImage(image);
}
