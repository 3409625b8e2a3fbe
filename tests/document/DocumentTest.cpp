// The document's state, AddElement and ElementAtPoint.
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

using namespace morvet_test;

TEST(Document, NewDocumentStartsClean) {
    CMorvetDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.m_shape.m_elements.empty());
    EXPECT_DOUBLE_EQ(doc.m_shape.m_dMassDensity, 20.0);
    EXPECT_EQ(doc.m_color, RGB(255, 255, 255));
    EXPECT_TRUE(doc.m_history.empty());
    EXPECT_EQ(doc.m_historyIndex, -1);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.IsModified());
}

TEST(Document, NewDocumentResetsEditStateButNotTheObject) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    doc.m_color = RGB(1, 2, 3);
    doc.ResetEditState();
    EXPECT_EQ(doc.m_color, RGB(255, 255, 255));
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(doc.m_historyIndex, -1);
    EXPECT_EQ(doc.m_shape.GetSize(), 1) << "ResetEditState does not touch m_shape";
}

TEST(Document, AddElementOwnsACopyOfTheCallersPoints) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    auto* buffer = new POINT[3]{{1, 2}, {3, 4}, {5, 6}};
    doc.AddElement(PRIM_POLYGON, RGB(10, 20, 30), 3, buffer);
    buffer[0] = POINT{-1, -1};
    delete[] buffer;
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    const CPrimitive* p = doc.m_shape.m_elements[0];
    EXPECT_NE(p->m_pPoints, buffer);
    EXPECT_EQ(p->m_nType, PRIM_POLYGON);
    EXPECT_EQ(p->m_crColor, RGB(10, 20, 30));
    ASSERT_EQ(p->m_nPoints, 3);
    EXPECT_EQ(p->m_pPoints[0], (POINT{1, 2}));
    EXPECT_EQ(p->m_pPoints[2], (POINT{5, 6}));
}

TEST(Document, AddElementRecordsTheStateBeforeAndSetsModified) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {1, 1}});
    const QByteArray before = Bytes(doc.m_shape);
    Add(doc, PRIM_CIRCLE, 0, {{5, 5}, {2, 2}});
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.HistorySize(), 2);
    EXPECT_EQ(doc.m_historyIndex, 0);
    EXPECT_EQ(Bytes(doc.m_history[0]->shape), before);
    EXPECT_EQ(doc.m_shape.m_elements.back()->m_nType, PRIM_CIRCLE) << "appended on top";
}

TEST(Document, AddElementWithoutPoints) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    doc.AddElement(PRIM_POLYLINE, 0, 0, nullptr);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints, nullptr);
    EXPECT_EQ(doc.ElementAtPoint(POINT{0, 0}), nullptr);
}

// The new element's area is all a window has to redraw.
TEST(Document, AddElementTellsEveryViewOnceWithTheNewElement) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    RecordingView view;
    doc.AddView(&view);
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {1, 1}});
    EXPECT_EQ(view.hints, std::vector<long>{HINT_ELEMENT_ADDED});
    EXPECT_EQ(view.hintObjects, std::vector<void*>{&doc.m_shape});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), 1);
    doc.RemoveView(&view);
}

TEST(Document, ElementAtPointOnEmptyObjectIsNull) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.ElementAtPoint(POINT{0, 0}), nullptr);
}

TEST(Document, ElementAtPointReturnsTheTopmost) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYGON, 0, {{0, 0}, {100, 0}, {100, 100}});
    Add(doc, PRIM_FILLED_CIRCLE, 0, {{50, 50}, {20, 20}});
    CPrimitive* bottom = doc.m_shape.m_elements[0];
    CPrimitive* top = doc.m_shape.m_elements[1];
    EXPECT_EQ(doc.ElementAtPoint(POINT{50, 50}), top);
    EXPECT_EQ(doc.ElementAtPoint(POINT{90, 10}), bottom);
    doc.m_shape.MoveElementForward(0);
    EXPECT_EQ(doc.ElementAtPoint(POINT{50, 50}), bottom) << "order decides, not type";
}

TEST(Document, ElementAtPointEdgeRules) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{10, 20}, {30, 40}}); // rectangle (10, 20, 30, 40)
    CPrimitive* e = doc.m_shape.m_elements[0];
    EXPECT_EQ(doc.ElementAtPoint(POINT{10, 20}), e) << "left and top are inside";
    EXPECT_EQ(doc.ElementAtPoint(POINT{29, 39}), e);
    EXPECT_EQ(doc.ElementAtPoint(POINT{30, 30}), nullptr) << "right edge is outside";
    EXPECT_EQ(doc.ElementAtPoint(POINT{20, 40}), nullptr) << "bottom edge is outside";
    EXPECT_EQ(doc.ElementAtPoint(POINT{9, 30}), nullptr);
    EXPECT_EQ(doc.ElementAtPoint(POINT{20, 19}), nullptr);
}

TEST(Document, ZeroWidthOrHeightElementsAreNeverHit) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 50}, {100, 50}}); // horizontal
    Add(doc, PRIM_POLYLINE, 0, {{40, 0}, {40, 100}}); // vertical
    Add(doc, PRIM_POLYLINE, 0, {{40, 50}});           // a single point
    Add(doc, PRIM_CIRCLE, 0, {{40, 50}, {0, 0}});     // radius 0
    for (const POINT p : {POINT{40, 50}, POINT{0, 50}, POINT{40, 0}, POINT{50, 50}})
        EXPECT_EQ(doc.ElementAtPoint(p), nullptr) << p.x << "," << p.y;
}

TEST(Document, PathsWithoutPointsAreNeverHit) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYGON, 0, {{-10, -10}, {10, -10}, {10, 10}});
    CPrimitive* polygon = doc.m_shape.m_elements[0];
    doc.AddElement(PRIM_POLYGON, 0, 0, nullptr);
    doc.AddElement(PRIM_POLYLINE, 0, 0, nullptr);
    // The empty elements lie on top but cover nothing, not even the origin.
    EXPECT_EQ(doc.ElementAtPoint(POINT{0, 0}), polygon);
    EXPECT_EQ(doc.ElementAtPoint(POINT{-5, 0}), polygon);
    EXPECT_EQ(doc.ElementAtPoint(POINT{50, 50}), nullptr);
}

TEST(Document, CircleHitUsesItsBox) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_CIRCLE, 0, {{100, 50}, {10, 10}});
    CPrimitive* c = doc.m_shape.m_elements[0];
    EXPECT_EQ(doc.ElementAtPoint(POINT{90, 40}), c) << "the box corner counts";
    EXPECT_EQ(doc.ElementAtPoint(POINT{110, 50}), nullptr);
    EXPECT_EQ(doc.ElementAtPoint(POINT{100, 60}), nullptr);
}
