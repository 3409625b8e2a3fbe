#pragma once
#include <QString>

// What the print system (CUPS) says about a queue and about the job handed to
// it last. Qt's printer reports success for a job the queue refused, so the
// print job asks here.
namespace PrintSystem {
// Empty while the queue takes jobs, or when the print system cannot say;
// otherwise why it does not.
QString QueueRefusal(const QString& queue);
// Call on the thread that handed the job over, right after: empty when the
// print system accepted the job, otherwise its reason.
QString JobRefusal();
} // namespace PrintSystem
