#include "trace/BoundedInflate.h"

#include <zlib.h>

bool IsGzip(const QByteArray& bytes) {
    return bytes.size() >= 2 && quint8(bytes[0]) == 0x1F && quint8(bytes[1]) == 0x8B;
}

bool InflateGzip(const QByteArray& gzip, qsizetype limit, QByteArray* out, QString* why) {
    z_stream z{};
    // 16 + MAX_WBITS: a gzip header and trailer around the deflate stream.
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
        *why = QStringLiteral("The compressed picture cannot be unpacked.");
        return false;
    }
    out->clear();
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.constData()));
    z.avail_in = uInt(gzip.size());
    constexpr qsizetype kChunk = 1 << 16;
    int status = Z_OK;
    while (status == Z_OK) {
        const qsizetype done = out->size();
        if (done > limit)
            break;
        out->resize(done + kChunk);
        z.next_out = reinterpret_cast<Bytef*>(out->data() + done);
        z.avail_out = uInt(kChunk);
        status = inflate(&z, Z_NO_FLUSH);
        out->resize(done + kChunk - qsizetype(z.avail_out));
        // No progress with input left means the stream is cut short.
        if (status == Z_BUF_ERROR || (status == Z_OK && z.avail_in == 0 && z.avail_out != 0))
            break;
    }
    inflateEnd(&z);
    if (out->size() > limit) {
        *why = QStringLiteral("The compressed picture unpacks to more than %1 MB of text.")
                   .arg(limit >> 20);
        out->clear();
        return false;
    }
    if (status != Z_STREAM_END) {
        *why = QStringLiteral("The compressed picture is damaged or cut short.");
        out->clear();
        return false;
    }
    return true;
}
