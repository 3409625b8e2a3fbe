#include "cli/VrkFile.h"

#include "cli/ToolCommand.h"
#include "platform/CArchive.h"
#include "platform/CDocument.h"
#include "platform/CFormatError.h"
#include "platform/OutputPath.h"
#include "platform/WriteFileSafely.h"

#include <QFile>
#include <QtEndian>
#include <new>

bool ReadFileBytes(const QString& path, QByteArray& bytes, std::string& error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = "cannot open: " + f.errorString().toStdString();
        return false;
    }
    if (f.size() > CDocument::kMaxFileSize) {
        error = "file is too large (" + std::to_string(f.size()) + " bytes)";
        return false;
    }
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        error = "cannot read: " + f.errorString().toStdString();
        return false;
    }
    return true;
}

bool ParseVrk(const QByteArray& bytes, VrkFile& file, std::string& error) {
    file.bytes = bytes;
    try {
        CArchive ar(file.bytes);
        file.shape.Serialize(ar);
        file.consumed = ar.Position();
    } catch (const CFormatError& e) {
        error = e.what();
        return false;
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return false;
    }
    // The reader succeeded, so the whole 24-byte header is there.
    file.formatWord = qFromLittleEndian<int32_t>(bytes.constData());
    file.storedCount = qFromLittleEndian<int32_t>(bytes.constData() + 20);
    return true;
}

bool LoadVrk(const QString& path, VrkFile& file, std::string& error) {
    QByteArray bytes;
    return ReadFileBytes(path, bytes, error) && ParseVrk(bytes, file, error);
}

bool LoadVrkOrReport(const QString& path, VrkFile& file) {
    std::string error;
    if (LoadVrk(path, file, error))
        return true;
    ReportFile(path, error);
    return false;
}

bool OutputAllowedOrReport(const QString& out, const QStringList& inputs) {
    const QString why = RefuseOutputPath(out, inputs);
    if (why.isEmpty())
        return true;
    ReportFile(out, "cannot write: " + why.toStdString());
    return false;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, std::string& error) {
    QString why;
    if (WriteFileSafely(path, bytes, &why))
        return true;
    error = "cannot write: " + why.toStdString();
    return false;
}
