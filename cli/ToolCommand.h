#pragma once
#include <QString>
#include <QStringList>
#include <string>

enum ExitStatus { EXIT_OK = 0, EXIT_INVALID_INPUT = 1, EXIT_USAGE = 2 };

// One subcommand of morvet-tool. run gets the arguments after the
// subcommand's name, with --help already handled.
struct ToolCommand {
    const char* name;
    const char* synopsis; // the arguments, for usage lines
    const char* help;     // what it does, for --help
    int (*run)(const ToolCommand& self, const QStringList& args);
};

const ToolCommand* FindCommand(const QString& name);
const ToolCommand* const* AllCommands(); // null-terminated

// Prints "morvet-tool NAME: message" and the usage line to stderr; returns EXIT_USAGE.
int UsageError(const ToolCommand& cmd, const std::string& message);
// Prints "FILE: message" to stderr.
void ReportFile(const QString& file, const std::string& message);

int RunInfo(const ToolCommand& self, const QStringList& args);
int RunCheck(const ToolCommand& self, const QStringList& args);
int RunToJson(const ToolCommand& self, const QStringList& args);
int RunFromJson(const ToolCommand& self, const QStringList& args);
int RunRender(const ToolCommand& self, const QStringList& args);
int RunExport(const ToolCommand& self, const QStringList& args);
int RunSimulate(const ToolCommand& self, const QStringList& args);
int RunTrace(const ToolCommand& self, const QStringList& args);
