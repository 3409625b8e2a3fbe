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

// At the ends of the range the helpers wrap around as 32-bit machine
// arithmetic does (moves are exactly reversible), and the middle of a
// rectangle is exact however far apart its edges lie.
TEST(Rect, HelpersWrapAtTheEndsOfTheRangeAndTheMiddleIsExact) {
    constexpr int32_t kMin = INT32_MIN, kMax = INT32_MAX;
    CPoint p(kMax, kMin);
    p.Offset(1, -1);
    EXPECT_EQ(p, CPoint(kMin, kMax));
    p.Offset(-1, 1);
    EXPECT_EQ(p, CPoint(kMax, kMin));
    EXPECT_EQ(p + CPoint(2, -2), CPoint(kMin + 1, kMax - 1));
    EXPECT_EQ((p + CPoint(12345, -777)) - CPoint(12345, -777), p);
    EXPECT_EQ(-CPoint(kMin, kMax), CPoint(kMin, kMin + 1));

    CRect whole(kMin, kMin, kMax, kMax);
    EXPECT_EQ(whole.Width(), -1) << "2^32 - 1 wraps to -1";
    EXPECT_EQ(whole.CenterPoint(), CPoint(0, 0));
    EXPECT_EQ(CRect(kMax - 4, kMax - 2, kMax, kMax).CenterPoint(), CPoint(kMax - 2, kMax - 1));
    EXPECT_EQ(CRect(kMin, kMin, kMin + 3, kMin + 3).CenterPoint(), CPoint(kMin + 2, kMin + 2));
    whole.InflateRect(1, 2);
    EXPECT_EQ(whole, CRect(kMax, kMax - 1, kMin, kMin + 1));
    whole.InflateRect(-1, -2);
    whole.OffsetRect(kMax, 1);
    EXPECT_EQ(whole, CRect(-1, kMin + 1, -2, kMin));
    whole.OffsetRect(-kMax, -1);
    EXPECT_EQ(whole, CRect(kMin, kMin, kMax, kMax));
}
