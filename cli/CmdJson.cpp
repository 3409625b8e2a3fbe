#include "cli/ToolCommand.h"
#include "cli/VrkFile.h"
#include "cli/VrkJson.h"

#include <cstdio>

int RunToJson(const ToolCommand& self, const QStringList& args) {
    if (args.size() != 1 || args[0].startsWith('-'))
        return UsageError(self, "expects exactly one file");
    VrkFile file;
    if (!LoadVrkOrReport(args[0], file))
        return EXIT_INVALID_INPUT;
    std::fputs(FormatVrkJson(VrkToJson(file)).c_str(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        ReportFile(args[0], "cannot write the JSON to standard output");
        return EXIT_INVALID_INPUT;
    }
    return EXIT_OK;
}

int RunFromJson(const ToolCommand& self, const QStringList& args) {
    if (args.size() != 2 || args[0].startsWith('-') || args[1].startsWith('-'))
        return UsageError(self, "expects a JSON file and an output file");
    if (!OutputAllowedOrReport(args[1], {args[0]}))
        return EXIT_INVALID_INPUT;
    QByteArray text;
    std::string error;
    if (!ReadFileBytes(args[0], text, error)) {
        ReportFile(args[0], error);
        return EXIT_INVALID_INPUT;
    }
    QByteArray bytes;
    try {
        bytes = VrkFromJson(nlohmann::json::parse(text.constBegin(), text.constEnd()));
    } catch (const nlohmann::json::parse_error& e) {
        ReportFile(args[0], std::string("not valid JSON: ") + e.what());
        return EXIT_INVALID_INPUT;
    } catch (const JsonFormError& e) {
        ReportFile(args[0], e.what());
        return EXIT_INVALID_INPUT;
    }
    if (!WriteFileAtomically(args[1], bytes, error)) {
        ReportFile(args[1], error);
        return EXIT_INVALID_INPUT;
    }
    return EXIT_OK;
}
