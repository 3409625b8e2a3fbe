#include "view/PrintSystem.h"

#include <cstring>
#include <cups/cups.h>

QString PrintSystem::QueueRefusal(const QString& queue) {
    if (queue.isEmpty())
        return QString();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return QString();
    QString why;
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && std::strcmp(accepting, "false") == 0)
        why = QStringLiteral("it is not accepting jobs");
    cupsFreeDests(1, dest);
    return why;
}

QString PrintSystem::JobRefusal() {
    // Every answer of the print system sets the last error, also success; so
    // after the job was sent it is the answer to the job.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QString();
    const char* text = cupsLastErrorString();
    return text && *text ? QString::fromUtf8(text)
                         : QString::fromUtf8(ippErrorString(cupsLastError()));
}
