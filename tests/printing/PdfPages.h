#pragma once
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// Reads a PDF back the way a reader would: its text per page and each page
// as an image at the print job's 96 units per inch, without smoothing.
struct PdfPages {
    static QString Run(const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    static int Count(const QString& pdf) {
        const QString info = Run("pdfinfo", {pdf});
        for (const QString& line : info.split('\n'))
            if (line.startsWith("Pages:"))
                return line.mid(6).trimmed().toInt();
        return -1;
    }
    static QString Text(const QString& pdf, int page) {
        return Run("pdftotext",
                   {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
            .trimmed();
    }
    static QImage Image(const QString& pdf, int page) {
        const QString stem = pdf + QStringLiteral(".p%1").arg(page);
        Run("pdftoppm", {"-r", "96", "-aa", "no", "-aaVector", "no", "-png", "-singlefile", "-f",
                         QString::number(page), "-l", QString::number(page), pdf, stem});
        return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
    }
};
