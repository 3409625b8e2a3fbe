#include "cli/ToolCommand.h"

#include <cstdio>

namespace {
const ToolCommand kInfo{"info", "FILE.vrk",
                        "Prints the object's properties, its element count, the counts by\n"
                        "type, the total number of points and the bounding box relative to\n"
                        "the center of mass.",
                        RunInfo};
const ToolCommand kCheck{"check", "FILE.vrk...",
                         "Validates each file as the editor reads it and reports every problem\n"
                         "found, one line each: errors (the editor refuses the file) and\n"
                         "warnings (readable but doubtful content). Exit status 1 when any\n"
                         "file has an error.",
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
const ToolCommand* const kCommands[] = {&kInfo,   &kCheck, &kToJson, &kFromJson,
                                        &kRender, &kTrace, nullptr};
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
