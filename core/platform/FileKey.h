#pragma once
#include <QString>

// One key for every name of one file, whatever links, dots or relative steps
// lead to it: its canonical path while it exists, its absolute path before
// (a file about to be written). Open documents, the settings kept per
// document and the print job's own-file guard all compare files by it.
QString FileKey(const QString& path);
