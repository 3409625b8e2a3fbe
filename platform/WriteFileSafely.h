#pragma once
#include <QByteArray>
#include <QString>

// Replaces path with bytes only once all of them are on disk; on failure the
// old file is left as it was and why says what went wrong.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* why);
