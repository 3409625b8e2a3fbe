// The Edit Vertices tool through real mouse and key events: every gesture is
// checked against its closed form, as one undo step in the saved bytes, and
// on the screen.
#include "ToolTestSupport.h"

#include "res/CommandIds.h"
#include "tools/CVertexTool.h"
#include "view/Grid.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
QByteArray SavedBytes(CMorvetDoc& d) {
    QTemporaryDir dir;
    const QString path = dir.filePath("object.vrk");
    EXPECT_TRUE(d.OnSaveDocument(path));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

constexpr QRgb kBlack = 0x000000, kWhite = 0xFFFFFF;

struct VertexToolTest : ToolFixture {
    GridSettings savedGrid = ProgramGrid();

    void SetUp() override {
        ToolFixture::SetUp();
        ProgramGrid() = GridSettings();
        Use(TOOL_EDIT_VERTICES);
    }
    void TearDown() override {
        ProgramGrid() = savedGrid;
        ToolFixture::TearDown();
    }
    // Undo and Redo put new element records in place: look them up again.
    CPrimitive* E(int i) const { return doc.m_shape.m_elements[size_t(i)]; }
    CVertexTool* Tool() { return static_cast<CVertexTool*>(view->Tool(TOOL_EDIT_VERTICES)); }
    size_t Picked() { return Tool()->SelectedHandles(view.get()).size(); }
    void Clear() { view->OnCmdMsg(ID_EDIT_CLEAR, nullptr); }
    // Each gesture is one step: Undo gives back the bytes before, Redo those after.
    void ExpectOneStep(const QByteArray& before) {
        const QByteArray after = SavedBytes(doc);
        ASSERT_NE(before, after);
        view->OnCmdMsg(ID_EDIT_UNDO, nullptr);
        EXPECT_EQ(SavedBytes(doc), before);
        view->OnCmdMsg(ID_EDIT_REDO, nullptr);
        EXPECT_EQ(SavedBytes(doc), after);
    }
};

TEST_F(VertexToolTest, BandPicksVerticesThatDragsArrowsAndSnapMoveTogether) {
    Add(PRIM_POLYGON, {{100, 100}, {180, 100}, {180, 160}, {100, 160}});
    Click(140, 130); // selects the element, as the tool is usable on its own
    view->UpdateWindow();
    // Hollow handles of fixed size: black border, white ring, black middle.
    EXPECT_EQ(Px(100, 100), kBlack);
    EXPECT_EQ(Px(102, 102), kWhite);
    EXPECT_EQ(Px(101, 101), kBlack);
    EXPECT_EQ(Px(103, 103), kBlack) << "the border shows on the white fill";
    EXPECT_EQ(Px(104, 104), kWhite);

    Press(170, 90);
    Move(190, 170);
    Release(190, 170);
    EXPECT_EQ(Picked(), 2u);
    view->UpdateWindow();
    EXPECT_EQ(Px(180, 100), kWhite) << "a selected handle is filled";
    EXPECT_EQ(Px(100, 100), kBlack);

    QByteArray before = SavedBytes(doc);
    const int steps = doc.HistorySize();
    Press(180, 100);
    Move(183, 102);
    // The status bar follows the dragged vertex, from the center of mass.
    CPoint units;
    ASSERT_TRUE(view->PointerUnits(&units));
    EXPECT_EQ(units, CPoint(-17, -48));
    Move(187, 104);
    Release(187, 104);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {187, 104}, {187, 164}, {100, 160}}));
    EXPECT_EQ(doc.HistorySize(), steps + 1);
    EXPECT_TRUE(doc.IsModified());
    ExpectOneStep(before);
    EXPECT_EQ(Picked(), 0u) << "Undo and Redo drop the vertex selection";
    Click(140, 130);

    Press(170, 90);
    Move(190, 170);
    Release(190, 170);
    ProgramGrid().snap = true;
    // The grabbed vertex lands on the grid through the center of mass; the
    // other keeps its offset from it.
    before = SavedBytes(doc);
    Press(187, 104);
    Move(193, 103);
    Release(193, 103);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {190, 100}, {190, 160}, {100, 160}}));
    ExpectOneStep(before);
    Click(140, 130);

    Press(170, 90);
    Move(195, 170);
    Release(195, 170);
    before = SavedBytes(doc);
    Key(Qt::Key_Right);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {200, 100}, {200, 160}, {100, 160}}));
    ExpectOneStep(before);
    Click(140, 130);
    ProgramGrid().snap = false;
    Press(170, 90);
    Move(205, 170);
    Release(205, 170);
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {200, 98}, {200, 158}, {100, 160}}));
    view->OnCmdMsg(ID_EDIT_UNDO, nullptr);
    EXPECT_EQ(PointsOf(Last()), Pts({{100, 100}, {200, 99}, {200, 159}, {100, 160}}));
    Click(140, 130);

    // Clicks off the handles: the first drops the vertices, the second the element.
    Press(170, 90);
    Move(205, 170);
    Release(205, 170);
    Click(300, 250);
    EXPECT_EQ(Picked(), 0u);
    EXPECT_EQ(view->Selection().size(), 1u);
    Click(300, 250);
    EXPECT_TRUE(view->Selection().empty());
}

TEST_F(VertexToolTest, DoubleClickInsertsOnAnEdgeAtAnyZoomAndDeleteKeepsTheMinimum) {
    Add(PRIM_POLYLINE, {{100, 200}, {160, 230}, {220, 200}});
    Add(PRIM_POLYGON, {{190, 140}, {210, 140}, {200, 160}});
    Add(PRIM_POLYLINE, {{300, 40}, {360, 40}, {360, 80}, {300, 80}, {300, 40}});
    view->SelectElement(E(0), false);
    // The nearest point of the edge, rounded: (131.6, 215.8).
    QByteArray before = SavedBytes(doc);
    DoubleClick(131, 217);
    EXPECT_EQ(PointsOf(E(0)), Pts({{100, 200}, {132, 216}, {160, 230}, {220, 200}}));
    EXPECT_EQ(Picked(), 1u);
    ExpectOneStep(before);

    // At 400 % a pixel is a quarter unit and the handle keeps its size in pixels.
    view->SetZoom(CZoom{4, 1}, CPoint(200, 150));
    view->SelectElement(E(1), false);
    DoubleClick(181, 111); // unit (195.25, 140.25), on the top edge
    EXPECT_EQ(PointsOf(E(1)), Pts({{190, 140}, {195, 140}, {210, 140}, {200, 160}}));
    view->UpdateWindow();
    EXPECT_EQ(Px(180, 110), kWhite);
    EXPECT_EQ(Px(180, 113), kBlack);
    EXPECT_EQ(Px(180, 114), kWhite) << "the fill below the handle";
    view->ResetZoom();

    // Deletions that would leave too few change nothing and say why.
    const auto refused = [&](const char* why) {
        const QByteArray bytes = SavedBytes(doc);
        const int steps = doc.HistorySize();
        Clear();
        EXPECT_EQ(SavedBytes(doc), bytes);
        EXPECT_EQ(doc.HistorySize(), steps);
        EXPECT_TRUE(view->StatusText().contains(why)) << view->StatusText().toStdString();
    };
    Press(185, 130);
    Move(205, 145);
    Release(205, 145);
    ASSERT_EQ(Picked(), 2u);
    refused("3 vertices");
    Click(190, 140, Qt::ShiftModifier);
    before = SavedBytes(doc);
    Clear();
    EXPECT_EQ(PointsOf(E(1)), Pts({{190, 140}, {210, 140}, {200, 160}}));
    ExpectOneStep(before);

    view->SelectElement(E(0), false);
    Press(90, 190);
    Move(230, 240);
    Release(230, 240);
    ASSERT_EQ(Picked(), 4u);
    refused("2 vertices");
    Click(100, 200, Qt::ShiftModifier);
    Click(220, 200, Qt::ShiftModifier);
    Clear();
    EXPECT_EQ(PointsOf(E(0)), Pts({{100, 200}, {220, 200}}));

    // A closed polyline has four handles and stays closed on its new first corner.
    view->SelectElement(E(2), false);
    Press(290, 30);
    Move(370, 50);
    Release(370, 50);
    ASSERT_EQ(Picked(), 2u);
    refused("3 corners");
    Click(300, 40);
    Clear();
    EXPECT_EQ(PointsOf(E(2)), Pts({{360, 40}, {360, 80}, {300, 80}, {360, 40}}));
    Click(360, 40); // one handle for both ends: they move together
    Key(Qt::Key_Down);
    EXPECT_EQ(PointsOf(E(2)), Pts({{360, 41}, {360, 80}, {300, 80}, {360, 41}}));

    // Cut takes the whole element even with a vertex selected; without
    // vertices, Delete erases the element as the Select tool does.
    Click(360, 40);
    ASSERT_EQ(Picked(), 1u);
    view->OnCmdMsg(ID_EDIT_CUT, nullptr);
    EXPECT_EQ(doc.m_shape.GetSize(), 2);
    view->SelectElement(E(1), false);
    Clear();
    EXPECT_EQ(doc.m_shape.GetSize(), 1);
}

TEST_F(VertexToolTest, CircleCentreMovesItAndRimSetsTheRoundedRadius) {
    Add(PRIM_CIRCLE, {{300, 200}, {20, 0}});
    Click(300, 190);
    QByteArray before = SavedBytes(doc);
    Press(320, 200);
    Move(330, 210);
    Release(330, 210);
    EXPECT_EQ(PointsOf(E(0))[1].x, 32) << "hypot(30, 10) = 31.6";
    ExpectOneStep(before);
    Click(300, 190); // Redo left nothing selected
    before = SavedBytes(doc);
    Press(300, 200);
    Move(310, 205);
    Release(310, 205);
    EXPECT_EQ(PointsOf(E(0)), Pts({{310, 205}, {32, 0}}));
    ExpectOneStep(before);
}

TEST_F(VertexToolTest, HandlesShowOnlyInTheToolsWindowAndAnotherWindowsEditDropsThem) {
    CPrimitive* box = Add(PRIM_POLYGON, {{100, 100}, {180, 100}, {180, 160}, {100, 160}});
    auto other = MakeView(doc);
    other->OnActivateView(true, other.get(), nullptr);
    Click(140, 130);
    other->SelectElement(box, false);
    Press(170, 90);
    Move(190, 170);
    Release(190, 170);
    ASSERT_EQ(Picked(), 2u);
    view->UpdateWindow();
    other->Invalidate(true);
    other->UpdateWindow();
    EXPECT_EQ(Px(180, 100), kWhite);
    EXPECT_EQ(other->Surface().pixel(183, 103) & 0xFFFFFF, kWhite) << "no handle border there";

    // The other window moves the element; this one's vertices are dropped and
    // its arrow keys change nothing.
    QTest::keyClick(other.get(), Qt::Key_Left);
    EXPECT_EQ(Picked(), 0u);
    const QByteArray bytes = SavedBytes(doc);
    Key(Qt::Key_Right);
    EXPECT_EQ(SavedBytes(doc), bytes);
    // Erased in the other window while its vertices are selected here: a
    // repaint and a key must not reach the freed element.
    Press(170, 90);
    Move(190, 170);
    Release(190, 170);
    other->OnCmdMsg(ID_EDIT_CLEAR, nullptr);
    view->Invalidate(true);
    view->UpdateWindow();
    Key(Qt::Key_Right);
    Clear();
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
}
} // namespace
