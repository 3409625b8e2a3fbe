#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "cli/VrkScanner.h"

#include <algorithm>
#include <cstdio>

namespace {
// Returns whether the file has an error.
bool CheckOne(const QString& path) {
    QByteArray bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        ReportFile(path, "error: " + error);
        return true;
    }
    std::vector<VrkProblem> problems = ScanVrk(bytes);
    // The editor's reader has the last word: its refusal is always reported,
    // even should the scan have missed it.
    VrkFile file;
    const bool readable = ParseVrk(bytes, file, error);
    const bool scanError = std::any_of(problems.begin(), problems.end(), [](const VrkProblem& p) {
        return p.severity == VrkProblem::Error;
    });
    if (!readable && !scanError)
        problems.push_back({VrkProblem::Error, error});
    for (const VrkProblem& p : problems)
        ReportFile(path, (p.severity == VrkProblem::Error ? "error: " : "warning: ") + p.message);
    if (readable && problems.empty())
        std::printf("%s: ok (%d elements)\n", qPrintable(path), file.shape.GetSize());
    return !readable || scanError;
}
} // namespace

int RunCheck(const ToolCommand& self, const QStringList& args) {
    if (args.isEmpty())
        return UsageError(self, "expects at least one file");
    for (const QString& a : args)
        if (a.startsWith('-'))
            return UsageError(self, "unknown option \"" + a.toStdString() + "\"");
    bool failed = false;
    for (const QString& path : args)
        failed = CheckOne(path) || failed;
    return failed ? EXIT_INVALID_INPUT : EXIT_OK;
}
