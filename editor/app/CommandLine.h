#pragma once
#include <QString>
#include <QStringList>

// What the command line asks the program to do at start-up. All option
// handling lives in ParseCommandLine.
struct CCommandLineInfo {
    enum Shell { FileNew, FileOpen, ShowHelp, ShowVersion, Error };
    Shell m_nShellCommand = FileNew;
    QString m_strFileName;
    // The text for ShowHelp and ShowVersion, the complaint for Error.
    QString m_strMessage;

    // Printing instead of editing: the named file is printed on the default
    // printer or into a PDF file, without a window, and the program ends.
    enum Print { PrintNone, PrintDirect, PrintToPdf };
    Print m_nPrint = PrintNone;
    QString m_strPdfFile;
};

// arguments[0] is the program name, as QCoreApplication::arguments() gives it.
CCommandLineInfo ParseCommandLine(const QStringList& arguments);
