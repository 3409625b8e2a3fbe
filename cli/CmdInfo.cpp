#include "cli/ShapeInfo.h"
#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"

#include <cstdio>

int RunInfo(const ToolCommand& self, const QStringList& args) {
    if (args.size() != 1 || args[0].startsWith('-'))
        return UsageError(self, "expects exactly one file");
    VrkFile file;
    if (!LoadVrkOrReport(args[0], file))
        return EXIT_INVALID_INPUT;
    std::printf("file: %s\n%s", qPrintable(args[0]),
                FormatInfo(file.shape, Summarize(file.shape)).c_str());
    return EXIT_OK;
}
