// morvet-tool: inspects, validates, converts and draws .vrk files with the
// editor's own reader, writer and drawing code.
#include "cli/ToolCommand.h"
#include "platform/MorvetVersion.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: morvet-tool COMMAND [ARGS]\n"
                      "       morvet-tool --help | --version\n\ncommands:\n");
    for (const ToolCommand* const* c = AllCommands(); *c; ++c)
        std::fprintf(out, "  %-10s %s\n", (*c)->name, (*c)->synopsis);
    std::fprintf(out, "\n`morvet-tool COMMAND --help` describes a command.\n"
                      "Exit status: 0 success, 1 invalid input, 2 usage error.\n");
}
} // namespace

int main(int argc, char** argv) {
    // Drawing goes to images only, so no GUI application (and no display) is needed.
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        PrintUsage(stderr);
        return EXIT_USAGE;
    }
    const QString name = args.takeFirst();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return EXIT_OK;
    }
    if (name == "--version") {
        std::printf("morvet-tool %s\n", MORVET_VERSION);
        return EXIT_OK;
    }
    const ToolCommand* cmd = FindCommand(name);
    if (!cmd) {
        std::fprintf(stderr, "morvet-tool: unknown command \"%s\"\n", qPrintable(name));
        PrintUsage(stderr);
        return EXIT_USAGE;
    }
    if (args.contains("--help") || args.contains("-h")) {
        std::printf("usage: morvet-tool %s %s\n\n%s\n", cmd->name, cmd->synopsis, cmd->help);
        return EXIT_OK;
    }
    return cmd->run(*cmd, args);
}
