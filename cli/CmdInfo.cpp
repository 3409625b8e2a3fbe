#include "cli/ShapeInfo.h"
#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "physics/PhysicsReport.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace {

nlohmann::json PhysicsJson(const QString& path, const CShape& shape, const PhysicsModel& model) {
    const MassProperties& m = model.mass;
    nlohmann::json problems = nlohmann::json::array();
    for (const PhysicsProblem& p : model.problems) {
        nlohmann::json j{{"element", p.element},
                         {"severity", p.severity == PhysicsProblem::Error ? "error" : "note"},
                         {"message", p.message.toStdString()}};
        if (p.hasPlace)
            j["place"] = {p.place.x(), p.place.y()};
        problems.push_back(std::move(j));
    }
    return nlohmann::json{{"file", path.toStdString()},
                          {"massDensity", shape.m_dMassDensity},
                          {"polarity", shape.m_nPolarity},
                          {"mayRotate", shape.m_bMayRotate},
                          {"elements", shape.GetSize()},
                          {"area", m.area},
                          {"mass", m.mass},
                          {"centroid", {m.centroid.x(), m.centroid.y()}},
                          {"distance", m.distance},
                          {"inertia", m.inertiaAboutCenterOfMass},
                          {"inertiaAboutCentroid", m.inertiaAboutCentroid},
                          {"fixtures", model.fixtures.size()},
                          {"problems", problems}};
}

} // namespace

int RunInfo(const ToolCommand& self, const QStringList& args) {
    bool json = false;
    QStringList files;
    for (const QString& a : args) {
        if (a == "--json")
            json = true;
        else if (a == "--physics")
            continue; // the figures are always printed; kept for scripts that ask for them
        else if (a.startsWith('-'))
            return UsageError(self, "unknown option \"" + a.toStdString() + "\"");
        else
            files << a;
    }
    if (files.size() != 1)
        return UsageError(self, "expects exactly one file");
    VrkFile file;
    if (!LoadVrkOrReport(files[0], file))
        return EXIT_INVALID_INPUT;
    // The file's coordinates are already relative to the center of mass.
    const PhysicsModel model = BuildPhysicsModel(file.shape);
    if (json) {
        std::printf("%s\n", PhysicsJson(files[0], file.shape, model).dump(2).c_str());
        return EXIT_OK;
    }
    std::printf("file: %s\n%s", qPrintable(files[0]),
                FormatInfo(file.shape, Summarize(file.shape)).c_str());
    for (const QString& line : FormatMassProperties(model))
        std::printf("%s\n", qPrintable(line));
    std::printf("problems: %d error(s), %d note(s)\n", model.ErrorCount(),
                int(model.problems.size()) - model.ErrorCount());
    for (const PhysicsProblem& p : model.problems)
        std::printf("  %s\n", qPrintable(FormatProblem(p)));
    return EXIT_OK;
}
