#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "cli/VrkScanner.h"
#include "physics/Box2DCheck.h"
#include "physics/PhysicsReport.h"

#include <algorithm>
#include <cstdio>

namespace {
// Lists the object's physics problems; returns whether one is an error.
bool CheckPhysics(const QString& path, const CShape& shape) {
    const Box2DCheck check = CheckForBox2D(shape, kDefaultUnitsPerMetre);
    for (const PhysicsProblem& p : check.model.problems)
        ReportFile(path, FormatProblem(p).toStdString());
    return !check.Passed();
}

// Returns whether the file has an error.
bool CheckOne(const QString& path, bool physics) {
    QByteArray bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        ReportFile(path, "error: " + error);
        return true;
    }
    std::vector<VrkProblem> problems = ScanVrk(bytes);
    VrkFile file;
    const bool readable = ParseVrk(bytes, file, error);
    // The editor's reader has the last word: its refusal, in its own words,
    // stands for the scan's first error, and a file it accepts has no errors.
    const auto firstError = std::find_if(problems.begin(), problems.end(), [](const VrkProblem& p) {
        return p.severity == VrkProblem::Error;
    });
    if (!readable && firstError == problems.end())
        problems.push_back({VrkProblem::Error, error});
    else if (!readable)
        firstError->message = error;
    for (const VrkProblem& p : problems) {
        const bool isError = !readable && p.severity == VrkProblem::Error;
        ReportFile(path, (isError ? "error: " : "warning: ") + p.message);
    }
    const bool physicsErrors = readable && physics && CheckPhysics(path, file.shape);
    if (readable && problems.empty() && !physicsErrors) {
        const int n = file.shape.GetSize();
        std::printf("%s: ok (%d %s)\n", qPrintable(path), n, n == 1 ? "element" : "elements");
    }
    return !readable || physicsErrors;
}
} // namespace

int RunCheck(const ToolCommand& self, const QStringList& args) {
    QStringList files;
    bool physics = false;
    for (const QString& a : args) {
        if (a == "--physics")
            physics = true;
        else if (a.startsWith('-'))
            return UsageError(self, "unknown option \"" + a.toStdString() + "\"");
        else
            files << a;
    }
    if (files.isEmpty())
        return UsageError(self, "expects at least one file");
    bool failed = false;
    for (const QString& path : files)
        failed = CheckOne(path, physics) || failed;
    return failed ? EXIT_INVALID_INPUT : EXIT_OK;
}
