// Pictures from outside are refused cleanly when hostile, before decoding.
#include "trace/TraceImageFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <zlib.h>

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

QByteArray Be16(quint16 v) {
    return QByteArray(1, char(v >> 8)) + char(v & 0xFF);
}

// A temporary folder that writes named files.
struct Files {
    QTemporaryDir dir;
    QString operator()(const QString& name, const QByteArray& bytes) const {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
};

// head, then chunk repeat times, then tail, gzipped a piece at a time so that
// a text of any length costs no memory here.
QByteArray Gzip(const QByteArray& head, const QByteArray& chunk, int repeat,
                const QByteArray& tail) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out;
    const auto feed = [&](const QByteArray& in, int flush) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        z.avail_in = uInt(in.size());
        char buffer[1 << 16];
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, flush);
            out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    };
    feed(head, Z_NO_FLUSH);
    for (int i = 0; i < repeat; ++i)
        feed(chunk, Z_NO_FLUSH);
    feed(tail, Z_FINISH);
    deflateEnd(&z);
    return out;
}

// A picture whose black block sits in its top left quarter, so that a
// picture read upside down or unturned shows.
QImage Asymmetric() {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(50, 50, 100, 60, Qt::black);
    return image;
}

QByteArray Saved(const QImage& image, const char* format) {
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

TEST(TraceImageFile, SvgPicturesDrawOnlyWhatTheirFileHoldsWithinBounds) {
    Files file;
    const QString png = file("block.png", Encoded("PNG"));
    const QString fifo = file.dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QByteArray head = "<svg xmlns='http://www.w3.org/2000/svg' "
                            "xmlns:xlink='http://www.w3.org/1999/xlink' width='100' height='100'>";
    const auto image = [](const QByteArray& href, const char* size = "width='100' height='50'") {
        return "<image " + QByteArray(size) + " xlink:href='" + href + "'/>";
    };
    const QByteArray inside =
        head + image("data:image/png;base64," + Encoded("PNG").toBase64()) +
        "<defs><linearGradient id='g'><stop offset='0' stop-color='red'/></linearGradient>"
        "</defs><rect width='100' height='5' fill='url(#g)'/></svg>";
    // The embedded block picture in the top half, a red band over its top.
    for (const auto& [name, bytes] : std::vector<std::pair<QString, QByteArray>>{
             {"inside.svg", inside}, {"inside.svgz", Gzip(inside, {}, 0, {})}}) {
        SCOPED_TRACE(name.toStdString());
        QString why;
        const QImage read = ReadTraceImage(file(name, bytes), &why);
        ASSERT_EQ(read.size(), QSize(100, 100)) << why.toStdString();
        EXPECT_EQ(read.pixelColor(50, 25), QColor(Qt::black));
        EXPECT_EQ(read.pixelColor(50, 45), QColor(Qt::white));
        EXPECT_EQ(read.pixelColor(50, 2), QColor(Qt::red));
        EXPECT_EQ(read.pixelColor(50, 75).alpha(), 0);
    }

    const QByteArray big = "data:image/png;base64," + PngClaiming(3000, 3000).toBase64();
    const QByteArray nested =
        "data:image/svg+xml;base64," + (head + image(png.toUtf8()) + "</svg>").toBase64();
    const QByteArray huge = Gzip(head + "<!--", QByteArray(1 << 20, ' '), 100, "--></svg>");
    const char* outside = "outside its file";
    const std::vector<std::tuple<QString, QByteArray, const char*>> refused = {
        {"absolute.svg", head + image(png.toUtf8()) + "</svg>", outside},
        {"relative.svg", head + image("block.png") + "</svg>", outside},
        {"file-url.svg", head + image("file://" + png.toUtf8()) + "</svg>", outside},
        {"fifo.svg", head + "<image width='9' height='9' href='" + fifo.toUtf8() + "'/></svg>",
         outside},
        {"stdin.svg", head + image("/dev/stdin") + "</svg>", outside},
        {"undeclared-prefix.svg",
         "<svg width='9' height='9'><image width='9' height='9' xlink:href='block.png'/></svg>",
         outside},
        {"use.svg", head + "<use xlink:href='other.svg#shape'/></svg>", outside},
        {"import.svg", head + "<style>@import url(look.css);</style></svg>", "imports"},
        {"fill.svg", head + "<rect width='9' height='9' style='fill:url(\"a.svg#g\")'/></svg>",
         outside},
        {"stylesheet.svg", "<?xml-stylesheet type='text/css' href='look.css'?>" + head + "</svg>",
         "another file"},
        {"embedded-over-the-bound.svg", head + image(big) + image(big) + "</svg>", "16 million"},
        {"embedded-svg.svg", head + image(nested) + "</svg>", "SVG picture of its own"},
        {"unpacks-to-100-MB.svgz", huge, "32 MB"},
        {"cut.svgz", Gzip(inside, {}, 0, {}).chopped(20), "cut short"},
        {"damaged.svg", head + "<rect width='9'", "damaged"},
        // This test program has no GUI application, and so no fonts.
        {"text.svg", head + "<text x='9' y='50'>A</text></svg>", "text"},
    };
    const long before = PeakKilobytes();
    for (const auto& [name, bytes, reason] : refused) {
        SCOPED_TRACE(name.toStdString());
        QString why;
        EXPECT_TRUE(ReadTraceImage(file(name, bytes), &why).isNull());
        EXPECT_TRUE(why.contains(reason)) << why.toStdString();
    }
#ifndef __SANITIZE_ADDRESS__
    // The 100 MB text was never held whole. (AddressSanitizer keeps freed
    // blocks in quarantine, so under it the peak counts every case's buffers.)
    EXPECT_LT(PeakKilobytes() - before, 80 * 1024);
#else
    (void)before;
#endif
}

TEST(TraceImageFile, PicturesCutShortAreRefusedWhereTheirDecoderWouldFillThemIn) {
    Files file;
    // An end marker inside a header segment (a thumbnail's) is not the picture's end.
    const QByteArray jpeg = Encoded("JPEG");
    const QByteArray marked =
        jpeg.left(2) + "\xFF\xE1" + Be16(6) + "\xFF\xD9\xFF\xD9" + jpeg.mid(2);
    // A progressive JPEG: several scans, each followed by more markers.
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        EXPECT_TRUE(writer.write(Asymmetric()));
    }
    const QByteArray bmp = Encoded("BMP");
    // 4 x 2 pixels in two colours, run-length encoded: two runs, each ending
    // its row, then the end of the picture.
    const QByteArray rle = "BM" + Le(72, 4) + Le(0, 4) + Le(62, 4) + Le(40, 4) + Le(4, 4) +
                           Le(2, 4) + Le(1, 2) + Le(8, 2) + Le(1, 4) + Le(10, 4) + Le(2835, 4) +
                           Le(2835, 4) + Le(2, 4) + Le(0, 4) + Le(0, 4) + Le(0xFFFFFF, 4) +
                           QByteArray("\x04\x01\0\0\x04\0\0\0\0\x01", 10);
    for (const auto& [name, bytes] :
         std::vector<std::pair<QString, QByteArray>>{{"a.jpg", jpeg},
                                                     {"marked.jpg", marked},
                                                     {"progressive.jpg", progressive},
                                                     {"a.bmp", bmp},
                                                     {"rle.bmp", rle}}) {
        SCOPED_TRACE(name.toStdString());
        QString why;
        EXPECT_FALSE(ReadTraceImage(file(name, bytes), &why).isNull()) << why.toStdString();
        for (const qsizetype size : {bytes.size() * 3 / 10, bytes.size() * 6 / 10,
                                     bytes.size() * 9 / 10, bytes.size() - 2, bytes.size() - 1}) {
            SCOPED_TRACE(size);
            EXPECT_TRUE(ReadTraceImage(file("cut-" + name, bytes.left(size)), &why).isNull());
            EXPECT_TRUE(why.contains("cut short")) << why.toStdString();
        }
    }
}

TEST(TraceImageFile, TopDownBitmapsTurnedPhotosAndSixteenBitPicturesReadAsTheyLook) {
    Files file;
    const QImage picture = Asymmetric();
    // The same bitmap stored top row first: a negative height, rows reversed.
    const QByteArray bottomUp = Saved(picture, "BMP");
    const qsizetype offset = qFromLittleEndian<quint32>(bottomUp.constData() + 10);
    const qsizetype stride = (bottomUp.size() - offset) / picture.height();
    QByteArray topDown = bottomUp.left(offset);
    qToLittleEndian<qint32>(-picture.height(), topDown.data() + 22);
    for (int row = picture.height() - 1; row >= 0; --row)
        topDown += bottomUp.mid(offset + row * stride, stride);
    QString why;
    EXPECT_EQ(
        ReadTraceImage(file("top-down.bmp", topDown), &why).convertToFormat(QImage::Format_RGB32),
        picture)
        << why.toStdString();

    // A photo stored sideways, with EXIF orientation 6: turn 90 degrees clockwise.
    const QByteArray exif = QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0", 16) +
                            QByteArray("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 16);
    const QByteArray jpeg = Saved(picture, "JPEG");
    const QImage turned =
        ReadTraceImage(file("turned.jpg", jpeg.left(2) + "\xFF\xE1" +
                                              Be16(quint16(exif.size() + 2)) + exif + jpeg.mid(2)),
                       &why);
    ASSERT_EQ(turned.size(), QSize(300, 400)) << why.toStdString();
    // The block's middle (100, 80) turns to (300 - 1 - 80, 100).
    EXPECT_LT(qGray(turned.pixel(219, 100)), 64);
    EXPECT_GT(qGray(turned.pixel(100, 80)), 192);

    // 3600 x 3600 at 16 bits a channel: 13 million pixels, 104 MB decoded.
    QImage deep(3600, 3600, QImage::Format_RGBA64);
    deep.fill(Qt::white);
    QPainter(&deep).fillRect(100, 100, 200, 200, Qt::black);
    const QImage read = ReadTraceImage(file("deep.png", Saved(deep, "PNG")), &why);
    ASSERT_EQ(read.size(), deep.size()) << why.toStdString();
    EXPECT_EQ(read.pixelColor(200, 200), QColor(Qt::black));
}
