// morvet-tool: inspects, validates, converts and draws .vrk files with the
// editor's own reader, writer and drawing code.
#include "cli/ToolCommand.h"
#include "platform/MorvetVersion.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: morvet-tool COMMAND [ARGS]\n"
                      "       morvet-tool --help | --version\n\ncommands:\n");
    for (const ToolCommand* const* c = AllCommands(); *c; ++c)
        std::fprintf(out, "  %-10s %s\n", (*c)->name, (*c)->synopsis);
    std::fprintf(out, "\n`morvet-tool COMMAND --help` describes a command.\n"
                      "Exit status: 0 success, 1 invalid input, 2 usage error.\n");
}

// The platform's notes while it starts (such as an unset XDG_RUNTIME_DIR)
// would mix with the command's own output.
void KeepOnlyErrors(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Drawing goes to images only, so no display is needed. Tracing, though,
// may draw an SVG picture's text, and Qt's fonts come only with a GUI
// application: trace gets one, on the offscreen platform unless another is
// asked for, so that it runs without a display too.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "trace") != 0)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(KeepOnlyErrors);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}
} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv);
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
