#include "platform/WriteFileSafely.h"

#include <QSaveFile>

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* why) {
    // Unbuffered: Qt 6.4's QSaveFile::commit() renames the temporary file even
    // when flushing its write buffer failed (disk full, file size limit), which
    // would replace the old file by a truncated one. Writing unbuffered makes
    // every failed or short write show here, before commit() is reached.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        *why = file.errorString();
        return false;
    }
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size() || !file.commit()) {
        *why = file.error() != QFileDevice::NoError
                   ? file.errorString()
                   : QStringLiteral("only %1 of %2 bytes could be written")
                         .arg(written)
                         .arg(bytes.size());
        file.cancelWriting();
        return false;
    }
    return true;
}
