// Pictures from outside are refused cleanly when hostile, before decoding.
#include "trace/TraceImageFile.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {
quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray Be32(quint32 v) {
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

QByteArray Le(quint32 v, int size) {
    QByteArray b(size, 0);
    for (int i = 0; i < size; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

// A PNG whose header claims w x h pixels, followed by one tiny data chunk.
QByteArray PngClaiming(quint32 w, quint32 h) {
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    const QByteArray ihdr = "IHDR" + Be32(w) + Be32(h) + QByteArray("\x08\x06\x00\x00\x00", 5);
    png += Be32(13) + ihdr + Be32(Crc32(ihdr));
    const QByteArray idat = "IDAT" + QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    png += Be32(8) + idat + Be32(Crc32(idat));
    const QByteArray iend = "IEND";
    return png + Be32(0) + iend + Be32(Crc32(iend));
}

QByteArray BmpClaiming(quint32 w, quint32 h) {
    QByteArray b = "BM" + Le(54 + 16, 4) + Le(0, 4) + Le(54, 4);
    b += Le(40, 4) + Le(w, 4) + Le(h, 4) + Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(0, 4) +
         Le(2835, 4) + Le(2835, 4) + Le(0, 4) + Le(0, 4);
    return b + QByteArray(16, '\0');
}

QByteArray Encoded(const char* format) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(50, 50, 300, 200, Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

TEST(TraceImageFile, ReadsTheFourFormatsAndRefusesHostileFilesWithoutTheirMemory) {
    QTemporaryDir dir;
    const auto file = [&](const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='400' height='300'>"
                           "<rect x='50' y='50' width='300' height='200'/></svg>";
    for (const auto& [name, bytes] :
         std::vector<std::pair<QString, QByteArray>>{{"a.png", Encoded("PNG")},
                                                     {"a.jpg", Encoded("JPEG")},
                                                     {"a.bmp", Encoded("BMP")},
                                                     {"a.svg", svg}}) {
        SCOPED_TRACE(name.toStdString());
        QString why;
        const QImage image = ReadTraceImage(file(name, bytes), &why);
        EXPECT_EQ(image.size(), QSize(400, 300)) << why.toStdString();
    }

    const QByteArray png = Encoded("PNG");
    const long before = PeakKilobytes();
    const std::vector<std::pair<QString, QByteArray>> hostile = {
        {"huge.png", PngClaiming(100000, 100000)},
        {"wide.png", PngClaiming(2000000000, 1)},
        {"over-the-bound.png", PngClaiming(5000, 4000)}, // 20 million pixels: 80 MB decoded
        {"huge.bmp", BmpClaiming(60000, 60000)},
        {"huge.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='100000' height='100000'>"
                     "<rect width='10' height='10'/></svg>"},
        {"truncated.png", png.left(png.size() / 2)},
        {"header-only.png", png.left(40)},
        {"empty.png", QByteArray()},
        {"text.png", "this is not a picture"},
    };
    for (const auto& [name, bytes] : hostile) {
        SCOPED_TRACE(name.toStdString());
        QString why;
        EXPECT_TRUE(ReadTraceImage(file(name, bytes), &why).isNull());
        EXPECT_FALSE(why.isEmpty());
    }
    QString why;
    EXPECT_TRUE(ReadTraceImage(dir.filePath("missing.png"), &why).isNull());
    EXPECT_TRUE(why.contains("cannot be opened")) << why.toStdString();
    // None of them got near the memory its header asked for.
    EXPECT_LT(PeakKilobytes() - before, 40 * 1024);
}
