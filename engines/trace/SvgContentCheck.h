#pragma once
#include <QByteArray>
#include <QString>

// Qt's SVG renderer opens any file that an <image>, a <use> or a stylesheet
// names (a device or a pipe blocks it for ever) and decodes every embedded
// picture whatever its size. An SVG picture is therefore read through this
// check first: it may draw only what the file itself holds, its embedded
// pictures together at most maxEmbeddedPixels, and text only where the
// application has fonts (canDrawText). Returns why the text is refused, or
// an empty string.
QString RefuseSvgContent(const QByteArray& svg, qint64 maxEmbeddedPixels, bool canDrawText);
