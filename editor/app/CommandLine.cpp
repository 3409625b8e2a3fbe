#include "app/CommandLine.h"

#include "platform/MorvetVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {
// --print and --print-to-pdf: each needs the file to print, and only one of
// them can be carried out.
void ApplyPrintOptions(const QCommandLineParser& parser, const QCommandLineOption& print,
                       const QCommandLineOption& printToPdf, CCommandLineInfo& info) {
    if (!parser.isSet(print) && !parser.isSet(printToPdf))
        return;
    if (parser.isSet(print) && parser.isSet(printToPdf)) {
        info.m_nShellCommand = CCommandLineInfo::Error;
        info.m_strMessage = QStringLiteral("--print and --print-to-pdf cannot be combined.");
        return;
    }
    const QString option =
        parser.isSet(print) ? QStringLiteral("--print") : QStringLiteral("--print-to-pdf");
    if (info.m_nShellCommand != CCommandLineInfo::FileOpen) {
        info.m_nShellCommand = CCommandLineInfo::Error;
        info.m_strMessage = QStringLiteral("%1 needs the object file to print.").arg(option);
        return;
    }
    if (parser.isSet(print)) {
        info.m_nPrint = CCommandLineInfo::PrintDirect;
    } else {
        info.m_nPrint = CCommandLineInfo::PrintToPdf;
        info.m_strPdfFile = parser.value(printToPdf);
    }
}
} // namespace

CCommandLineInfo ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Morvet, the editor of physical objects."));
    // Not addHelpOption(): it also lists --help-all, which would name Qt's own
    // options, and those are refused here before Qt could see them.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("path"),
                                 QStringLiteral("The object file (.vrk) to open."),
                                 QStringLiteral("[path]"));
    const QCommandLineOption print(
        QStringLiteral("print"),
        QStringLiteral("Print the object file on the default printer, without a window, and end."));
    const QCommandLineOption printToPdf(
        QStringLiteral("print-to-pdf"),
        QStringLiteral(
            "Write the printout of the object file to <pdf>, without a window, and end."),
        QStringLiteral("pdf"));
    parser.addOption(print);
    parser.addOption(printToPdf);

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
    if (parser.isSet(version)) {
        info.m_nShellCommand = CCommandLineInfo::ShowVersion;
        info.m_strMessage = QStringLiteral("morvet " MORVET_VERSION "\n");
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
    ApplyPrintOptions(parser, print, printToPdf, info);
    return info;
}
