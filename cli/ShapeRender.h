#pragma once
#include <QByteArray>
#include <QImage>
#include <QSize>

class CShape;

// The picture the editor's view shows for an object: black canvas, the
// object's origin at the middle of the canvas, the elements as CShape::Draw
// paints them and, if asked, the red center-of-mass cross on top.
QImage RenderShape(const CShape& shape, QSize size, bool cross);

// The same drawing calls recorded as an SVG document.
QByteArray RenderShapeSvg(const CShape& shape, QSize size, bool cross);
