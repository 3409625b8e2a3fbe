#include "CliTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

QStringList ToolRun::errLines() const {
    return err.split('\n', Qt::SkipEmptyParts);
}

ToolRun RunTool(const QStringList& args) {
    return RunTool(args, QProcessEnvironment::systemEnvironment());
}

ToolRun RunTool(const QStringList& args, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(MORVET_TOOL), args);
    ToolRun run;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "morvet-tool did not finish normally: " << args.join(' ').toStdString();
        return run;
    }
    run.status = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

namespace {
void Put32(QByteArray& b, uint32_t v) {
    char le[4];
    qToLittleEndian(v, le);
    b.append(le, 4);
}
} // namespace

QByteArray VrkHeader(int count, double density, int polarity, int mayRotate, int formatWord) {
    QByteArray b;
    Put32(b, uint32_t(formatWord));
    uint64_t bits;
    std::memcpy(&bits, &density, 8);
    Put32(b, uint32_t(bits));
    Put32(b, uint32_t(bits >> 32));
    Put32(b, uint32_t(polarity));
    Put32(b, uint32_t(mayRotate));
    Put32(b, uint32_t(count));
    return b;
}

QByteArray VrkRecord(int type, unsigned color, const std::vector<TestPoint>& points) {
    QByteArray b;
    Put32(b, uint32_t(type));
    Put32(b, color);
    Put32(b, uint32_t(points.size()));
    for (const TestPoint& p : points) {
        Put32(b, uint32_t(p.x));
        Put32(b, uint32_t(p.y));
    }
    return b;
}
