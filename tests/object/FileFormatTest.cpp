// The .vrk layout byte for byte, and write/read round trips.
#include "ObjectTestSupport.h"
#include "platform/CArchive.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <cstring>

using namespace morvet_test;

namespace {

QByteArray Write(const CShape& s) {
    CArchive ar;
    const_cast<CShape&>(s).Serialize(ar);
    return ar.Buffer();
}

CShape Read(const QByteArray& bytes) {
    CShape s;
    CArchive ar(bytes);
    s.Serialize(ar);
    return s;
}

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(QByteArray(hex));
}

// The reference file: default properties, one red filled circle of
// radius 10 centred on the center of mass.
const char* const kExample52 = "01000000"          // format word
                               "0000000000003440"  // 20.0
                               "00000000"          // positive
                               "01000000"          // may rotate
                               "01000000"          // one element
                               "03000000"          // filled circle
                               "ff000000"          // red
                               "02000000"          // two points
                               "0000000000000000"  // centre 0, 0
                               "0a0000000a000000"; // radius 10, and 10 in y

void ExpectSameObject(const CShape& a, const CShape& b) {
    EXPECT_DOUBLE_EQ(a.m_dMassDensity, b.m_dMassDensity);
    EXPECT_EQ(a.m_nPolarity, b.m_nPolarity);
    EXPECT_EQ(a.m_bMayRotate, b.m_bMayRotate);
    ASSERT_EQ(a.GetSize(), b.GetSize());
    for (int i = 0; i < a.GetSize(); ++i) {
        const CPrimitive* x = a.m_elements[size_t(i)];
        const CPrimitive* y = b.m_elements[size_t(i)];
        EXPECT_EQ(x->m_nType, y->m_nType) << "element " << i;
        EXPECT_EQ(x->m_crColor, y->m_crColor) << "element " << i;
        EXPECT_EQ(PointsOf(x), PointsOf(y)) << "element " << i;
    }
}

} // namespace

TEST(FileFormat, RedFilledCircleIsWrittenAsItsFiftyTwoBytes) {
    CShape s;
    Append(s, PRIM_FILLED_CIRCLE, RGB(255, 0, 0), {{0, 0}, {10, 10}});
    const QByteArray bytes = Write(s);
    EXPECT_EQ(bytes.size(), 52);
    EXPECT_EQ(bytes.toHex(), Hex(kExample52).toHex());
}

TEST(FileFormat, RedFilledCircleFileReadsBack) {
    const CShape s = Read(Hex(kExample52));
    EXPECT_DOUBLE_EQ(s.m_dMassDensity, 20.0);
    EXPECT_EQ(s.m_nPolarity, POLARITY_POSITIVE);
    EXPECT_EQ(s.m_bMayRotate, 1);
    ASSERT_EQ(s.GetSize(), 1);
    const CPrimitive* c = s.m_elements[0];
    EXPECT_EQ(c->m_nType, PRIM_FILLED_CIRCLE);
    EXPECT_EQ(c->m_crColor, 0x000000FFu);
    EXPECT_EQ(PointsOf(c), (std::vector<POINT>{{0, 0}, {10, 10}}));
}

TEST(FileFormat, EmptyObjectIsTheTwentyFourByteHeader) {
    CShape s;
    s.m_dMassDensity = 0.1;
    s.m_nPolarity = POLARITY_NEGATIVE;
    s.m_bMayRotate = 0;
    const QByteArray bytes = Write(s);
    ASSERT_EQ(bytes.size(), 24);
    double d;
    std::memcpy(&d, bytes.constData() + 4, 8);
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(bytes.mid(0, 4).toHex(), QByteArray("01000000"));
    EXPECT_EQ(bytes.mid(12, 12).toHex(), QByteArray("010000000000000000000000"));
    const CShape r = Read(bytes);
    EXPECT_TRUE(r.m_elements.empty());
    EXPECT_EQ(r.m_dMassDensity, 0.1);
    EXPECT_EQ(r.m_nPolarity, POLARITY_NEGATIVE);
    EXPECT_EQ(r.m_bMayRotate, 0);
}

TEST(FileFormat, FivePointPolylineTakesFiftyTwoBytes) {
    CShape s;
    Append(s, PRIM_POLYLINE, RGB(1, 2, 3), {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    const QByteArray bytes = Write(s);
    EXPECT_EQ(bytes.size(), 24 + 52);
    EXPECT_EQ(bytes.mid(24, 12).toHex(), QByteArray("000000000102030005000000"));
}

TEST(FileFormat, ValuesAreLittleEndianInFieldOrder) {
    CShape s;
    Append(s, PRIM_POLYGON, 0x00123456, {{-2, 0x01020304}});
    const QByteArray bytes = Write(s);
    ASSERT_EQ(bytes.size(), 24 + 12 + 8);
    EXPECT_EQ(bytes.mid(24).toHex(), QByteArray("01000000"    // polygon
                                                "56341200"    // colour 0x00123456
                                                "01000000"    // one point
                                                "feffffff"    // x = -2
                                                "04030201")); // y
}

TEST(FileFormat, RoundTripKeepsEverythingInOrder) {
    CShape s;
    s.m_dMassDensity = 55.25;
    s.m_nPolarity = POLARITY_NEGATIVE;
    s.m_bMayRotate = 0;
    Append(s, PRIM_POLYLINE, RGB(255, 255, 255), {{0, 0}, {-100, 2000}, {7, 7}});
    Append(s, PRIM_POLYGON, RGB(0, 128, 255), {{1, 1}, {2, 2}, {3, 1}, {9, 9}});
    Append(s, PRIM_CIRCLE, RGB(10, 20, 30), {{-50, 60}, {25, 25}});
    Append(s, PRIM_FILLED_CIRCLE, RGB(40, 50, 60), {{0, 0}, {12, -3}});
    const QByteArray bytes = Write(s);
    const CShape r = Read(bytes);
    ExpectSameObject(s, r);
    EXPECT_EQ(Write(r), bytes) << "reading and writing again gives the same bytes";
}

TEST(FileFormat, CircleSecondYIsKeptEvenWhenNotTheRadius) {
    CShape s;
    Append(s, PRIM_CIRCLE, 0, {{5, 5}, {7, 31}});
    const CShape r = Read(Write(s));
    EXPECT_EQ(r.m_elements[0]->m_pPoints[1], (POINT{7, 31}));
}

TEST(FileFormat, FormatWordIsReadAndIgnored) {
    for (const char* word : {"00000000", "02000000", "ffffffff", "78563412"}) {
        QByteArray bytes = Hex(kExample52);
        bytes.replace(0, 4, Hex(word));
        const CShape r = Read(bytes);
        ASSERT_EQ(r.GetSize(), 1) << word;
        EXPECT_EQ(r.m_elements[0]->m_pPoints[1].x, 10);
        // The writer always puts out 1.
        EXPECT_EQ(Write(r), Hex(kExample52));
    }
}

TEST(FileFormat, CountZeroOrNegativeYieldsEmptyObjectAndRestIsNotRead) {
    for (const char* count : {"00000000", "ffffffff", "00000080"}) {
        QByteArray bytes = Hex(kExample52);
        bytes.replace(20, 4, Hex(count));
        CShape r;
        CArchive ar(bytes);
        ASSERT_NO_THROW(r.Serialize(ar)) << count;
        EXPECT_TRUE(r.m_elements.empty()) << count;
        EXPECT_EQ(ar.Position(), 24u) << "nothing after the header is read";
    }
}

TEST(FileFormat, ReadingAppendsToExistingElements) {
    CShape s;
    Append(s, PRIM_POLYLINE, 0, {{1, 1}});
    const QByteArray bytes = Hex(kExample52);
    CArchive ar(bytes);
    s.Serialize(ar);
    ASSERT_EQ(s.GetSize(), 2);
    EXPECT_EQ(s.m_elements[0]->m_nType, PRIM_POLYLINE);
    EXPECT_EQ(s.m_elements[1]->m_nType, PRIM_FILLED_CIRCLE);
}

TEST(FileFormat, PathsWithoutPointsRoundTrip) {
    CShape s;
    s.AppendElement(PRIM_POLYLINE, RGB(1, 1, 1), 0, nullptr);
    s.AppendElement(PRIM_POLYGON, RGB(2, 2, 2), 0, nullptr);
    Append(s, PRIM_POLYGON, RGB(3, 3, 3), {{4, 4}, {8, 8}, {4, 8}});
    const QByteArray bytes = Write(s);
    EXPECT_EQ(bytes.size(), 24 + 12 + 12 + 12 + 24);
    const CShape r = Read(bytes);
    ExpectSameObject(s, r);
    EXPECT_EQ(r.m_elements[0]->m_pPoints, nullptr);
    EXPECT_EQ(Write(r), bytes);
}

TEST(FileFormat, UnknownTypeCodesAreKeptAndWrittenBack) {
    QByteArray bytes = Hex(kExample52);
    bytes.replace(24, 4, Hex("07000000"));
    const CShape r = Read(bytes);
    ASSERT_EQ(r.GetSize(), 1);
    EXPECT_EQ(r.m_elements[0]->m_nType, 7);
    EXPECT_EQ(Write(r), bytes);
    // Also a negative code, with an odd number of points.
    CShape s;
    Append(s, -3, RGB(9, 9, 9), {{1, 2}, {3, 4}, {5, 6}});
    const QByteArray b2 = Write(s);
    const CShape r2 = Read(b2);
    EXPECT_EQ(r2.m_elements[0]->m_nType, -3);
    EXPECT_EQ(PointsOf(r2.m_elements[0]), (std::vector<POINT>{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(Write(r2), b2);
}

TEST(FileFormat, PropertyValuesAreTakenAsFound) {
    QByteArray bytes = Hex(kExample52);
    bytes.replace(12, 8, Hex("0700000005000000")); // polarity 7, may-rotate 5
    const CShape r = Read(bytes);
    EXPECT_EQ(r.m_nPolarity, 7);
    EXPECT_EQ(r.m_bMayRotate, 5);
    EXPECT_EQ(Write(r), bytes);
}

TEST(FileFormat, WritingTwiceGivesTheSameBytes) {
    CShape s;
    Append(s, PRIM_POLYGON, RGB(5, 6, 7), {{1, 2}, {3, 4}, {5, 7}});
    EXPECT_EQ(Write(s), Write(s));
}

TEST(FileFormat, LargeObjectRoundTrips) {
    CShape s;
    for (int e = 0; e < 200; ++e) {
        const int n = 1 + e % 17;
        auto* pts = new POINT[size_t(n)];
        for (int i = 0; i < n; ++i)
            pts[i] = POINT{e * 1000 + i, -e * 7 - i};
        s.AppendElement(e % 4, RGB(e, 255 - e, e / 2), n, pts);
    }
    const QByteArray bytes = Write(s);
    qsizetype expected = 24;
    for (const CPrimitive* p : s.m_elements)
        expected += 12 + 8 * p->m_nPoints;
    EXPECT_EQ(bytes.size(), expected);
    ExpectSameObject(s, Read(bytes));
}
