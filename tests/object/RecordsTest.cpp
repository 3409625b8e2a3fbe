// Element records, deep copies, assignment and the element list.
#include "ObjectTestSupport.h"

#include <gtest/gtest.h>

using namespace morvet_test;

namespace {

CShape ThreeElements() {
    CShape s;
    Append(s, PRIM_POLYLINE, RGB(255, 0, 0), {{0, 0}, {10, 10}});
    Append(s, PRIM_POLYGON, RGB(0, 255, 0), {{1, 1}, {20, 1}, {20, 20}});
    Append(s, PRIM_FILLED_CIRCLE, RGB(0, 0, 255), {{50, 50}, {5, 5}});
    return s;
}

} // namespace

TEST(Records, DefaultObjectIsDensity20PositiveAndMayRotate) {
    const CShape s;
    EXPECT_DOUBLE_EQ(s.m_dMassDensity, 20.0);
    EXPECT_EQ(s.m_nPolarity, POLARITY_POSITIVE);
    EXPECT_EQ(s.m_bMayRotate, 1);
    EXPECT_TRUE(s.m_elements.empty());
}

TEST(Records, DefaultElementIsEmptyPolyline) {
    const CPrimitive p;
    EXPECT_EQ(p.m_nType, PRIM_POLYLINE);
    EXPECT_EQ(p.m_crColor, 0u);
    EXPECT_EQ(p.m_nPoints, 0);
    EXPECT_EQ(p.m_pPoints, nullptr);
}

TEST(Records, ElementCopyIsDeep) {
    CPrimitive a;
    a.m_nType = PRIM_POLYGON;
    a.m_crColor = RGB(1, 2, 3);
    a.m_nPoints = 2;
    a.m_pPoints = NewPoints({{1, 2}, {3, 4}});
    CPrimitive b(a);
    EXPECT_EQ(b.m_nType, PRIM_POLYGON);
    EXPECT_EQ(b.m_crColor, RGB(1, 2, 3));
    ASSERT_EQ(b.m_nPoints, 2);
    EXPECT_NE(b.m_pPoints, a.m_pPoints);
    EXPECT_TRUE(SamePoints(&a, &b));
    a.m_pPoints[0].x = 99;
    EXPECT_EQ(b.m_pPoints[0].x, 1);
}

TEST(Records, CopyOfElementWithoutPointsHasNoArray) {
    CPrimitive a;
    CPrimitive b(a);
    EXPECT_EQ(b.m_nPoints, 0);
    EXPECT_EQ(b.m_pPoints, nullptr);
}

TEST(Records, CopyOfEmptyObjectCarriesProperties) {
    CShape s;
    s.m_dMassDensity = 3.5;
    s.m_nPolarity = POLARITY_NEGATIVE;
    s.m_bMayRotate = 0;
    const CShape c(s);
    EXPECT_TRUE(c.m_elements.empty());
    EXPECT_DOUBLE_EQ(c.m_dMassDensity, 3.5);
    EXPECT_EQ(c.m_nPolarity, POLARITY_NEGATIVE);
    EXPECT_EQ(c.m_bMayRotate, 0);
}

TEST(Records, CopyConstructorCopiesEveryElementDeeply) {
    const CShape s = ThreeElements();
    const CShape c(s);
    ASSERT_EQ(c.GetSize(), 3);
    for (int i = 0; i < 3; ++i) {
        const CPrimitive* a = s.m_elements[size_t(i)];
        const CPrimitive* b = c.m_elements[size_t(i)];
        EXPECT_NE(a, b) << "element " << i << " shares its record";
        EXPECT_NE(a->m_pPoints, b->m_pPoints) << "element " << i << " shares its points";
        EXPECT_EQ(a->m_nType, b->m_nType);
        EXPECT_EQ(a->m_crColor, b->m_crColor);
        EXPECT_TRUE(SamePoints(a, b));
    }
}

TEST(Records, ChangingACopyLeavesTheSourceUnchanged) {
    CShape s = ThreeElements();
    CShape c(s);
    c.m_elements[0]->m_pPoints[1].x = 777;
    c.m_elements[1]->m_crColor = RGB(9, 9, 9);
    c.MoveElementForward(0);
    EXPECT_EQ(s.m_elements[0]->m_pPoints[1].x, 10);
    EXPECT_EQ(s.m_elements[1]->m_crColor, RGB(0, 255, 0));
    EXPECT_EQ(s.m_elements[0]->m_nType, PRIM_POLYLINE);
    // and the other way round
    s.m_elements[2]->m_pPoints[0].y = -1;
    EXPECT_EQ(c.m_elements[2]->m_pPoints[0].y, 50);
}

TEST(Records, AssignmentToItselfChangesNothing) {
    CShape s = ThreeElements();
    s.m_dMassDensity = 7.0;
    const std::vector<CPrimitive*> before = s.m_elements;
    CShape& alias = s;
    s = alias;
    EXPECT_EQ(s.m_elements, before) << "records must keep their addresses";
    EXPECT_DOUBLE_EQ(s.m_dMassDensity, 7.0);
    ASSERT_EQ(s.GetSize(), 3);
    EXPECT_EQ(s.m_elements[0]->m_pPoints[1].x, 10);
}

TEST(Records, AssignmentWithSameFirstRecordIsTreatedAsSelfAssignment) {
    // The self-assignment rule: two objects whose first elements are the same
    // record count as one object, and nothing happens.
    CShape a = ThreeElements();
    CShape b;
    b.m_dMassDensity = 1.0;
    b.m_elements.push_back(a.m_elements[0]);
    const std::vector<CPrimitive*> before = a.m_elements;
    a = b;
    EXPECT_EQ(a.m_elements, before);
    EXPECT_DOUBLE_EQ(a.m_dMassDensity, 20.0);
    b.m_elements.clear(); // b never owned it
}

TEST(Records, AssignmentCopiesDeeplyAndReplacesElements) {
    CShape dst = ThreeElements();
    CShape src;
    src.m_dMassDensity = 0.5;
    src.m_nPolarity = POLARITY_NEGATIVE;
    src.m_bMayRotate = 0;
    Append(src, PRIM_CIRCLE, RGB(1, 1, 1), {{5, 6}, {7, 7}});
    dst = src;
    ASSERT_EQ(dst.GetSize(), 1);
    EXPECT_NE(dst.m_elements[0], src.m_elements[0]);
    EXPECT_NE(dst.m_elements[0]->m_pPoints, src.m_elements[0]->m_pPoints);
    EXPECT_TRUE(SamePoints(dst.m_elements[0], src.m_elements[0]));
    EXPECT_DOUBLE_EQ(dst.m_dMassDensity, 0.5);
    EXPECT_EQ(dst.m_nPolarity, POLARITY_NEGATIVE);
    EXPECT_EQ(dst.m_bMayRotate, 0);
}

TEST(Records, AssigningEmptyObjectEmptiesTarget) {
    CShape dst = ThreeElements();
    CShape empty;
    empty.m_dMassDensity = 99.0;
    dst = empty;
    EXPECT_TRUE(dst.m_elements.empty());
    EXPECT_DOUBLE_EQ(dst.m_dMassDensity, 99.0);
}

TEST(Records, AppendElementTakesOwnershipAndGoesOnTop) {
    CShape s = ThreeElements();
    POINT* pts = NewPoints({{3, 3}, {4, 4}});
    s.AppendElement(PRIM_POLYGON, RGB(7, 8, 9), 2, pts);
    ASSERT_EQ(s.GetSize(), 4);
    const CPrimitive* top = s.m_elements.back();
    EXPECT_EQ(top->m_nType, PRIM_POLYGON);
    EXPECT_EQ(top->m_crColor, RGB(7, 8, 9));
    EXPECT_EQ(top->m_nPoints, 2);
    EXPECT_EQ(top->m_pPoints, pts) << "the element takes the array itself";
}

TEST(Records, ElementAddressesAreStableWhileTheListChanges) {
    CShape s = ThreeElements();
    const CPrimitive* first = s.m_elements[0];
    const POINT* firstPts = first->m_pPoints;
    const CPrimitive* last = s.m_elements[2];
    // Grow the list far beyond its first capacity: records must not move.
    for (int i = 0; i < 1000; ++i)
        Append(s, PRIM_POLYLINE, 0, {{i, i}});
    EXPECT_EQ(s.IndexOf(first), 0);
    EXPECT_EQ(first->m_pPoints, firstPts);
    EXPECT_EQ(s.IndexOf(last), 2);
    s.DeleteElement(1);
    EXPECT_EQ(s.IndexOf(first), 0);
    EXPECT_EQ(s.IndexOf(last), 1);
    s.MoveElementBack(1);
    EXPECT_EQ(s.m_elements[0], last);
    EXPECT_EQ(s.m_elements[1], first);
    EXPECT_EQ(first->m_pPoints, firstPts);
}

TEST(Records, DeleteFirstOfThreeShiftsTheOthersDown) {
    CShape s = ThreeElements();
    CPrimitive* e1 = s.m_elements[1];
    CPrimitive* e2 = s.m_elements[2];
    s.DeleteElement(0);
    ASSERT_EQ(s.GetSize(), 2);
    EXPECT_EQ(s.m_elements[0], e1);
    EXPECT_EQ(s.m_elements[1], e2);
}

TEST(Records, DeleteLastAndMiddle) {
    CShape s = ThreeElements();
    CPrimitive* e0 = s.m_elements[0];
    CPrimitive* e2 = s.m_elements[2];
    s.DeleteElement(1);
    ASSERT_EQ(s.GetSize(), 2);
    EXPECT_EQ(s.m_elements[0], e0);
    EXPECT_EQ(s.m_elements[1], e2);
    s.DeleteElement(1);
    ASSERT_EQ(s.GetSize(), 1);
    EXPECT_EQ(s.m_elements[0], e0);
}

TEST(Records, MoveBackAtZeroAndForwardAtLastChangeNothing) {
    CShape s = ThreeElements();
    const std::vector<CPrimitive*> before = s.m_elements;
    s.MoveElementBack(0);
    EXPECT_EQ(s.m_elements, before);
    s.MoveElementForward(2);
    EXPECT_EQ(s.m_elements, before);
}

TEST(Records, MovesOnOneElementObjectChangeNothing) {
    CShape s;
    Append(s, PRIM_POLYLINE, 0, {{0, 0}});
    CPrimitive* only = s.m_elements[0];
    s.MoveElementBack(0);
    s.MoveElementForward(0);
    ASSERT_EQ(s.GetSize(), 1);
    EXPECT_EQ(s.m_elements[0], only);
}

TEST(Records, MoveBackSwapsWithPrevious) {
    CShape s = ThreeElements();
    CPrimitive* e0 = s.m_elements[0];
    CPrimitive* e1 = s.m_elements[1];
    CPrimitive* e2 = s.m_elements[2];
    s.MoveElementBack(2);
    EXPECT_EQ(s.m_elements, (std::vector<CPrimitive*>{e0, e2, e1}));
    s.MoveElementBack(1);
    EXPECT_EQ(s.m_elements, (std::vector<CPrimitive*>{e2, e0, e1}));
}

TEST(Records, MoveForwardSwapsWithNext) {
    CShape s = ThreeElements();
    CPrimitive* e0 = s.m_elements[0];
    CPrimitive* e1 = s.m_elements[1];
    CPrimitive* e2 = s.m_elements[2];
    s.MoveElementForward(0);
    EXPECT_EQ(s.m_elements, (std::vector<CPrimitive*>{e1, e0, e2}));
    s.MoveElementForward(1);
    EXPECT_EQ(s.m_elements, (std::vector<CPrimitive*>{e1, e2, e0}));
}

TEST(Records, MoveBackThenForwardRestoresOrder) {
    CShape s = ThreeElements();
    const std::vector<CPrimitive*> before = s.m_elements;
    for (int i = 1; i < 3; ++i) {
        s.MoveElementBack(i);
        s.MoveElementForward(i - 1);
        EXPECT_EQ(s.m_elements, before) << "index " << i;
    }
}

TEST(Records, IndexOfFindsRecordsAndRejectsStrangers) {
    CShape s = ThreeElements();
    CPrimitive stranger;
    EXPECT_EQ(s.IndexOf(s.m_elements[1]), 1);
    EXPECT_EQ(s.IndexOf(&stranger), -1);
    EXPECT_EQ(s.IndexOf(nullptr), -1);
}

TEST(Records, OutOfRangeIndexesAreIgnored) {
    // Left to the implementer; the core chooses to ignore them.
    CShape s = ThreeElements();
    const std::vector<CPrimitive*> before = s.m_elements;
    s.DeleteElement(-1);
    s.DeleteElement(3);
    s.MoveElementBack(5);
    s.MoveElementForward(-2);
    s.MoveElementForward(3);
    EXPECT_EQ(s.m_elements, before);
}
