#include "commands/CommandFixture.h"
#include "res/CommandIds.h"
#include "tools/CShapeTool.h"

namespace {
using EditCommands = CommandFixture;
} // namespace

TEST_F(EditCommands, EnablingFollowsSelectionClipboardAndHistory) {
    CPrimitive* a = Square(10, 10, 20);
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_PASTE, ID_EDIT_UNDO,
                   ID_EDIT_REDO, ID_OBJECT_MOVE_BACK, ID_OBJECT_MOVE_FORWARD})
        EXPECT_FALSE(Update(*view, id).m_bEnabled) << id;
    CCmdUI selectAll = Update(*view, ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(selectAll.m_bEnabled);
    EXPECT_FALSE(selectAll.m_bEnableChanged);
    CCmdUI unknown(ID_FILE_NEW);
    EXPECT_FALSE(view->OnCmdMsg(ID_FILE_NEW, &unknown));
    EXPECT_FALSE(Run(*view, ID_FILE_NEW));

    view->SelectElement(a, false);
    for (int id :
         {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_OBJECT_MOVE_BACK, ID_OBJECT_MOVE_FORWARD})
        EXPECT_TRUE(Update(*view, id).m_bEnabled) << id;
    ASSERT_TRUE(Run(*view, ID_EDIT_COPY));
    EXPECT_TRUE(Update(*view, ID_EDIT_PASTE).m_bEnabled);
    ASSERT_TRUE(Run(*view, ID_EDIT_CLEAR));
    EXPECT_TRUE(Update(*view, ID_EDIT_UNDO).m_bEnabled);
    EXPECT_FALSE(Update(*view, ID_EDIT_REDO).m_bEnabled);
    ASSERT_TRUE(Run(*view, ID_EDIT_UNDO));
    EXPECT_TRUE(Update(*view, ID_EDIT_REDO).m_bEnabled);
    ASSERT_TRUE(Run(*view, ID_EDIT_REDO));
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
}

TEST_F(EditCommands, CopyClearPasteBringsTheElementsBackOffsetAndSelected) {
    CPrimitive* square = Square(100, 100, 30);
    CPrimitive* circle = Circle(300, 200, 10);
    const auto squarePts = Points(square), circlePts = Points(circle);
    view->SelectElement(square, false);
    view->SelectElement(circle, true);

    Run(*view, ID_EDIT_COPY);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), 0);
    Run(*view, ID_EDIT_CLEAR);
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    EXPECT_TRUE(view->Selection().empty());
    EXPECT_TRUE(doc.IsModified());

    Run(*view, ID_EDIT_PASTE);
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    const CPrimitive* s = doc.m_shape.m_elements[0];
    const CPrimitive* c = doc.m_shape.m_elements[1];
    EXPECT_EQ(Points(s), Shifted(squarePts, 20, 20));
    EXPECT_EQ(Points(c)[0], (POINT{320, 220}));
    EXPECT_EQ(c->m_pPoints[1].x, 10) << "a pasted circle keeps its radius";
    EXPECT_EQ(view->Selection(), (std::vector<CPrimitive*>{doc.m_shape.m_elements}));
    view->UpdateWindow();
    EXPECT_EQ(Px(135, 135), 0x0000FFu) << "the pasted square shows at its new place";
    EXPECT_EQ(Px(105, 105), 0x000000u);

    Run(*view, ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(EditCommands, PasteFollowsSelectionOrderAndStacksRepeatedPastes) {
    CPrimitive* p = Square(10, 10, 10);
    CPrimitive* q = Square(50, 10, 10);
    CPrimitive* r = Square(90, 10, 10);
    const auto pPts = Points(p), qPts = Points(q), rPts = Points(r);
    view->SelectElement(r, false);
    view->SelectElement(p, true);
    view->SelectElement(q, true);
    Run(*view, ID_EDIT_COPY);

    Run(*view, ID_EDIT_PASTE);
    Run(*view, ID_EDIT_PASTE);
    const auto& e = doc.m_shape.m_elements;
    ASSERT_EQ(e.size(), 9u);
    for (size_t set : {3u, 6u}) {
        EXPECT_EQ(Points(e[set]), Shifted(rPts, 20, 20)) << set;
        EXPECT_EQ(Points(e[set + 1]), Shifted(pPts, 20, 20)) << set;
        EXPECT_EQ(Points(e[set + 2]), Shifted(qPts, 20, 20)) << set;
    }
    EXPECT_EQ(view->Selection(), (std::vector<CPrimitive*>{e[6], e[7], e[8]}));
    EXPECT_EQ(doc.HistorySize(), 2);
}

TEST_F(EditCommands, PasteIntoAnotherDocumentKeepsTheCopiedCoordinates) {
    CPrimitive* a = Square(100, 100, 30);
    const auto pts = Points(a);
    view->SelectElement(a, false);
    Run(*view, ID_EDIT_COPY);

    CMorvetDoc other;
    other.OnNewDocument();
    auto otherView = OpenView(other, 200, 120);
    Run(*otherView, ID_EDIT_PASTE);
    ASSERT_EQ(other.m_shape.GetSize(), 1);
    EXPECT_EQ(PointsIn(*otherView, other.m_shape.m_elements[0]), Shifted(pts, 20, 20));
    EXPECT_TRUE(other.IsModified());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditCommands, CutThenUndoRestoresAndTheClipboardKeepsIndependentCopies) {
    CPrimitive* a = Square(100, 100, 30);
    Square(200, 100, 30);
    const auto pts = Points(a);
    view->SelectElement(a, false);
    Run(*view, ID_EDIT_CUT);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    ASSERT_EQ(g_clipboard.size(), 1u);
    EXPECT_EQ(doc.HistorySize(), 1) << "Cut records one snapshot";

    Run(*view, ID_EDIT_UNDO);
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    CPrimitive* restored = doc.m_shape.m_elements[0];
    EXPECT_EQ(Points(restored), pts);
    restored->m_pPoints[0].x = 999;
    restored->m_crColor = RGB(1, 2, 3);
    ASSERT_EQ(g_clipboard.size(), 1u);
    const CPrimitive* copy = g_clipboard[0];
    EXPECT_EQ(std::vector<POINT>(copy->m_pPoints, copy->m_pPoints + copy->m_nPoints), pts)
        << "the clipboard holds the element as the window showed it";
    EXPECT_EQ(g_clipboard[0]->m_crColor, RGB(0, 0, 255));
}

TEST_F(EditCommands, ClearLeavesNoDeletedElementInAnyViewOrTool) {
    CPrimitive* a = Square(100, 100, 30);
    CPrimitive* b = Square(250, 100, 30);
    auto second = OpenView(doc, 400, 300);
    second->SelectElement(a, false);
    second->SelectElement(b, true);
    view->SelectElement(a, false);
    doc.GrabVertex({0, 2});

    Run(*view, ID_EDIT_CLEAR);
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    EXPECT_EQ(second->Selection(), std::vector<CPrimitive*>{b});
    second->UpdateWindow();
    // The deleted square's corner marks are gone; the kept one's remain.
    const QImage& img = second->Surface();
    EXPECT_EQ(img.pixel(97, 97) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(img.pixel(247, 97) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(EditCommands, ClearTakesTheMarksOffAnInactiveWindowThatHadTheElementSelected) {
    CPrimitive* a = Square(100, 100, 30);
    auto second = OpenView(doc, 400, 300);
    second->SelectElement(a, false);
    second->OnActivateView(false, view.get(), second.get());
    second->UpdateWindow();
    ASSERT_EQ(second->Surface().pixel(97, 97) & 0xFFFFFF, 0xFFFFFFu);
    view->SelectElement(a, false);

    Run(*view, ID_EDIT_CLEAR);
    second->UpdateWindow();
    const QImage& img = second->Surface();
    for (const QPoint& p : {QPoint(97, 97), QPoint(133, 97), QPoint(133, 133), QPoint(97, 133)})
        EXPECT_EQ(img.pixel(p) & 0xFFFFFF, 0x000000u) << p.x() << "," << p.y();
}

TEST_F(EditCommands, PasteLandsBesideTheCopyWhicheverWindowOfTheDocumentDrewLast) {
    auto big = OpenView(doc, 600, 400);
    Square(100, 100, 30);
    view->UpdateWindow();
    view->SelectElement(doc.m_shape.m_elements[0], false);
    big->Invalidate();
    big->UpdateWindow();
    Run(*view, ID_EDIT_COPY);
    view->Invalidate();
    view->UpdateWindow();
    Run(*view, ID_EDIT_PASTE);
    view->UpdateWindow();
    ASSERT_EQ(doc.m_shape.GetSize(), 2);
    const auto original = Points(doc.m_shape.m_elements[0]);
    EXPECT_EQ(Points(doc.m_shape.m_elements[1]), Shifted(original, 20, 20));

    big->Invalidate();
    big->UpdateWindow();
    Run(*view, ID_EDIT_PASTE);
    view->UpdateWindow();
    ASSERT_EQ(doc.m_shape.GetSize(), 3);
    EXPECT_EQ(Points(doc.m_shape.m_elements[2]), Shifted(original, 20, 20));
}

TEST_F(EditCommands, SelectAllTakesDrawingOrderAndRecordsNothing) {
    Run(*view, ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(view->Selection().empty());
    CPrimitive* a = Square(10, 10, 10);
    CPrimitive* b = Circle(100, 100, 5);
    view->SelectElement(b, false);
    Run(*view, ID_EDIT_SELECT_ALL);
    EXPECT_EQ(view->Selection(), (std::vector<CPrimitive*>{a, b}));
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_FALSE(doc.IsModified());
}
