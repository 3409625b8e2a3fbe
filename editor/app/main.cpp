#include "app/CMorvetApp.h"
#include "app/CommandLine.h"
#include "app/PrintCommandLine.h"
#include "platform/MorvetVersion.h"
#include "res/AppIcon.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // The command line is read before the window system is reached, so that
    // --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CCommandLineInfo cmdInfo = ParseCommandLine(arguments);
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::ShowHelp ||
        cmdInfo.m_nShellCommand == CCommandLineInfo::ShowVersion) {
        std::fputs(qPrintable(cmdInfo.m_strMessage), stdout);
        return 0;
    }
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::Error) {
        std::fprintf(stderr, "morvet: %s\n", qPrintable(cmdInfo.m_strMessage));
        return 2;
    }

    PreparePrintPlatform(cmdInfo);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quennit Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Morvet"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MORVET_VERSION));
    QApplication::setWindowIcon(AppIcon());

    CMorvetApp theApp;
    if (IsPrintCommand(cmdInfo))
        return PrintFromCommandLine(cmdInfo);
    if (!theApp.InitInstance(cmdInfo))
        return 1;
    return app.exec();
}
