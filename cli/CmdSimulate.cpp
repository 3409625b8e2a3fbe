#include "cli/ToolCommand.h"
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

struct NumberOption {
    const char* name;
    double* value;
};
} // namespace

int RunSimulate(const ToolCommand& self, const QStringList& args) {
    SimulationSettings settings;
    double seconds = 5;
    const NumberOption options[] = {{"--seconds", &seconds},
                                    {"--gravity", &settings.gravity},
                                    {"--floor-angle", &settings.floorAngle},
                                    {"--drop", &settings.drop},
                                    {"--scale", &settings.unitsPerMetre}};
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const NumberOption* option = nullptr;
        for (const NumberOption& o : options)
            if (args[i] == QLatin1String(o.name))
                option = &o;
        if (option) {
            if (++i == args.size())
                return UsageError(self, std::string(option->name) + " needs a number");
            bool ok = false;
            *option->value = args[i].toDouble(&ok);
            if (!ok || !std::isfinite(*option->value))
                return UsageError(self, std::string(option->name) + " expects a number, not \"" +
                                            args[i].toStdString() + "\"");
        } else if (args[i].startsWith('-') && args[i] != "-") {
            return UsageError(self, "unknown option \"" + args[i].toStdString() + "\"");
        } else {
            files << args[i];
        }
    }
    if (files.size() != 1)
        return UsageError(self, "expects exactly one .vrk file");
    if (!(seconds > 0 && seconds <= kMaxSeconds))
        return UsageError(self, "--seconds must lie above 0 and at most " +
                                    std::to_string(int(kMaxSeconds)));
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
