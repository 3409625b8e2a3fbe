#include "view/ReferenceImageStore.h"

#include "platform/FileKey.h"
#include "trace/TraceImageFile.h"

#include <QFileInfo>
#include <QSettings>
#include <cmath>

namespace {
const QString kGroup = QStringLiteral("ReferenceImages");

// One settings key per document file, whatever name it was opened by; hex,
// as a path's slashes would make groups of their own.
QString KeyFor(const QString& documentPath) {
    return kGroup + QLatin1Char('/') + QString::fromLatin1(FileKey(documentPath).toUtf8().toHex());
}

double Finite(const QVariant& v, double fallback, double low, double high) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) && d >= low && d <= high ? d : fallback;
}
} // namespace

bool LoadReferenceImage(const QString& path, CReferenceImage& ref, QString* why) {
    QImage image = ReadTraceImage(path, why);
    if (image.isNull())
        return false;
    ref.image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ref.path = QFileInfo(path).absoluteFilePath();
    return true;
}

void StoreReferenceImage(QSettings& settings, const QString& documentPath,
                         const CReferenceImage& ref) {
    if (documentPath.isEmpty())
        return;
    const QString key = KeyFor(documentPath);
    settings.remove(key);
    if (!ref.IsLoaded())
        return;
    settings.beginGroup(key);
    settings.setValue(QStringLiteral("image"), ref.path);
    settings.setValue(QStringLiteral("scale"), ref.scale);
    settings.setValue(QStringLiteral("offsetX"), ref.offsetX);
    settings.setValue(QStringLiteral("offsetY"), ref.offsetY);
    settings.setValue(QStringLiteral("opacity"), ref.opacity);
    settings.setValue(QStringLiteral("hidden"), ref.hidden);
    settings.setValue(QStringLiteral("backdrop"), ref.backdrop);
    settings.endGroup();
}

bool RestoreReferenceImage(QSettings& settings, const QString& documentPath, CReferenceImage& ref,
                           QString* why) {
    settings.beginGroup(KeyFor(documentPath));
    const QString image = settings.value(QStringLiteral("image")).toString();
    CReferenceImage restored;
    // Values edited by hand outside their ranges fall back to the defaults.
    restored.scale = Finite(settings.value(QStringLiteral("scale")), 1.0, 1e-6, 1e6);
    restored.offsetX = Finite(settings.value(QStringLiteral("offsetX")), 0.0, -1e9, 1e9);
    restored.offsetY = Finite(settings.value(QStringLiteral("offsetY")), 0.0, -1e9, 1e9);
    restored.opacity = int(Finite(settings.value(QStringLiteral("opacity")),
                                  CReferenceImage::kDefaultOpacity, 0, 100));
    restored.hidden = settings.value(QStringLiteral("hidden"), false).toBool();
    // Pictures remembered before the backdrop existed show as they did then.
    restored.backdrop = settings.value(QStringLiteral("backdrop"), false).toBool();
    settings.endGroup();
    if (image.isEmpty())
        return true;
    QString reason;
    if (!LoadReferenceImage(image, restored, &reason)) {
        if (why)
            *why = QStringLiteral("The reference image %1 cannot be shown. %2").arg(image, reason);
        return false;
    }
    ref = restored;
    return true;
}
