// The forms of an edit: which ones record an undo step, which join the one
// before, which set the modified flag and which tell the windows.
#include "DocumentTestSupport.h"

#include "document/CDocEdit.h"

#include <gtest/gtest.h>

using namespace morvet_test;

namespace {
using Step = CDocEdit::Step;
using Tell = CDocEdit::Tell;

// One edit that moves every point one unit right.
void Nudge(CMorvetDoc& doc, CViewBase* sender, Step step, Tell tell = Tell::Now) {
    CDocEdit edit(doc, sender, step, tell);
    doc.m_shape.Move(1, 0);
}
} // namespace

TEST(DocEdit, EachFormRecordsFlagsAndTellsAsTheToolsAndCommandsNeed) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    Add(doc, PRIM_POLYLINE, 0, {{0, 0}, {5, 5}});
    RecordingView sender, other;
    doc.AddView(&sender);
    doc.AddView(&other);
    const auto check = [&](const char* what, int steps, size_t told) {
        SCOPED_TRACE(what);
        EXPECT_EQ(doc.HistorySize(), steps);
        EXPECT_EQ(other.hints.size(), told);
        EXPECT_TRUE(sender.hints.empty()) << "the sender repaints itself";
        EXPECT_TRUE(doc.IsModified());
    };
    doc.SetModifiedFlag(false);
    Nudge(doc, &sender, Step::Own);
    check("own step", 2, 1);

    // A drag: the first move records, the rest join, nobody hears of it
    // until the release; a key press after the drag joins it too.
    doc.EndStep();
    for (int k = 0; k < 3; ++k)
        Nudge(doc, &sender, Step::Join, Tell::Later);
    check("drag", 3, 1);
    doc.EndDrag(&sender);
    check("drag released", 3, 2);
    Nudge(doc, &sender, Step::Join, Tell::Later);
    doc.EndStep();
    check("key after the drag", 3, 2);
    Nudge(doc, &sender, Step::Join, Tell::Later);
    check("second key", 4, 2);

    // A step of another edit ends the joining, and so does an undo.
    Nudge(doc, &sender, Step::Own);
    Nudge(doc, &sender, Step::Join, Tell::Later);
    check("join after another step", 6, 3);
    doc.Undo();
    Nudge(doc, &sender, Step::Join, Tell::Later);
    EXPECT_FALSE(doc.CanRedo()) << "the join after an undo is a new step";
    sender.hints.clear(); // the undo redraws every window

    doc.SetModifiedFlag(false);
    const int steps = doc.HistorySize();
    const size_t told = other.hints.size();
    Nudge(doc, &sender, Step::None);
    check("no step", steps, told + 1);

    doc.SetModifiedFlag(false);
    {
        CDocEdit edit(doc, &sender);
        edit.Cancel();
    }
    EXPECT_EQ(doc.HistorySize(), steps);
    EXPECT_EQ(other.hints.size(), told + 1);
    EXPECT_FALSE(doc.IsModified()) << "a cancelled edit leaves no trace";
    doc.RemoveView(&sender);
    doc.RemoveView(&other);
}
