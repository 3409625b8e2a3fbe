#pragma once
#include <QByteArray>
#include <QString>

// Replaces path with bytes only once all of them are on disk; a path that is
// not a regular file (or a link to one) is refused as RefuseOutputPath says; on failure the
// old file is left as it was and why says what went wrong. Where the folder
// allows no new file beside it, an existing file is written over in place and,
// should that fail part-way, given back its old contents.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* why);
