#include "cli/ToolCommand.h"
#include "cli/ToolOptions.h"
#include "cli/VrkFile.h"
#include "simulation/Simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
constexpr double kMaxSeconds = 3600; // an hour of steps takes well under a minute

// A number printed with a fixed count of decimals; a value that rounds to zero
// prints as 0, never as -0.000.
std::string Fixed(double v, int decimals) {
    const double unit = std::pow(10.0, -decimals) / 2;
    if (std::fabs(v) < unit)
        v = 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

std::string StateLine(const SimulationState& s) {
    return "{\"t\":" + Fixed(s.t, 4) + ",\"x\":" + Fixed(s.x, 3) + ",\"y\":" + Fixed(s.y, 3) +
           ",\"angle\":" + Fixed(s.angle, 3) + ",\"awake\":" + (s.awake ? "true" : "false") + "}\n";
}
} // namespace

int RunSimulate(const ToolCommand& self, const QStringList& args) {
    SimulationSettings settings;
    double seconds = 5;
    using S = SimulationSettings;
    ToolOptions options;
    options.Number("--seconds", &seconds, {0, kMaxSeconds, "seconds", true});
    options.Number("--gravity", &settings.gravity, {S::kMinGravity, S::kMaxGravity, "m/s²"});
    options.Number("--floor-angle", &settings.floorAngle,
                   {-S::kMaxFloorAngle, S::kMaxFloorAngle, "degrees"});
    options.Number("--drop", &settings.drop, {0, S::kMaxDrop, "units"});
    options.Number("--scale", &settings.unitsPerMetre,
                   {S::kMinScale, S::kMaxScale, "units per metre"});
    QStringList files;
    std::string wrong;
    if (!options.Parse(args, files, wrong, true))
        return UsageError(self, wrong);
    if (files.size() != 1)
        return UsageError(self, "expects exactly one .vrk file");
    const QString settingsError = CheckSimulationSettings(settings);
    if (!settingsError.isEmpty())
        return UsageError(self, settingsError.toStdString());

    VrkFile file;
    if (!LoadVrkOrReport(files[0], file))
        return EXIT_INVALID_INPUT;
    Simulation simulation;
    // The file's coordinates are relative to the center of mass already.
    if (!simulation.Start(file.shape, settings)) {
        for (const QString& e : simulation.Errors())
            ReportFile(files[0], e.toStdString());
        return EXIT_INVALID_INPUT;
    }
    const int steps = std::max(1, int(std::lround(seconds / Simulation::kStep)));
    for (int i = 0; i < steps; ++i) {
        simulation.Step();
        std::fputs(StateLine(simulation.State()).c_str(), stdout);
    }
    return std::fflush(stdout) == 0 ? EXIT_OK : EXIT_INVALID_INPUT;
}
