#pragma once
#include <QByteArray>
#include <cstdint>
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

    CArchive& operator<<(int32_t v);
    CArchive& operator<<(uint32_t v);
    CArchive& operator<<(double v);
    CArchive& operator>>(int32_t& v);
    CArchive& operator>>(uint32_t& v);
    CArchive& operator>>(double& v);

    void Write(const void* data, size_t n);
    // Storing: makes room for n more bytes at once, so that a writer that knows
    // its size up front appends without reallocating. Loading: does nothing.
    void Reserve(size_t n);
    // Copies up to n bytes and returns how many were available; never raises.
    size_t Read(void* data, size_t n);

    // Bytes not yet read (loading) and bytes written so far (storing).
    size_t BytesRemaining() const { return m_size - m_pos; }
    size_t Position() const { return m_pos; }
    const QByteArray& Buffer() const { return m_out; }

private:
    void Extract(void* data, size_t n);

    Mode m_mode;
    QByteArray m_out;
    const char* m_in = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
};
