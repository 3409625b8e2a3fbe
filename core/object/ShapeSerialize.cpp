#include "object/CShape.h"
#include "platform/CArchive.h"
#include "platform/CFormatError.h"

#include <QtGlobal>
#include <cstring>
#include <memory>
#include <string>

namespace {
constexpr size_t kRecordHeader = 12; // type, colour, point count
constexpr size_t kPointSize = 8;

std::string Where(int32_t index, int32_t count) {
    // Elements count from 0, as in morvet-tool to-json and the physics problems.
    return "element " + std::to_string(index) + " (of " + std::to_string(count) + ")";
}

void ReadPoints(CArchive& ar, POINT* pts, int32_t n) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    ar.Read(pts, kPointSize * size_t(n));
#else
    for (int32_t i = 0; i < n; ++i) {
        ar >> pts[i].x >> pts[i].y;
    }
#endif
}

void WritePoints(CArchive& ar, const POINT* pts, int32_t n) {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    ar.Write(pts, kPointSize * size_t(n));
#else
    for (int32_t i = 0; i < n; ++i)
        ar << pts[i].x << pts[i].y;
#endif
}
} // namespace

void CShape::RepackPoints(size_t first, const POINT* block, size_t used) {
    std::shared_ptr<POINT[]> tight(used ? new POINT[used] : nullptr);
    if (used)
        std::memcpy(tight.get(), block, sizeof(POINT) * used);
    for (size_t i = first; i < m_elements.size(); ++i) {
        CPrimitive* p = m_elements[i];
        if (p->m_pointBlock.get() != block)
            continue;
        p->m_pPoints = tight.get() + (p->m_pPoints - block);
        p->m_pointBlock = tight;
    }
}

void CShape::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // One allocation for the whole object instead of a growing buffer.
        size_t size = 24;
        for (const CPrimitive* p : m_elements)
            size += kRecordHeader + kPointSize * size_t(p->m_nPoints > 0 ? p->m_nPoints : 0);
        ar.Reserve(size);
        ar << int32_t(1);
        ar << m_dMassDensity << m_nPolarity << m_bMayRotate << int32_t(m_elements.size());
        for (const CPrimitive* p : m_elements) {
            ar << p->m_nType << p->m_crColor << p->m_nPoints;
            if (p->m_nPoints > 0)
                WritePoints(ar, p->m_pPoints, p->m_nPoints);
        }
        return;
    }

    int32_t format = 0, count = 0;
    try {
        ar >> format >> m_dMassDensity >> m_nPolarity >> m_bMayRotate >> count;
    } catch (const CArchiveException&) {
        throw CFormatError("file is truncated inside the object header");
    }
    if (count <= 0)
        return;
    // Every record takes at least its 12-byte header, so the rest of the file
    // bounds what is reserved for the count. A count the file cannot hold is
    // reported where the file runs out, naming the element it ends in.
    const size_t room = ar.BytesRemaining() / kRecordHeader;
    const bool countTooLarge = size_t(count) > room;
    m_elements.reserve(m_elements.size() + (countTooLarge ? room : size_t(count)));
    // One block for the points of every element, one allocation instead of one
    // each. What the headers leave of the file bounds their number: exactly,
    // for a file that holds its records and nothing after them.
    const size_t first = m_elements.size();
    const size_t headers = kRecordHeader * (countTooLarge ? room : size_t(count));
    const size_t bound = (ar.BytesRemaining() - headers) / kPointSize;
    std::shared_ptr<POINT[]> block(bound ? new POINT[bound] : nullptr);
    POINT* next = block.get();
    POINT* const end = next + bound;
    for (int32_t i = 0; i < count; ++i) {
        if (ar.BytesRemaining() < kRecordHeader)
            throw CFormatError("file is truncated inside " + Where(i, count) +
                               (countTooLarge
                                    ? ": the element count is larger than the file can hold"
                                    : std::string()));
        auto prim = std::make_unique<CPrimitive>();
        ar >> prim->m_nType >> prim->m_crColor >> prim->m_nPoints;
        const int32_t n = prim->m_nPoints;
        if (n < 0)
            throw CFormatError(Where(i, count) + " has a negative point count (" +
                               std::to_string(n) + ")");
        if (size_t(n) > ar.BytesRemaining() / kPointSize)
            throw CFormatError("file is truncated inside " + Where(i, count) + ": " +
                               std::to_string(n) + " points announced, room for " +
                               std::to_string(ar.BytesRemaining() / kPointSize));
        if (n > 0 && size_t(end - next) >= size_t(n)) {
            prim->m_pPoints = next;
            prim->m_pointBlock = block;
            next += n;
            ReadPoints(ar, prim->m_pPoints, n);
        } else if (n > 0) {
            prim->m_pPoints = new POINT[size_t(n)];
            ReadPoints(ar, prim->m_pPoints, n);
        }
        m_elements.push_back(prim.release());
    }
    // Bytes after the records left the block more than twice the size of the
    // points read: they move to a block of their own size.
    const size_t used = size_t(next - block.get());
    if (used * 2 < bound)
        RepackPoints(first, block.get(), used);
}
