#include "app/PrintCommandLine.h"

#include "app/CommandLine.h"
#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"
#include "view/CPrintInfo.h"
#include "view/CPrintJob.h"

#include <QPageLayout>
#include <QPrinter>
#include <cstdio>

bool IsPrintCommand(const CCommandLineInfo& cmdInfo) {
    return cmdInfo.m_nPrint != CCommandLineInfo::PrintNone;
}

void PreparePrintPlatform(const CCommandLineInfo& cmdInfo) {
    if (!IsPrintCommand(cmdInfo) || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int PrintFromCommandLine(const CCommandLineInfo& cmdInfo) {
    CMorvetDoc doc;
    if (!doc.OnOpenDocument(cmdInfo.m_strFileName)) {
        std::fprintf(stderr, "morvet: %s\n", qPrintable(doc.LastError()));
        return 1;
    }
    doc.SetPathName(cmdInfo.m_strFileName);

    // No window shows the object, so the view takes the page's printable size:
    // the object's origin prints across the middle of the page.
    CMorvetView view(&doc);
    const QRect area =
        CPrintJob::SharedPrinter()->pageLayout().paintRectPixels(CPrintJob::kUnitsPerInch);
    view.resize(area.size());

    QString error;
    bool ok = false;
    if (cmdInfo.m_nPrint == CCommandLineInfo::PrintToPdf) {
        ok = CPrintJob::PrintToPdf(&view, cmdInfo.m_strPdfFile, &error);
    } else {
        CPrintInfo info;
        ok = CPrintJob::Print(&view, true, &info);
        error = info.m_strError;
    }
    if (!ok) {
        std::fprintf(stderr, "morvet: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
