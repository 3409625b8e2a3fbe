#include "trace/TraceImageFile.h"

#include <QImageReader>

namespace {
// Room for the largest accepted picture at four bytes a pixel, plus the
// decoder's own working rows.
constexpr int kAllocationLimitMb = 96;

bool IsAcceptedFormat(const QByteArray& format) {
    return format == "png" || format == "jpeg" || format == "jpg" || format == "bmp" ||
           format == "svg" || format == "svgz";
}
} // namespace

QImage ReadTraceImage(const QString& path, QString* error) {
    QImageReader reader(path);
    reader.setAllocationLimit(kAllocationLimitMb);
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return QImage();
    };
    if (!reader.canRead() || !IsAcceptedFormat(reader.format())) {
        if (reader.error() == QImageReader::FileNotFoundError)
            return fail(QStringLiteral("The file cannot be opened: %1.").arg(reader.errorString()));
        return fail(QStringLiteral("The file is not a PNG, JPEG, BMP or SVG picture."));
    }
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return fail(QStringLiteral("The picture does not say how large it is."));
    if (size.width() > kMaxTraceSide || size.height() > kMaxTraceSide ||
        qint64(size.width()) * size.height() > kMaxTracePixels)
        return fail(QStringLiteral("The picture is %1 x %2 pixels; at most %3 million pixels "
                                   "(%4 on a side) can be used.")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(kMaxTracePixels / 1000000)
                        .arg(kMaxTraceSide));
    QImage image = reader.read();
    if (image.isNull())
        return fail(QStringLiteral("The picture cannot be decoded: %1.").arg(reader.errorString()));
    // A decoder may honour the header's size or not; the bound holds either way.
    if (qint64(image.width()) * image.height() > kMaxTracePixels)
        return fail(QStringLiteral("The picture is larger than its header says."));
    return image;
}
