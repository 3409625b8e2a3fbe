#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "physics/Box2DExport.h"

int RunExport(const ToolCommand& self, const QStringList& args) {
    double scale = kDefaultUnitsPerMetre;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--scale") {
            bool ok = false;
            if (i + 1 < args.size())
                scale = args[++i].toDouble(&ok);
            if (!ok || !IsExportScale(scale))
                return UsageError(self, "--scale takes a number of units per metre from 1 to 400");
        } else if (args[i].startsWith('-')) {
            return UsageError(self, "unknown option \"" + args[i].toStdString() + "\"");
        } else {
            files << args[i];
        }
    }
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
