#include "trace/WholePicture.h"

#include <QtEndian>
#include <cstdlib>

namespace {
quint8 At(const QByteArray& b, qsizetype i) {
    return quint8(b[i]);
}

bool IsRestartMarker(quint8 m) {
    return m >= 0xD0 && m <= 0xD7;
}

// The first byte past the entropy-coded data starting at i: the 0xFF of the
// next marker, or the end of the bytes when it never comes.
qsizetype SkipScan(const QByteArray& b, qsizetype i) {
    const qsizetype n = b.size();
    while (i + 1 < n) {
        if (At(b, i) == 0xFF && At(b, i + 1) != 0x00 && !IsRestartMarker(At(b, i + 1)))
            return i;
        ++i;
    }
    return n;
}

bool RleReachesEnd(const QByteArray& b, qsizetype i, bool fourBit) {
    const qsizetype n = b.size();
    while (i + 1 < n) {
        const quint8 count = At(b, i), code = At(b, i + 1);
        i += 2;
        if (count != 0)
            continue; // a run: one byte of colour
        if (code == 1)
            return true;
        if (code == 2)
            i += 2;        // a jump
        else if (code > 2) // literal pixels, padded to a whole word
            i += ((fourBit ? (code + 1) / 2 : code) + 1) & ~qsizetype(1);
    }
    return false;
}
} // namespace

bool JpegIsWhole(const QByteArray& b) {
    const qsizetype n = b.size();
    if (n < 4 || At(b, 0) != 0xFF || At(b, 1) != 0xD8)
        return false;
    qsizetype i = 2;
    while (i < n) {
        if (At(b, i) != 0xFF) { // stray bytes, which libjpeg skips with a warning
            ++i;
            continue;
        }
        while (i < n && At(b, i) == 0xFF) // fill bytes
            ++i;
        if (i >= n)
            return false;
        const quint8 marker = At(b, i++);
        if (marker == 0xD9)
            return true;
        if (marker == 0x01 || IsRestartMarker(marker))
            continue;
        if (i + 2 > n)
            return false;
        const qsizetype length = (qsizetype(At(b, i)) << 8) | At(b, i + 1);
        if (length < 2)
            return false;
        i += length;
        if (i > n)
            return false;
        if (marker == 0xDA)
            i = SkipScan(b, i);
    }
    return false;
}

bool BmpIsWhole(const QByteArray& b) {
    constexpr qsizetype kFileHeader = 14;
    if (b.size() < kFileHeader + 16 || b[0] != 'B' || b[1] != 'M')
        return false;
    const auto u32 = [&b](qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    const auto u16 = [&b](qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const qsizetype pixels = qsizetype(u32(10));
    const quint32 infoSize = u32(kFileHeader);
    qint64 width = 0, height = 0;
    quint32 bits = 0, compression = 0;
    if (infoSize == 12) { // the old OS/2 header: 16-bit sides, never compressed
        width = u16(kFileHeader + 4);
        height = u16(kFileHeader + 6);
        bits = u16(kFileHeader + 10);
    } else {
        if (b.size() < kFileHeader + 20)
            return false;
        width = qint32(u32(kFileHeader + 4));
        height = std::llabs(qint32(u32(kFileHeader + 8)));
        bits = u16(kFileHeader + 14);
        compression = u32(kFileHeader + 16);
    }
    if (pixels > b.size())
        return false;
    if (width <= 0 || width > (1 << 24) || height > (1 << 24))
        return true; // the size bound refuses it, with a better message
    if (compression == 1 || compression == 2)
        return RleReachesEnd(b, pixels, compression == 2);
    if (compression != 0 && compression != 3 && compression != 6)
        return true; // embedded JPEG or PNG data: its own reader judges it
    const qint64 stride = ((width * bits + 31) / 32) * 4;
    return b.size() - pixels >= stride * height;
}
