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
    if (settings.format == ExportFormat::Box2D)
        return ExportBox2DFile(shape, settings.unitsPerMetre, path, why);
    if (!IsExportScale(settings.unitsPerMetre)) {
        *why = QString("the scale must lie between %1 and %2 units per metre")
                   .arg(kMinUnitsPerMetre)
                   .arg(kMaxUnitsPerMetre);
        return ExportResult::BadScale;
    }
    if (!(settings.pixelsPerUnit >= kMinPixelsPerUnit &&
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
    const std::string text = settings.format == ExportFormat::Godot  ? GodotScene(body, name, k)
                             : settings.format == ExportFormat::Love ? LoveModule(body, k)
                                                                     : MatterJson(body, name, k);
    if (!WriteFileSafely(path, QByteArray::fromRawData(text.data(), qsizetype(text.size())), why))
        return ExportResult::WriteFailed;
    return ExportResult::Written;
}
