#include "cli/VrkScanner.h"

#include "object/CPrimitive.h"

#include <QString>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {
constexpr size_t kHeader = 24;
constexpr size_t kRecordHeader = 12;
constexpr size_t kPointSize = 8;

std::string Where(size_t index, int32_t count) {
    // Elements count from 0, as in morvet-tool to-json and the physics problems.
    return "element " + std::to_string(index) + " (of " + std::to_string(count) + ")";
}

std::string Bytes(size_t n) {
    return std::to_string(n) + (n == 1 ? " byte" : " bytes");
}

class Scanner {
public:
    explicit Scanner(const QByteArray& bytes)
        : m_data(bytes.constData()), m_size(size_t(bytes.size())) {}

    std::vector<VrkProblem> Run() {
        if (m_size < kHeader) {
            Error("file is truncated inside the object header");
            return std::move(m_problems);
        }
        ScanHeader();
        const int32_t count = Int(20);
        m_pos = kHeader;
        if (count <= 0) {
            if (count < 0)
                Warning("element count " + std::to_string(count) +
                        " is negative; the file is read as having no elements");
            if (m_size > kHeader)
                Warning(Bytes(m_size - kHeader) +
                        " after the object header are never read (no elements)");
            return std::move(m_problems);
        }
        // As in the reader, a count that the rest cannot hold shows where the
        // file runs out; the records that are there are still looked at.
        const bool countTooLarge = size_t(count) > (m_size - kHeader) / kRecordHeader;
        for (size_t i = 0; i < size_t(count); ++i) {
            if (!ScanRecord(i, count, countTooLarge))
                return std::move(m_problems);
        }
        if (m_pos < m_size)
            Warning(Bytes(m_size - m_pos) + " after the last element are never read");
        return std::move(m_problems);
    }

private:
    int32_t Int(size_t at) const { return qFromLittleEndian<int32_t>(m_data + at); }
    void Error(std::string m) { m_problems.push_back({VrkProblem::Error, std::move(m)}); }
    void Warning(std::string m) { m_problems.push_back({VrkProblem::Warning, std::move(m)}); }

    void ScanHeader() {
        if (Int(0) != 1)
            Warning("format word is " + std::to_string(Int(0)) + ", not 1 (it is ignored)");
        const double density = qFromLittleEndian<double>(m_data + 4);
        if (std::isnan(density))
            Warning("mass density is not a number");
        else if (std::isinf(density))
            Warning("mass density is infinite");
        else if (density < 0.1 || density > 100.0)
            Warning("mass density " + QString::number(density, 'g', 6).toStdString() +
                    " is outside 0.1 to 100, the range the editor accepts");
        if (Int(12) != 0 && Int(12) != 1)
            Warning("polarity is " + std::to_string(Int(12)) + ", neither 0 nor 1");
        if (Int(16) != 0 && Int(16) != 1)
            Warning("may-rotate flag is " + std::to_string(Int(16)) + ", neither 0 nor 1");
    }

    // Returns false when the walk cannot go on.
    bool ScanRecord(size_t i, int32_t count, bool countTooLarge) {
        if (m_size - m_pos < kRecordHeader) {
            Error("file is truncated inside " + Where(i, count) +
                  (countTooLarge ? ": the element count is larger than the file can hold"
                                 : std::string()));
            return false;
        }
        const int32_t type = Int(m_pos);
        const int32_t n = Int(m_pos + 8);
        m_pos += kRecordHeader;
        if (type < PRIM_POLYLINE || type > PRIM_FILLED_CIRCLE)
            Warning(Where(i, count) + " has the unknown type code " + std::to_string(type) +
                    "; it is kept but never drawn");
        if (n < 0) {
            Error(Where(i, count) + " has a negative point count (" + std::to_string(n) + ")");
            return false;
        }
        const size_t room = (m_size - m_pos) / kPointSize;
        if (size_t(n) > room) {
            Error("file is truncated inside " + Where(i, count) + ": " + std::to_string(n) +
                  " points announced, room for " + std::to_string(room));
            return false;
        }
        if (n == 0)
            Warning(Where(i, count) + " has no points");
        else if ((type == PRIM_CIRCLE || type == PRIM_FILLED_CIRCLE) && n < 2)
            Warning(Where(i, count) + " is a circle with one point, so it has no radius");
        m_pos += size_t(n) * kPointSize;
        return true;
    }

    const char* m_data;
    size_t m_size;
    size_t m_pos = 0;
    std::vector<VrkProblem> m_problems;
};
} // namespace

std::vector<VrkProblem> ScanVrk(const QByteArray& bytes) {
    return Scanner(bytes).Run();
}
