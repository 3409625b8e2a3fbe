#pragma once
#include <QByteArray>
#include <QtEndian>
#include <cstdint>
#include <cstring>
#include <stdexcept>

// Raised when a value is extracted beyond the end of the archive's data.
class CArchiveException : public std::runtime_error {
public:
    CArchiveException() : std::runtime_error("unexpected end of file") {}
};

// Little-endian reader and writer over a byte buffer. Loading reads from bytes
// that are already in memory, so a reader always knows how much is left and can
// refuse counts the file cannot hold before allocating anything.
class CArchive {
public:
    enum Mode { store = 0, load = 1 };

    // Storing archive: bytes are appended to an internal buffer.
    CArchive();
    // Loading archive over data; the data must outlive the archive.
    explicit CArchive(const QByteArray& data);

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }

    CArchive& operator<<(int32_t v) { return Put(v); }
    CArchive& operator<<(uint32_t v) { return Put(v); }
    CArchive& operator<<(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return Put(bits);
    }
    CArchive& operator>>(int32_t& v) { return Get(v); }
    CArchive& operator>>(uint32_t& v) { return Get(v); }
    CArchive& operator>>(double& v) {
        uint64_t bits;
        Get(bits);
        std::memcpy(&v, &bits, sizeof v);
        return *this;
    }

    void Write(const void* data, size_t n) {
        if (n <= m_room) {
            std::memcpy(m_cursor, data, n);
            m_cursor += n;
            m_room -= n;
            m_pos += n;
        } else {
            Append(data, n);
        }
    }
    // Storing: makes room for n more bytes at once, so that a writer that knows
    // its size up front copies its values straight into place without
    // reallocating. Loading: does nothing.
    void Reserve(size_t n);
    // Copies up to n bytes and returns how many were available; never raises.
    size_t Read(void* data, size_t n);

    // Bytes not yet read (loading) and bytes written so far (storing).
    size_t BytesRemaining() const { return m_size - m_pos; }
    size_t Position() const { return m_pos; }
    // Storing: the bytes written.
    const QByteArray& Buffer() const;

private:
    // Values go out little-endian whatever the machine.
    template <typename T> CArchive& Put(T v) {
        T le = qToLittleEndian(v);
        Write(&le, sizeof le);
        return *this;
    }
    template <typename T> CArchive& Get(T& v) {
        if (BytesRemaining() < sizeof v)
            throw CArchiveException();
        T le;
        std::memcpy(&le, m_in + m_pos, sizeof le);
        m_pos += sizeof le;
        v = qFromLittleEndian(le);
        return *this;
    }
    void Append(const void* data, size_t n);

    Mode m_mode;
    // Holds the bytes written and, after them, the room Reserve made (m_room
    // bytes from m_cursor on), cut off when the buffer is asked for.
    mutable QByteArray m_out;
    mutable char* m_cursor = nullptr;
    mutable size_t m_room = 0;
    const char* m_in = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
};
