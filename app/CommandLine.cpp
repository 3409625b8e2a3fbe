#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

CCommandLineInfo ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Morvet, the editor of physical objects."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("The object file (.vrk) to open."),
                                 QStringLiteral("[path]"));

    CCommandLineInfo info;
    if (!parser.parse(arguments)) {
        info.m_nShellCommand = CCommandLineInfo::Error;
        info.m_strMessage = parser.errorText();
        return info;
    }
    if (parser.isSet(help)) {
        info.m_nShellCommand = CCommandLineInfo::ShowHelp;
        // Without an application object the parser cannot name the program.
        const QString program = arguments.isEmpty() ? QStringLiteral("morvet")
                                                    : QFileInfo(arguments.front()).fileName();
        info.m_strMessage = parser.helpText().replace(QStringLiteral("<executable_name>"), program);
        return info;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.size() > 1) {
        info.m_nShellCommand = CCommandLineInfo::Error;
        info.m_strMessage = QStringLiteral("Only one file can be named; got %1.").arg(paths.size());
        return info;
    }
    if (paths.size() == 1) {
        info.m_nShellCommand = CCommandLineInfo::FileOpen;
        info.m_strFileName = paths.front();
    }
    return info;
}
