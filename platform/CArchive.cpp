#include "platform/CArchive.h"

#include <QtEndian>
#include <cstring>

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(const QByteArray& data)
    : m_mode(load), m_in(data.constData()), m_size(static_cast<size_t>(data.size())) {}

CArchive& CArchive::operator<<(int32_t v) {
    const int32_t le = qToLittleEndian(v);
    Write(&le, sizeof le);
    return *this;
}

CArchive& CArchive::operator<<(uint32_t v) {
    const uint32_t le = qToLittleEndian(v);
    Write(&le, sizeof le);
    return *this;
}

CArchive& CArchive::operator<<(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits = qToLittleEndian(bits);
    Write(&bits, sizeof bits);
    return *this;
}

CArchive& CArchive::operator>>(int32_t& v) {
    int32_t le;
    Extract(&le, sizeof le);
    v = qFromLittleEndian(le);
    return *this;
}

CArchive& CArchive::operator>>(uint32_t& v) {
    uint32_t le;
    Extract(&le, sizeof le);
    v = qFromLittleEndian(le);
    return *this;
}

CArchive& CArchive::operator>>(double& v) {
    uint64_t bits;
    Extract(&bits, sizeof bits);
    bits = qFromLittleEndian(bits);
    std::memcpy(&v, &bits, sizeof v);
    return *this;
}

void CArchive::Write(const void* data, size_t n) {
    m_out.append(static_cast<const char*>(data), static_cast<qsizetype>(n));
    m_pos += n;
}

void CArchive::Reserve(size_t n) {
    if (IsStoring())
        m_out.reserve(m_out.size() + static_cast<qsizetype>(n));
}

size_t CArchive::Read(void* data, size_t n) {
    const size_t count = n < BytesRemaining() ? n : BytesRemaining();
    if (count)
        std::memcpy(data, m_in + m_pos, count);
    m_pos += count;
    return count;
}

void CArchive::Extract(void* data, size_t n) {
    if (BytesRemaining() < n)
        throw CArchiveException();
    Read(data, n);
}
