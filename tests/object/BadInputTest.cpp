// Failure handling: truncated and hostile files, and elements that
// lack the points their type needs.
#include "ObjectTestSupport.h"
#include "platform/CArchive.h"
#include "platform/CDC.h"
#include "platform/CFormatError.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <string>

using namespace morvet_test;

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex));
}

QByteArray Header(int32_t count) {
    QByteArray b = Hex("010000000000000000003440000000000100000000000000");
    std::memcpy(b.data() + 20, &count, 4);
    return b;
}

QByteArray Record(int32_t type, COLORREF color, int32_t n, std::initializer_list<POINT> pts) {
    QByteArray b;
    b.append(reinterpret_cast<const char*>(&type), 4);
    b.append(reinterpret_cast<const char*>(&color), 4);
    b.append(reinterpret_cast<const char*>(&n), 4);
    for (const POINT& p : pts)
        b.append(reinterpret_cast<const char*>(&p), 8);
    return b;
}

// Reads bytes into a fresh object and returns the CFormatError message, or
// "" when the read succeeds.
std::string ReadError(const QByteArray& bytes, CShape* into = nullptr) {
    CShape local;
    CShape& s = into ? *into : local;
    CArchive ar(bytes);
    try {
        s.Serialize(ar);
    } catch (const CFormatError& e) {
        return e.what();
    }
    return "";
}

// Three well-formed records; truncating this file anywhere must fail cleanly.
QByteArray ThreeRecordFile() {
    return Header(3) + Record(PRIM_POLYLINE, 1, 2, {{1, 1}, {2, 2}}) +
           Record(PRIM_POLYGON, 2, 3, {{0, 0}, {5, 0}, {5, 5}}) +
           Record(PRIM_CIRCLE, 3, 2, {{9, 9}, {4, 4}});
}

} // namespace

TEST(BadInput, CompleteFileReads) {
    EXPECT_EQ(ReadError(ThreeRecordFile()), "");
}

TEST(BadInput, TruncatedHeaderFailsWithMessage) {
    const QByteArray full = ThreeRecordFile();
    for (int len = 0; len < 24; ++len) {
        const std::string msg = ReadError(full.left(len));
        EXPECT_NE(msg.find("header"), std::string::npos) << "length " << len << ": " << msg;
    }
}

TEST(BadInput, TruncationAnywhereInsideElementsNamesTheElement) {
    const QByteArray full = ThreeRecordFile();
    const int ends[3] = {24 + 12 + 16, 24 + 12 + 16 + 12 + 24, int(full.size())};
    int start = 24;
    for (int k = 0; k < 3; ++k) {
        for (int len = start; len < ends[k]; ++len) {
            CShape s;
            const std::string msg = ReadError(full.left(len), &s);
            const std::string want = "element " + std::to_string(k) + " (of 3)";
            EXPECT_NE(msg.find(want), std::string::npos)
                << "length " << len << " gave \"" << msg << "\"";
            EXPECT_NE(msg.find("truncated"), std::string::npos) << msg;
            EXPECT_EQ(s.GetSize(), k) << "elements read before the fault are kept";
        }
        start = ends[k];
    }
}

TEST(BadInput, NegativePointCountIsRefused) {
    const QByteArray bytes = Header(2) + Record(PRIM_POLYLINE, 0, 1, {{1, 1}}) +
                             Record(PRIM_POLYGON, 0, -5, {{1, 1}, {2, 2}});
    const std::string msg = ReadError(bytes);
    EXPECT_NE(msg.find("element 1 (of 2)"), std::string::npos) << msg;
    EXPECT_NE(msg.find("negative"), std::string::npos) << msg;
}

TEST(BadInput, AbsurdElementCountIsRefusedBeforeAllocating) {
    // 2^31-1 elements would need ~24 GB of pointers and records; the file has 16 bytes.
    const QByteArray bytes = Header(0x7fffffff) + Record(PRIM_POLYLINE, 0, 0, {}) + Hex("00000000");
    const std::string msg = ReadError(bytes);
    EXPECT_NE(msg.find("2147483647"), std::string::npos) << msg;
    EXPECT_NE(msg.find("element count"), std::string::npos) << msg;
}

TEST(BadInput, AbsurdPointCountIsRefusedBeforeAllocating) {
    const QByteArray bytes = Header(1) + Record(PRIM_POLYGON, 0, 0x7fffffff, {{1, 1}});
    const std::string msg = ReadError(bytes);
    EXPECT_NE(msg.find("element 0 (of 1)"), std::string::npos) << msg;
    EXPECT_NE(msg.find("2147483647"), std::string::npos) << msg;
}

TEST(BadInput, ElementCountJustLargerThanTheFileIsRefused) {
    // Two records announced, one present: the count check or the second
    // record's read must fail, naming what is wrong.
    const QByteArray bytes = Header(2) + Record(PRIM_POLYLINE, 0, 1, {{1, 1}});
    const std::string msg = ReadError(bytes);
    EXPECT_FALSE(msg.empty());
}

TEST(BadInput, PathsWithZeroPointsAreReadAndHaveEmptyRectangles) {
    const QByteArray bytes =
        Header(2) + Record(PRIM_POLYLINE, 0, 0, {}) + Record(PRIM_POLYGON, RGB(255, 0, 0), 0, {});
    CShape s;
    ASSERT_EQ(ReadError(bytes, &s), "");
    ASSERT_EQ(s.GetSize(), 2);
    for (int i = 0; i < 2; ++i) {
        CRect r(1, 1, 5, 5);
        s.GetElementRect(i, &r);
        EXPECT_TRUE(r.IsRectEmpty());
    }
    // Transforms and copies cope with them.
    s.Transform(0, 0, 10, 10, 0.5, 2.0, 2.0);
    CShape copy(s);
    EXPECT_EQ(copy.m_elements[1]->m_nPoints, 0);
}

TEST(BadInput, CirclesWithTooFewPointsAreKeptButCoverNothing) {
    const QByteArray bytes =
        Header(2) + Record(PRIM_CIRCLE, 0, 1, {{5, 5}}) + Record(PRIM_FILLED_CIRCLE, 0, 0, {});
    CShape s;
    ASSERT_EQ(ReadError(bytes, &s), "");
    ASSERT_EQ(s.GetSize(), 2);
    CRect r;
    s.GetElementRect(0, &r);
    EXPECT_TRUE(r.IsRectEmpty());
    s.Transform(0, 0, 3, 3, 0.0, 1.0, 1.0);
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        CDC dc(&img);
        EXPECT_TRUE(s.Draw(&dc));
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(img.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST(BadInput, ExtraBytesAfterTheLastElementAreIgnored) {
    const QByteArray bytes = Header(1) + Record(PRIM_POLYLINE, 0, 1, {{1, 1}}) + Hex("deadbeef");
    CShape s;
    EXPECT_EQ(ReadError(bytes, &s), "");
    EXPECT_EQ(s.GetSize(), 1);
}
