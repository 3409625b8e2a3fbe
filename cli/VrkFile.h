#pragma once
#include "object/CShape.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

// One .vrk file as the editor reads it, plus the bytes the object does not
// keep (the format word, a negative element count, whatever follows the last
// element), so that tools can give them back unchanged.
struct VrkFile {
    QByteArray bytes;
    CShape shape;
    int32_t formatWord = 1;
    int32_t storedCount = 0;
    size_t consumed = 0; // bytes the reader used, from the start of the file

    QByteArray Trailing() const { return bytes.mid(qsizetype(consumed)); }
};

// Reads a whole file, refusing one larger than the editor would open. On
// failure returns false and sets error to a message without the file name.
bool ReadFileBytes(const QString& path, QByteArray& bytes, std::string& error);

// Parses bytes with the editor's own reader. On failure returns false and
// sets error to the reader's message.
bool ParseVrk(const QByteArray& bytes, VrkFile& file, std::string& error);

bool LoadVrk(const QString& path, VrkFile& file, std::string& error);
// LoadVrk for a command: a failure is reported on stderr, naming the file.
bool LoadVrkOrReport(const QString& path, VrkFile& file);

// Reports "OUT: cannot write: why" and returns false when out may not be
// written (RefuseOutputPath), before any work is done for it.
bool OutputAllowedOrReport(const QString& out, const QStringList& inputs);

// Writes through a temporary file, so a failure never leaves a partial file.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, std::string& error);
