#include "cli/ToolCommand.h"
#include "cli/ToolOptions.h"
#include "cli/VrkFile.h"
#include "physics/Box2DExport.h"

int RunExport(const ToolCommand& self, const QStringList& args) {
    double scale = kDefaultUnitsPerMetre;
    ToolOptions options;
    options.Number("--scale", &scale, {kMinUnitsPerMetre, kMaxUnitsPerMetre, "units per metre"});
    QStringList files;
    std::string wrong;
    if (!options.Parse(args, files, wrong))
        return UsageError(self, wrong);
    if (files.size() != 2)
        return UsageError(self, "expects a .vrk file and an output file");
    if (!OutputAllowedOrReport(files[1], {files[0]}))
        return EXIT_INVALID_INPUT;
    VrkFile file;
    if (!LoadVrkOrReport(files[0], file))
        return EXIT_INVALID_INPUT;
    QString why;
    const ExportResult result = ExportBox2DFile(file.shape, scale, files[1], &why);
    if (result != ExportResult::Written) {
        // Errors of the object name the input; a failed write names the output.
        const bool objectErrors = result == ExportResult::ObjectErrors;
        for (const QString& line : why.split('\n'))
            ReportFile(objectErrors ? files[0] : files[1], line.toStdString());
        return EXIT_INVALID_INPUT;
    }
    return EXIT_OK;
}
