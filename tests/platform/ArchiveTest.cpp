// The archive: little-endian values, block reads and the end-of-file error.
#include "platform/CArchive.h"

#include <gtest/gtest.h>

TEST(Archive, StoresLittleEndianValues) {
    CArchive ar;
    ar << int32_t(1) << int32_t(-2) << uint32_t(0x00123456) << 20.0;
    EXPECT_EQ(ar.Buffer().toHex(), QByteArray("01000000"
                                              "feffffff"
                                              "56341200"
                                              "0000000000003440"));
    EXPECT_TRUE(ar.IsStoring());
    EXPECT_FALSE(ar.IsLoading());
}

TEST(Archive, LoadsWhatWasStored) {
    CArchive out;
    out << int32_t(-123456) << 3.25 << uint32_t(0xFFFFFFFF);
    const int32_t pts[2] = {7, -8};
    out.Write(pts, sizeof pts);
    const QByteArray bytes = out.Buffer();
    CArchive in(bytes);
    EXPECT_TRUE(in.IsLoading());
    int32_t i = 0;
    double d = 0;
    uint32_t u = 0;
    in >> i >> d >> u;
    EXPECT_EQ(i, -123456);
    EXPECT_EQ(d, 3.25);
    EXPECT_EQ(u, 0xFFFFFFFFu);
    int32_t back[2] = {0, 0};
    EXPECT_EQ(in.Read(back, sizeof back), sizeof back);
    EXPECT_EQ(back[0], 7);
    EXPECT_EQ(back[1], -8);
    EXPECT_EQ(in.BytesRemaining(), 0u);
}

TEST(Archive, ExtractionPastTheEndRaises) {
    const QByteArray bytes = QByteArray::fromHex("010203");
    CArchive in(bytes);
    int32_t v = 42;
    EXPECT_THROW(in >> v, CArchiveException);
    double d;
    EXPECT_THROW(in >> d, CArchiveException);
}

TEST(Archive, BlockReadReturnsShortWithoutRaising) {
    const QByteArray bytes = QByteArray::fromHex("0102030405");
    CArchive in(bytes);
    char buf[8] = {};
    EXPECT_EQ(in.Read(buf, 8), 5u);
    EXPECT_EQ(buf[4], 5);
    EXPECT_EQ(in.Read(buf, 8), 0u);
}

TEST(Archive, ReserveDoesNotChangeTheBytes) {
    CArchive a, b;
    a.Reserve(1000);
    a << int32_t(5) << 1.5;
    b << int32_t(5) << 1.5;
    EXPECT_EQ(a.Buffer(), b.Buffer());
    EXPECT_EQ(a.Position(), 12u);
    const QByteArray bytes = a.Buffer();
    CArchive in(bytes);
    in.Reserve(1000); // loading: nothing happens
    EXPECT_EQ(in.BytesRemaining(), 12u);
}
