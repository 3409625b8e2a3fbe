#pragma once
#include <QString>
#include <QStringList>

// Why path may not be written as an output, or an empty string. A folder, a
// device, a pipe or a socket keeps being what it is (a save would put a
// regular file in its place), and no file that is being read is written
// over, whatever name leads to it (another path, a link, a second hard
// link). A link to a regular file is written through, to its target.
QString RefuseOutputPath(const QString& path, const QStringList& inputs = {});
