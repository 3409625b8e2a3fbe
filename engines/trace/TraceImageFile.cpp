#include "trace/TraceImageFile.h"

#include "trace/BoundedInflate.h"
#include "trace/SvgContentCheck.h"
#include "trace/WholePicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <cstdlib>

namespace {
// Room for the largest accepted picture at eight bytes a pixel (16-bit
// channels), plus the decoder's own working rows.
constexpr int kAllocationLimitMb = int(kMaxTracePixels * 8 / (1 << 20)) + 16;

bool IsAcceptedFormat(const QByteArray& format) {
    return format == "png" || format == "jpeg" || format == "jpg" || format == "bmp" ||
           format == "svg" || format == "svgz";
}

// Qt draws SVG text with the font database, which only a GUI application has.
bool CanDrawText() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QImage Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return QImage();
}

// The file's bytes, read once: a pipe gives them only once, and every check
// below looks at the same bytes the decoder gets.
bool ReadBytes(const QString& path, QByteArray* bytes, QString* why) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("The file cannot be opened: %1.").arg(file.errorString());
        return false;
    }
    if (!file.isSequential() && file.size() <= kMaxTraceFileBytes) {
        *bytes = file.readAll();
    } else {
        // A pipe or a device tells no size: read it in pieces up to the bound.
        bytes->clear();
        constexpr qint64 kPiece = 1 << 20;
        while (bytes->size() <= kMaxTraceFileBytes) {
            const QByteArray piece = file.read(kPiece);
            if (piece.isEmpty())
                break;
            bytes->append(piece);
        }
    }
    if (file.error() != QFileDevice::NoError) {
        *why = QStringLiteral("The file cannot be read: %1.").arg(file.errorString());
        return false;
    }
    if (bytes->size() > kMaxTraceFileBytes) {
        *why = QStringLiteral("The file is larger than %1 MB.").arg(kMaxTraceFileBytes >> 20);
        return false;
    }
    return true;
}

// The SVG text the renderer may be given: unpacked within the bound and
// holding nothing from outside the file.
bool CheckSvg(QByteArray* bytes, QString* why) {
    if (IsGzip(*bytes)) {
        QByteArray text;
        if (!InflateGzip(*bytes, kMaxSvgTextBytes, &text, why))
            return false;
        *bytes = text;
    } else if (bytes->size() > kMaxSvgTextBytes) {
        *why = QStringLiteral("The SVG text is larger than %1 MB.").arg(kMaxSvgTextBytes >> 20);
        return false;
    }
    *why = RefuseSvgContent(*bytes, kMaxTracePixels, CanDrawText());
    return why->isEmpty();
}

bool IsWhole(const QByteArray& format, const QByteArray& bytes) {
    if (format == "jpeg" || format == "jpg")
        return JpegIsWhole(bytes);
    if (format == "bmp")
        return BmpIsWhole(bytes);
    return true; // Qt's PNG reader refuses a cut PNG itself
}

QImage Decode(const QByteArray& bytes, const QByteArray& format, QString* error) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(kAllocationLimitMb);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    // A BMP stored top row first gives a negative height.
    size = QSize(std::abs(size.width()), std::abs(size.height()));
    if (!size.isValid() || size.isEmpty())
        return Fail(error, QStringLiteral("The picture does not say how large it is."));
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    if (size.width() > kMaxTraceSide || size.height() > kMaxTraceSide ||
        qint64(size.width()) * size.height() > kMaxTracePixels)
        return Fail(error, QStringLiteral("The picture is %1 x %2 pixels; at most %3 million "
                                          "pixels (%4 on a side) can be used.")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(kMaxTracePixels / 1000000)
                               .arg(kMaxTraceSide));
    QImage image = reader.read();
    if (image.isNull())
        return Fail(error,
                    QStringLiteral("The picture cannot be decoded: %1.").arg(reader.errorString()));
    // A decoder may honour the header's size or not; the bound holds either way.
    if (qint64(image.width()) * image.height() > kMaxTracePixels)
        return Fail(error, QStringLiteral("The picture is larger than its header says."));
    return image;
}
} // namespace

QImage ReadTraceImage(const QString& path, QString* error) {
    QByteArray bytes;
    QString why;
    if (!ReadBytes(path, &bytes, &why))
        return Fail(error, why);
    QByteArray format;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        // The name's suffix goes first, as when Qt reads the file by name.
        QImageReader reader(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
        if (reader.canRead())
            format = reader.format();
    }
    if (!IsAcceptedFormat(format))
        return Fail(error, QStringLiteral("The file is not a PNG, JPEG, BMP or SVG picture."));
    if (format.startsWith("svg")) {
        if (!CheckSvg(&bytes, &why))
            return Fail(error, why);
        format = "svg";
    } else if (!IsWhole(format, bytes)) {
        return Fail(error, QStringLiteral("The picture is cut short or damaged: only part of it "
                                          "could be decoded."));
    }
    return Decode(bytes, format, error);
}
