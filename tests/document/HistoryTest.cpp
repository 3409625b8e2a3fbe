// The undo/redo history.
#include "DocumentTestSupport.h"

#include "document/CDocEdit.h"

#include <gtest/gtest.h>

#include <string>

using namespace morvet_test;

namespace {

// A recorded change in the way every caller makes one: an edit with a step.
void RecordedChange(CMorvetDoc& doc, COLORREF marker) {
    CDocEdit edit(doc, nullptr);
    auto* pts = new POINT[1]{{int32_t(marker), 0}};
    doc.m_shape.AppendElement(PRIM_POLYLINE, marker, 1, pts);
}

// Names of the history entries, newest first, looked up among known states.
std::string History(const CMorvetDoc& doc, const std::vector<std::pair<char, QByteArray>>& states) {
    std::string out;
    for (const CSnapshot* s : doc.m_history) {
        char name = '?';
        const QByteArray b = Bytes(s->shape);
        for (const auto& st : states)
            if (st.second == b)
                name = st.first;
        out += name;
    }
    return out;
}

} // namespace

TEST(History, EmptyHistoryUndoAndRedoDoNothing) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    RecordingView view;
    doc.AddView(&view);
    doc.Undo();
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_historyIndex, -1);
    EXPECT_TRUE(view.hints.empty());
    EXPECT_EQ(view.selectCalls, 0);
    doc.RemoveView(&view);
}

TEST(History, UndoRedoAndNewEditsFollowTheSnapshotStack) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    doc.m_shape.m_dMassDensity = 1.0; // P
    const QByteArray P = Bytes(doc.m_shape);

    struct Row {
        const char* step;
        const char* history;
        int index;
        char object;
        bool canUndo, canRedo;
    };
    std::vector<std::pair<char, QByteArray>> states{{'P', P}};
    auto check = [&](const Row& r) {
        SCOPED_TRACE(r.step);
        EXPECT_EQ(History(doc, states), r.history);
        EXPECT_EQ(doc.m_historyIndex, r.index);
        char object = '?';
        for (const auto& st : states)
            if (st.second == Bytes(doc.m_shape))
                object = st.first;
        EXPECT_EQ(object, r.object);
        EXPECT_EQ(doc.CanUndo(), r.canUndo);
        EXPECT_EQ(doc.CanRedo(), r.canRedo);
    };

    check({"New document", "", -1, 'P', false, false});
    RecordedChange(doc, 1);
    states.push_back({'Q', Bytes(doc.m_shape)});
    check({"Change P->Q", "P", 0, 'Q', true, false});
    RecordedChange(doc, 2);
    states.push_back({'R', Bytes(doc.m_shape)});
    check({"Change Q->R", "QP", 0, 'R', true, false});
    doc.Undo();
    check({"Undo", "RQP", 2, 'Q', true, true});
    doc.Undo();
    check({"Undo again", "RQP", 3, 'P', false, true});
    doc.Undo(); // CanUndo is false: nothing happens
    check({"Undo disabled", "RQP", 3, 'P', false, true});
    doc.Redo();
    check({"Redo", "RQP", 2, 'Q', true, true});
    RecordedChange(doc, 3);
    states.push_back({'T', Bytes(doc.m_shape)});
    check({"Change Q->T", "QP", 0, 'T', true, false});
}

TEST(History, OneChangeUndoRedo) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    const QByteArray before = Bytes(doc.m_shape);
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    const QByteArray after = Bytes(doc.m_shape);
    doc.Undo();
    EXPECT_EQ(Bytes(doc.m_shape), before);
    EXPECT_TRUE(doc.CanRedo());
    EXPECT_FALSE(doc.CanUndo());
    doc.Redo();
    EXPECT_EQ(Bytes(doc.m_shape), after);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.m_historyIndex, 1);
    EXPECT_TRUE(doc.CanUndo());
}

TEST(History, TwelveChangesKeepElevenSnapshotsAndTenUndoSteps) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    std::vector<QByteArray> state{Bytes(doc.m_shape)}; // state[k]: after k changes
    for (int k = 1; k <= 12; ++k) {
        RecordedChange(doc, COLORREF(k));
        state.push_back(Bytes(doc.m_shape));
        EXPECT_LE(doc.HistorySize(), CMorvetDoc::kMaxSnapshots);
    }
    EXPECT_EQ(doc.HistorySize(), 11);
    EXPECT_EQ(Bytes(doc.m_history.back()->shape), state[1]) << "S0 was dropped";
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(doc.CanUndo()) << "undo " << i + 1;
        doc.Undo();
        EXPECT_EQ(Bytes(doc.m_shape), state[size_t(11 - i)]) << "undo " << i + 1;
        EXPECT_EQ(doc.HistorySize(), 11);
    }
    // The state recorded before the third change.
    EXPECT_EQ(Bytes(doc.m_shape), state[2]);
    EXPECT_FALSE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(Bytes(doc.m_shape), state[2]) << "an eleventh Undo does nothing";
    // All the way forward again.
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(doc.CanRedo());
        doc.Redo();
    }
    EXPECT_EQ(Bytes(doc.m_shape), state[12]);
    EXPECT_FALSE(doc.CanRedo());
}

TEST(History, ChangeAfterUndoDiscardsTheStatesAhead) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    for (int k = 1; k <= 4; ++k)
        RecordedChange(doc, COLORREF(k));
    doc.Undo();
    doc.Undo();
    doc.Undo();
    EXPECT_TRUE(doc.CanRedo());
    RecordedChange(doc, 99);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.m_historyIndex, 0);
    doc.Redo();
    EXPECT_EQ(doc.m_shape.m_elements.back()->m_crColor, 99u) << "nothing to redo";
}

TEST(History, UndoAndRedoSetTheModifiedFlagEvenBackToTheSavedState) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    doc.SetModifiedFlag(false); // as after a save
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.Redo(); // back to the saved state
    EXPECT_TRUE(doc.IsModified());
}

TEST(History, UndoAfterSaveRestoresTheEarlierState) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    const QByteArray before = Bytes(doc.m_shape);
    Add(doc, PRIM_POLYGON, 0, {{0, 0}, {5, 5}, {0, 5}});
    CArchive ar;
    doc.Serialize(ar);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(Bytes(doc.m_shape), before);
    EXPECT_TRUE(doc.IsModified());
}

TEST(History, UndoRedoLeaveOriginAndColourAndClearEverySelection) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    RecordingView a, b;
    doc.m_color = RGB(12, 34, 56);
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    doc.AddView(&a);
    doc.AddView(&b);
    a.SelectElement(doc.m_shape.m_elements[0], false);
    b.SelectElement(doc.m_shape.m_elements[0], false);
    doc.Undo();
    EXPECT_TRUE(a.selection.empty());
    EXPECT_TRUE(b.selection.empty());
    EXPECT_EQ(a.hints, std::vector<long>{0});
    EXPECT_EQ(b.hintObjects, std::vector<void*>{nullptr});
    EXPECT_GE(a.replacedCalls, 1);
    EXPECT_EQ(doc.m_color, RGB(12, 34, 56));
    b.SelectElement(nullptr, true);
    doc.Redo();
    EXPECT_TRUE(b.selection.empty());
    EXPECT_EQ(b.hints, (std::vector<long>{0, 0}));
    EXPECT_EQ(doc.m_color, RGB(12, 34, 56));
    doc.RemoveView(&a);
    doc.RemoveView(&b);
}

TEST(History, AnEditsStepIsIndependentOfTheObject) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    {
        CDocEdit edit(doc, nullptr);
        doc.m_shape.m_elements[0]->m_pPoints[0] = POINT{77, 77};
    }
    EXPECT_EQ(doc.m_history[0]->shape.m_elements[0]->m_pPoints[0], (POINT{0, 0}));
    doc.Undo();
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0], (POINT{0, 0}));
    doc.Redo();
    EXPECT_EQ(doc.m_shape.m_elements[0]->m_pPoints[0], (POINT{77, 77}));
}

TEST(History, NewDocumentEmptiesTheHistory) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    for (int k = 0; k < 5; ++k)
        RecordedChange(doc, COLORREF(k));
    doc.Undo();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(doc.m_historyIndex, -1);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}
