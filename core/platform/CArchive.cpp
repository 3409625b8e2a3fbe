#include "platform/CArchive.h"

#include <QtEndian>
#include <cstring>

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(const QByteArray& data)
    : m_mode(load), m_in(data.constData()), m_size(static_cast<size_t>(data.size())) {}

void CArchive::Append(const void* data, size_t n) {
    m_out.truncate(qsizetype(m_pos));
    m_out.append(static_cast<const char*>(data), static_cast<qsizetype>(n));
    m_pos += n;
    m_cursor = nullptr;
    m_room = 0;
}

void CArchive::Reserve(size_t n) {
    if (!IsStoring() || n <= m_room)
        return;
    // Qt leaves the bytes a resize adds uninitialised: they are written before
    // anyone sees them, or cut off.
    m_out.resize(qsizetype(m_pos + n));
    m_cursor = m_out.data() + m_pos;
    m_room = n;
}

const QByteArray& CArchive::Buffer() const {
    if (IsStoring() && size_t(m_out.size()) != m_pos) {
        m_out.truncate(qsizetype(m_pos));
        m_cursor = nullptr;
        m_room = 0;
    }
    return m_out;
}

size_t CArchive::Read(void* data, size_t n) {
    const size_t count = n < BytesRemaining() ? n : BytesRemaining();
    if (count)
        std::memcpy(data, m_in + m_pos, count);
    m_pos += count;
    return count;
}
