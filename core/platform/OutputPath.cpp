#include "platform/OutputPath.h"

#include <QFile>

#include <sys/stat.h>

namespace {
bool StatPath(const QString& path, struct stat* st) {
    return !path.isEmpty() && stat(QFile::encodeName(path).constData(), st) == 0;
}
} // namespace

QString RefuseOutputPath(const QString& path, const QStringList& inputs) {
    struct stat out {};
    if (!StatPath(path, &out))
        return {}; // a new file, or a dangling link that the write creates
    if (S_ISDIR(out.st_mode))
        return QStringLiteral("it is a folder");
    if (!S_ISREG(out.st_mode))
        return QStringLiteral("it is not a regular file but a device, a pipe or a socket");
    for (const QString& input : inputs) {
        struct stat in {};
        if (StatPath(input, &in) && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return QStringLiteral("it is the file being read (%1)").arg(input);
    }
    return {};
}
