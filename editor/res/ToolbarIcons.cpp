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

// The images are drawn as pixel art at one pixel per unit: a pen of odd width
// lies to the right of and below its points, one of even width about them,
// and a filled rectangle covers its own pixels. Drawn at two pixels per unit
// (antialiased, for smooth diagonals), a stroke of odd width is moved half a
// unit to land on the same pixels; fills are not.
bool Doubled(const QPainter& p) {
    return p.device()->devicePixelRatio() > 1;
}

void SetPen(QPainter& p, const QColor& color, int width = 1) {
    QPen pen(color, width);
    if (Doubled(p)) {
        p.setTransform(width % 2 ? QTransform::fromTranslate(0.5, 0.5) : QTransform());
        pen.setJoinStyle(Qt::MiterJoin); // square corners, as on the small image
    }
    p.setPen(pen);
}

void Fill(QPainter& p, int x, int y, int w, int h, const QColor& color) {
    if (Doubled(p))
        p.setTransform(QTransform());
    p.fillRect(x, y, w, h, color);
}

void drawPage(QPainter& p, int x, int y, int w, int h) {
    // A sheet with its top-right corner folded.
    QPolygon sheet;
    sheet << QPoint(x, y) << QPoint(x + w - 4, y) << QPoint(x + w, y + 4) << QPoint(x + w, y + h)
          << QPoint(x, y + h);
    SetPen(p, kInk);
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    p.drawLine(x + w - 4, y, x + w - 4, y + 4);
    p.drawLine(x + w - 4, y + 4, x + w, y + 4);
}

void drawNew(QPainter& p) {
    drawPage(p, 2, 0, 10, 14);
}

void drawOpen(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(kYellow);
    p.drawPolygon(QPolygon(
        {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(12, 4), QPoint(12, 13), QPoint(0, 13)}));
    p.setBrush(QColor(128, 128, 0));
    p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(12, 13), QPoint(0, 13)}));
    p.drawLine(9, 1, 12, 1);
    p.drawLine(13, 1, 15, 3);
}

void drawSave(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(kNavy);
    p.drawRect(1, 0, 13, 14);
    p.setBrush(kPaper);
    p.drawRect(3, 1, 9, 5);
    p.setBrush(kShade);
    p.drawRect(4, 9, 7, 5);
    Fill(p, 8, 10, 2, 3, kNavy);
}

void drawCut(QPainter& p) {
    SetPen(p, kInk);
    p.drawLine(5, 0, 9, 8);
    p.drawLine(10, 0, 6, 8);
    p.setBrush(Qt::NoBrush);
    SetPen(p, kNavy);
    p.drawEllipse(2, 8, 4, 5);
    p.drawEllipse(9, 8, 4, 5);
}

void drawCopy(QPainter& p) {
    drawPage(p, 0, 0, 8, 9);
    drawPage(p, 6, 5, 8, 9);
    SetPen(p, kNavy);
    p.drawLine(8, 9, 12, 9);
    p.drawLine(8, 11, 12, 11);
}

void drawPaste(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(QColor(128, 64, 0));
    p.drawRect(1, 2, 10, 12);
    p.setBrush(kShade);
    p.drawRect(4, 0, 4, 3);
    drawPage(p, 6, 5, 8, 9);
}

void drawPrint(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 0, 8, 6);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 6, 15, 6);
    p.setBrush(kPaper);
    p.drawRect(3, 10, 9, 4);
    Fill(p, 12, 8, 2, 1, kYellow);
}

void drawArrow(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygon({QPoint(4, 0), QPoint(4, 11), QPoint(7, 8), QPoint(9, 13),
                            QPoint(11, 12), QPoint(9, 7), QPoint(13, 7)}));
}

void drawMassCenter(QPainter& p) {
    SetPen(p, kRed, 2);
    p.drawLine(3, 2, 12, 11);
    p.drawLine(12, 2, 3, 11);
    SetPen(p, kInk);
    p.drawPoint(7, 7);
}

void drawPolyline(QPainter& p) {
    SetPen(p, kInk);
    p.drawPolyline(QPolygon({QPoint(1, 12), QPoint(5, 2), QPoint(10, 10), QPoint(14, 1)}));
}

void drawPolygon(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(kTeal);
    p.drawPolygon(
        QPolygon({QPoint(1, 9), QPoint(6, 1), QPoint(14, 4), QPoint(12, 13), QPoint(4, 13)}));
}

void drawRectangle(QPainter& p, bool filled) {
    SetPen(p, kInk);
    p.setBrush(filled ? QBrush(kTeal) : QBrush(Qt::NoBrush));
    p.drawRect(1, 3, 13, 9);
}

void drawCircle(QPainter& p, bool filled) {
    SetPen(p, kInk);
    p.setBrush(filled ? QBrush(kTeal) : QBrush(Qt::NoBrush));
    p.drawEllipse(1, 1, 13, 12);
}

void drawPalette(QPainter& p) {
    SetPen(p, kInk);
    p.setBrush(QColor(255, 224, 160));
    p.drawEllipse(0, 1, 15, 13);
    p.setPen(Qt::NoPen);
    Fill(p, 3, 4, 3, 3, kRed);
    Fill(p, 7, 3, 3, 3, QColor(0, 192, 0));
    Fill(p, 10, 7, 3, 3, QColor(0, 0, 255));
    Fill(p, 4, 9, 3, 3, kYellow);
}

void drawSpin(QPainter& p) {
    SetPen(p, kNavy, 2);
    p.setBrush(Qt::NoBrush);
    p.drawArc(2, 2, 11, 11, 90 * 16, 270 * 16);
    SetPen(p, kNavy);
    p.setBrush(kNavy);
    p.drawPolygon(QPolygon({QPoint(7, 0), QPoint(11, 2), QPoint(7, 5)}));
}

void drawHelp(QPainter& p) {
    SetPen(p, kNavy, 2);
    p.setBrush(Qt::NoBrush);
    p.drawArc(4, 1, 7, 6, 0, 180 * 16);
    p.drawLine(11, 4, 8, 8);
    p.drawLine(8, 8, 8, 10);
    Fill(p, 7, 12, 2, 2, kNavy);
}

void drawEditVertices(QPainter& p) {
    // An outline with its vertices as handles, one of them selected.
    SetPen(p, kInk);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygon({QPoint(2, 12), QPoint(7, 2), QPoint(13, 6), QPoint(11, 12)}));
    for (const QPoint& v : {QPoint(2, 12), QPoint(13, 6), QPoint(11, 12)}) {
        Fill(p, v.x() - 1, v.y() - 1, 3, 3, kInk);
        Fill(p, v.x(), v.y(), 1, 1, kPaper);
    }
    Fill(p, 6, 1, 3, 3, kRed);
}

bool DrawIcon(QPainter& p, int commandId) {
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
    case ID_TOOL_EDIT_VERTICES:
        drawEditVertices(p);
        break;
    case ID_APP_ABOUT:
        drawHelp(p);
        break;
    default:
        return false;
    }
    return true;
}

// The image at scale device pixels per unit; null for a command without one.
QPixmap RenderIcon(int commandId, int scale) {
    QImage image(kToolbarIconWidth * scale, kToolbarIconHeight * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, scale > 1);
    if (!DrawIcon(p, commandId))
        return QPixmap();
    p.end();
    return QPixmap::fromImage(image);
}

} // namespace

QIcon ToolbarIcon(int commandId) {
    const QPixmap single = RenderIcon(commandId, 1);
    if (single.isNull())
        return QIcon();
    // Drawn again for screens of two pixels per unit and more, rather than
    // enlarged (and blurred) from the small one.
    QIcon icon(single);
    icon.addPixmap(RenderIcon(commandId, 2));
    return icon;
}
