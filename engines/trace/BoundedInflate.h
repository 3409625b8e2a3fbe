#pragma once
#include <QByteArray>
#include <QString>

// Whether bytes start as a gzip stream does.
bool IsGzip(const QByteArray& bytes);

// Inflates a gzip stream into out, stopping as soon as it would pass limit
// bytes, so that a small file claiming a huge text costs no more than the
// limit. On failure returns false and sets why to a sentence without the
// file name.
bool InflateGzip(const QByteArray& gzip, qsizetype limit, QByteArray* out, QString* why);
