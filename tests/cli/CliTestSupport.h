#pragma once
#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <vector>

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
    QStringList errLines() const;
};

// Runs the built morvet-tool with the arguments, in this process's
// environment or in env.
ToolRun RunTool(const QStringList& args);
ToolRun RunTool(const QStringList& args, const QProcessEnvironment& env);

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);

// Little builders for .vrk bytes in tests.
struct TestPoint {
    int x, y;
};
QByteArray VrkHeader(int count, double density = 20.0, int polarity = 0, int mayRotate = 1,
                     int formatWord = 1);
QByteArray VrkRecord(int type, unsigned color, const std::vector<TestPoint>& points);
