#include "cli/ToolCommand.h"

#include <cstdio>

namespace {
const ToolCommand kInfo{"info", "[--json] FILE.vrk",
                        "Prints the object's properties, its element count, the counts by\n"
                        "type, the total number of points, the bounding box relative to the\n"
                        "center of mass, then the area, mass, centroid and moments of inertia\n"
                        "(file units, y down) and the physics problems; --json prints those\n"
                        "figures as one JSON object. --physics is accepted and changes nothing.",
                        RunInfo};
const ToolCommand kCheck{"check", "[--physics] FILE.vrk...",
                         "Validates each file as the editor reads it and reports every problem\n"
                         "found, one line each: errors (the editor refuses the file) and\n"
                         "warnings (readable but doubtful content). Exit status 1 when any\n"
                         "file has an error. --physics also lists the object's physics\n"
                         "problems (crossing or flat polygons, elements too small for Box2D)\n"
                         "and notes; a physics error counts as an error.",
                         RunCheck};
const ToolCommand kToJson{"to-json", "FILE.vrk",
                          "Writes the object as JSON to standard output. The JSON form keeps\n"
                          "every byte of the file; from-json rebuilds it exactly.",
                          RunToJson};
const ToolCommand kFromJson{"from-json", "FILE.json OUT.vrk",
                            "Builds OUT.vrk from the JSON form that to-json writes. OUT.vrk is\n"
                            "only replaced when the whole JSON document is valid.",
                            RunFromJson};
const ToolCommand kRender{"render", "FILE.vrk OUT.png|OUT.svg [--size WxH] [--cross]",
                          "Draws the object as the editor shows it: black canvas, the center\n"
                          "of mass at the middle, white outlines and coloured fills. --size\n"
                          "sets the picture size (default 640x480); --cross adds the red\n"
                          "center-of-mass cross.",
                          RunRender};
const ToolCommand kExport{"export",
                          "[--format box2d|godot|phaser|love] [--scale UNITS_PER_METRE] "
                          "[--pixels-per-unit P] FILE.vrk OUT",
                          "Writes the object as one dynamic body for a physics engine: convex\n"
                          "polygon pieces, one-unit wall boxes and circles, with the center of\n"
                          "mass at the body's origin and the mass data at the scale (default\n"
                          "100 units per metre, 1 to 400). Formats: box2d (b2dJson layout, y\n"
                          "up, in metres), godot (Godot 4 .tscn scene), phaser (Phaser 3 /\n"
                          "Matter JSON, with docs/morvet-matter.js) and love (LÖVE Lua module);\n"
                          "without --format, .tscn gives godot, .lua love, anything else box2d.\n"
                          "The last three are in pixels, --pixels-per-unit of them a unit\n"
                          "(default 1, 0.01 to 100). An object with physics errors is not\n"
                          "exported: they are listed and the exit status is 1.",
                          RunExport};
const ToolCommand kSimulate{
    "simulate",
    "[--seconds S] [--gravity G] [--floor-angle DEG] [--drop UNITS] [--scale UNITS_PER_METRE] "
    "FILE.vrk",
    "Drops the object onto a floor in Box2D, as the editor's Simulate window\n"
    "does, and prints one JSON object per line for every step of 1/60 s:\n"
    "\"t\" (seconds), \"x\" and \"y\" (the center of mass in file units, y down,\n"
    "relative to its start), \"angle\" (degrees, clockwise) and \"awake\".\n"
    "Defaults: 5 seconds, gravity 9.81 m/s², floor angle 0 (positive lowers\n"
    "its right end), the floor's top 100 units below the lowest point, 100\n"
    "units per metre. The same file gives the same lines on every run. An\n"
    "object with physics errors gets them on stderr and exit status 1.",
    RunSimulate};
const ToolCommand kTrace{
    "trace",
    "IMAGE OUT.vrk [--threshold T] [--tolerance U] [--scale UNITS_PER_PIXEL] [--min-area A]\n"
    "           [--channel alpha|luminance] [--invert] [--holes]",
    "Traces the outlines of the shape in a PNG, JPEG, BMP or SVG picture into\n"
    "a new object: one white filled polygon per outline, each a simple polygon.\n"
    "The middle of the picture goes to the center of mass; y points down, as\n"
    "in the picture. The shape is the pixels at least T opaque (alpha channel,\n"
    "the default for pictures with transparency) or darker than T (luminance;\n"
    "--invert: at least T light). T is 0 to 255, default 128. --tolerance is\n"
    "how far the simplified outline may stray, in units (default 1); --scale\n"
    "the units per pixel (default 1); --min-area the smallest area kept, in\n"
    "square units (default 0). Filled elements have no holes: --holes adds\n"
    "each hole as a closed polyline. Pictures over 16 million pixels are\n"
    "refused. Exit status 1, and no file written, when the picture cannot be\n"
    "read or nothing is traced.",
    RunTrace};
const ToolCommand* const kCommands[] = {&kInfo,   &kCheck,    &kToJson, &kFromJson, &kRender,
                                        &kExport, &kSimulate, &kTrace,  nullptr};
} // namespace

const ToolCommand* const* AllCommands() {
    return kCommands;
}

const ToolCommand* FindCommand(const QString& name) {
    for (const ToolCommand* const* c = kCommands; *c; ++c)
        if (name == QLatin1String((*c)->name))
            return *c;
    return nullptr;
}

int UsageError(const ToolCommand& cmd, const std::string& message) {
    std::fprintf(stderr, "morvet-tool %s: %s\nusage: morvet-tool %s %s\n", cmd.name,
                 message.c_str(), cmd.name, cmd.synopsis);
    return EXIT_USAGE;
}

void ReportFile(const QString& file, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(file), message.c_str());
}
