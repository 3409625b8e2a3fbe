#include "physics/EngineExport.h"
#include "physics/Box2DCheck.h"
#include "physics/ExportBody.h"
#include "physics/GodotScene.h"
#include "physics/LoveModule.h"
#include "physics/MatterJson.h"
#include "platform/WriteFileSafely.h"

#include <QFileInfo>

ExportFormat FormatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("tscn"))
        return ExportFormat::Godot;
    if (suffix == QLatin1String("lua"))
        return ExportFormat::Love;
    return ExportFormat::Box2D;
}

bool UsesPixels(ExportFormat format) {
    return format != ExportFormat::Box2D;
}

QString FormatWord(ExportFormat format) {
    switch (format) {
    case ExportFormat::Godot:
        return QStringLiteral("godot");
    case ExportFormat::Phaser:
        return QStringLiteral("phaser");
    case ExportFormat::Love:
        return QStringLiteral("love");
    case ExportFormat::Box2D:
        break;
    }
    return QStringLiteral("box2d");
}

ExportResult ExportFile(const CShape& shape, const ExportSettings& settings, const QString& path,
                        QString* why) {
    if (!IsExportScale(settings.unitsPerMetre)) {
        *why = QString("the scale must lie between %1 and %2 units per metre")
                   .arg(kMinUnitsPerMetre)
                   .arg(kMaxUnitsPerMetre);
        return ExportResult::BadScale;
    }
    if (UsesPixels(settings.format) && !(settings.pixelsPerUnit >= kMinPixelsPerUnit &&
                                         settings.pixelsPerUnit <= kMaxPixelsPerUnit)) {
        *why = QString("the pixels per unit must lie between %1 and %2")
                   .arg(kMinPixelsPerUnit)
                   .arg(kMaxPixelsPerUnit);
        return ExportResult::BadScale;
    }
    const Box2DCheck check = CheckForBox2D(shape, settings.unitsPerMetre);
    if (!check.Passed()) {
        *why = check.errors.join('\n');
        return ExportResult::ObjectErrors;
    }
    const ExportBody body = MakeExportBody(check.model);
    const std::string name = QFileInfo(path).completeBaseName().toStdString();
    const double k = settings.pixelsPerUnit;
    std::string text;
    switch (settings.format) {
    case ExportFormat::Box2D:
        text = Box2DJson(body);
        break;
    case ExportFormat::Godot:
        text = GodotScene(body, name, k);
        break;
    case ExportFormat::Phaser:
        text = MatterJson(body, name, k);
        break;
    case ExportFormat::Love:
        text = LoveModule(body, k);
        break;
    }
    // Written from the string itself: a copy would double the peak memory.
    if (!WriteFileSafely(path, QByteArray::fromRawData(text.data(), qsizetype(text.size())), why))
        return ExportResult::WriteFailed;
    return ExportResult::Written;
}

ExportResult ExportBox2DFile(const CShape& shape, double unitsPerMetre, const QString& path,
                             QString* why) {
    return ExportFile(shape, {ExportFormat::Box2D, unitsPerMetre, 1}, path, why);
}
