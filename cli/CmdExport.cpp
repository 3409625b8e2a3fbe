#include "cli/ToolCommand.h"
#include "cli/ToolOptions.h"
#include "cli/VrkFile.h"
#include "physics/EngineExport.h"

int RunExport(const ToolCommand& self, const QStringList& args) {
    ExportSettings settings;
    QString format;
    bool formatGiven = false;
    ToolOptions options;
    options.Choice("--format", &format, {"box2d", "godot", "phaser", "love"}, &formatGiven);
    options.Number("--scale", &settings.unitsPerMetre,
                   {kMinUnitsPerMetre, kMaxUnitsPerMetre, "units per metre"});
    options.Number("--pixels-per-unit", &settings.pixelsPerUnit,
                   {kMinPixelsPerUnit, kMaxPixelsPerUnit, "pixels per unit"});
    QStringList files;
    std::string wrong;
    if (!options.Parse(args, files, wrong))
        return UsageError(self, wrong);
    if (files.size() != 2)
        return UsageError(self, "expects a .vrk file and an output file");
    settings.format = FormatForPath(files[1]);
    for (ExportFormat f :
         {ExportFormat::Box2D, ExportFormat::Godot, ExportFormat::Phaser, ExportFormat::Love})
        if (formatGiven && FormatWord(f) == format)
            settings.format = f;
    if (!OutputAllowedOrReport(files[1], {files[0]}))
        return EXIT_INVALID_INPUT;
    VrkFile file;
    if (!LoadVrkOrReport(files[0], file))
        return EXIT_INVALID_INPUT;
    QString why;
    const ExportResult result = ExportFile(file.shape, settings, files[1], &why);
    if (result != ExportResult::Written) {
        // Errors of the object name the input; a failed write names the output.
        const bool objectErrors = result == ExportResult::ObjectErrors;
        for (const QString& line : why.split('\n'))
            ReportFile(objectErrors ? files[0] : files[1], line.toStdString());
        return EXIT_INVALID_INPUT;
    }
    return EXIT_OK;
}
