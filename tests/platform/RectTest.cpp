// The rectangle rules: PtInRect, IntersectRect, UnionRect and friends.
#include "platform/CRect.h"

#include <gtest/gtest.h>

TEST(Rect, PtInRectIncludesLeftTopExcludesRightBottom) {
    const CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(POINT{10, 20}));
    EXPECT_TRUE(r.PtInRect(POINT{29, 39}));
    EXPECT_FALSE(r.PtInRect(POINT{30, 25}));
    EXPECT_FALSE(r.PtInRect(POINT{15, 40}));
    EXPECT_FALSE(r.PtInRect(POINT{9, 25}));
    EXPECT_FALSE(r.PtInRect(POINT{15, 19}));
}

TEST(Rect, EmptyRectanglesContainNothing) {
    EXPECT_FALSE(CRect(5, 5, 5, 5).PtInRect(POINT{5, 5}));
    EXPECT_FALSE(CRect(0, 7, 30, 7).PtInRect(POINT{10, 7}));
    EXPECT_TRUE(CRect(0, 7, 30, 7).IsRectEmpty());
    EXPECT_TRUE(CRect(10, 0, 5, 5).IsRectEmpty());
}

TEST(Rect, IntersectNeedsANonEmptyResult) {
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectEmpty());
    EXPECT_TRUE(r.IsRectNull());
}

TEST(Rect, UnionIgnoresEmptyRectangles) {
    CRect r;
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(50, 50, 50, 60)));
    EXPECT_EQ(r, CRect(0, 0, 10, 10));
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 10, 10), CRect(5, -5, 20, 3)));
    EXPECT_EQ(r, CRect(0, -5, 20, 10));
    EXPECT_FALSE(r.UnionRect(CRect(1, 1, 1, 1), CRect(2, 2, 2, 5)));
}

TEST(Rect, NormalizeInflateOffset) {
    CRect r(30, 40, 10, 20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 40));
    r.InflateRect(1, 2);
    EXPECT_EQ(r, CRect(9, 18, 31, 42));
    r.OffsetRect(-9, -18);
    EXPECT_EQ(r, CRect(0, 0, 22, 24));
    EXPECT_EQ(r.Width(), 22);
    EXPECT_EQ(r.Height(), 24);
}
