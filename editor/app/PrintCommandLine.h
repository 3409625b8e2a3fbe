#pragma once

struct CCommandLineInfo;

// Whether the command line asks to print rather than to edit.
bool IsPrintCommand(const CCommandLineInfo& cmdInfo);

// Prints the named document without showing a window: on the shared printer
// without a dialog, or into the named PDF file. Complaints go to stderr;
// returns the program's exit status.
int PrintFromCommandLine(const CCommandLineInfo& cmdInfo);

// Printing needs no display: without one, Qt is pointed at its offscreen
// platform before the application object exists.
void PreparePrintPlatform(const CCommandLineInfo& cmdInfo);
