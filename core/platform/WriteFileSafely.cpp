#include "platform/WriteFileSafely.h"

#include "platform/OutputPath.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ErrnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether the folder refuses the temporary file that an atomic save needs:
// only then may the file itself be written over.
bool FolderRefusesTemporaryFile(const QString& path) {
    // The folder of the file itself: a link's target is what gets saved.
    const QString folder = QFileInfo(QFileInfo(path).canonicalFilePath()).absolutePath();
    QByteArray probe = QFile::encodeName(folder + "/.morvet-XXXXXX");
    const int fd = mkstemp(probe.data());
    if (fd >= 0) {
        close(fd);
        unlink(probe.constData());
        return false;
    }
    return errno == EACCES || errno == EPERM;
}

bool WriteAllAt(int fd, const char* data, qint64 size, int* error) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size_t(size - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// Exactly these bytes in the open file, then on the disk.
bool ReplaceContents(int fd, const QByteArray& bytes, int* error) {
    if (!WriteAllAt(fd, bytes.constData(), bytes.size(), error))
        return false;
    if (ftruncate(fd, off_t(bytes.size())) != 0 || fsync(fd) != 0) {
        *error = errno;
        return false;
    }
    return true;
}

bool ReadAll(int fd, QByteArray* out, int* error) {
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        *error = errno;
        return false;
    }
    out->resize(qsizetype(st.st_size));
    qint64 done = 0;
    while (done < out->size()) {
        const ssize_t n = pread(fd, out->data() + done, size_t(out->size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = errno;
            return false;
        }
        if (n == 0)
            break;
        done += n;
    }
    out->resize(qsizetype(done));
    return true;
}

// The file is written over where it lies; its old bytes stay in memory, so
// that a write that fails part-way puts them back.
bool WriteInPlace(const QString& path, const QByteArray& bytes, QString* why) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        *why = ErrnoText(errno);
        return false;
    }
    QByteArray old;
    int error = 0;
    if (!ReadAll(fd, &old, &error)) {
        close(fd);
        *why = ErrnoText(error);
        return false;
    }
    bool ok = ReplaceContents(fd, bytes, &error);
    if (!ok) {
        *why = ErrnoText(error);
        int restoreError = 0;
        if (!ReplaceContents(fd, old, &restoreError))
            *why += QStringLiteral("; the old contents could not be put back either (%1)")
                        .arg(ErrnoText(restoreError));
    }
    if (close(fd) != 0 && ok) {
        *why = ErrnoText(errno);
        ok = false;
    }
    return ok;
}

} // namespace

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* why) {
    // The rename at the end would put a regular file in place of a device or
    // a pipe.
    *why = RefuseOutputPath(path);
    if (!why->isEmpty())
        return false;
    // Unbuffered: Qt 6.4's QSaveFile::commit() renames the temporary file even
    // when flushing its write buffer failed (disk full, file size limit), which
    // would replace the old file by a truncated one. Writing unbuffered makes
    // every failed or short write show here, before commit() is reached.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (QFileInfo::exists(path) && FolderRefusesTemporaryFile(path))
            return WriteInPlace(path, bytes, why);
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
