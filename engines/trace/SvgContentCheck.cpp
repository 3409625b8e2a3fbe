#include "trace/SvgContentCheck.h"

#include <QBuffer>
#include <QImageReader>
#include <QXmlStreamReader>

namespace {
// As written: the renderer takes a reference with a space before "data:"
// for a file's name.
bool IsInside(QStringView target) {
    return target.startsWith(u'#') || target.startsWith(u"data:", Qt::CaseInsensitive);
}

QString Outside(QStringView target) {
    constexpr int kShown = 80;
    const QString t = target.trimmed().toString();
    const QString shown = t.size() > kShown ? t.left(kShown) + QStringLiteral("...") : t;
    return QStringLiteral("The picture refers to something outside its file (\"%1\"); only "
                          "what the file itself holds can be used.")
        .arg(shown);
}

// Why a style text or an attribute value reaches outside the file, or empty.
QString RefuseStyle(QStringView css) {
    if (css.contains(u"@import", Qt::CaseInsensitive))
        return QStringLiteral("The picture's style imports another file; only what the file "
                              "itself holds can be used.");
    for (qsizetype at = css.indexOf(u"url(", 0, Qt::CaseInsensitive); at >= 0;
         at = css.indexOf(u"url(", at + 4, Qt::CaseInsensitive)) {
        const qsizetype close = css.indexOf(u')', at + 4);
        QStringView target = css.mid(at + 4, close < 0 ? -1 : close - at - 4).trimmed();
        if (target.size() >= 2 && (target.front() == u'"' || target.front() == u'\''))
            target = target.mid(1, target.size() - 2);
        if (!IsInside(target))
            return Outside(target);
    }
    return {};
}

// Adds the pixels of an embedded picture, decoded as the renderer does (the
// bytes after the last "base64,"), reading only its header.
QString MeasureEmbedded(QStringView uri, qint64* pixels) {
    const qsizetype at = uri.lastIndexOf(u"base64,");
    if (at < 0)
        return {}; // the renderer draws nothing for it
    QByteArray data = QByteArray::fromBase64(uri.mid(at + 7).toLatin1());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!reader.canRead())
        return {};
    if (reader.format().startsWith("svg"))
        return QStringLiteral("The picture holds an SVG picture of its own, which is not read.");
    const QSize size = reader.size();
    if (!size.isValid())
        return QStringLiteral("The picture holds a picture that does not say how large it is.");
    *pixels += qint64(size.width()) * size.height();
    return {};
}

// The renderer reads names as written, prefixes and all, as namespaces are
// often left undeclared; every prefix counts here.
QStringView LocalName(QStringView name) {
    return name.mid(name.lastIndexOf(u':') + 1);
}

bool IsTextElement(QStringView name) {
    return name == u"text" || name == u"tspan" || name == u"textPath" || name == u"tref" ||
           name == u"textArea";
}
} // namespace

QString RefuseSvgContent(const QByteArray& svg, qint64 maxEmbeddedPixels, bool canDrawText) {
    QXmlStreamReader xml(svg);
    xml.setNamespaceProcessing(false);
    qint64 pixels = 0;
    int styleDepth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::ProcessingInstruction:
            // The renderer reads the stylesheet such an instruction names.
            if (xml.processingInstructionTarget() == u"xml-stylesheet")
                return QStringLiteral("The picture takes its style from another file; only what "
                                      "the file itself holds can be used.");
            break;
        case QXmlStreamReader::StartElement: {
            const QStringView name = LocalName(xml.name());
            if (styleDepth > 0 || name == u"style")
                ++styleDepth;
            if (!canDrawText && IsTextElement(name))
                return QStringLiteral("The picture holds text, which cannot be drawn without "
                                      "the graphical environment.");
            for (const QXmlStreamAttribute& a : xml.attributes()) {
                const QStringView value = a.value();
                // A link's target is only followed when clicked, never drawn.
                if (LocalName(a.name()) == u"href" && name != u"a") {
                    if (!IsInside(value))
                        return Outside(value);
                    QString why;
                    if (name == u"image" && !(why = MeasureEmbedded(value, &pixels)).isEmpty())
                        return why;
                    if (pixels > maxEmbeddedPixels)
                        return QStringLiteral("The pictures embedded in the picture have more "
                                              "than %1 million pixels together.")
                            .arg(maxEmbeddedPixels / 1000000);
                } else if (value.contains(u"url(", Qt::CaseInsensitive) ||
                           value.contains(u"@import", Qt::CaseInsensitive)) {
                    const QString why = RefuseStyle(value);
                    if (!why.isEmpty())
                        return why;
                }
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            if (styleDepth > 0)
                --styleDepth;
            break;
        case QXmlStreamReader::Characters:
            if (styleDepth > 0) {
                const QString why = RefuseStyle(xml.text());
                if (!why.isEmpty())
                    return why;
            }
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        return QStringLiteral("The SVG text is damaged: %1 (line %2).")
            .arg(xml.errorString())
            .arg(xml.lineNumber());
    return {};
}
