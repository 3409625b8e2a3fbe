// Rotate, Flip Horizontal and Flip Vertical through their commands and the
// Rotate dialog, in the saved bytes and against their closed forms.
#include "commands/CommandFixture.h"
#include "dialogs/ModalDriver.h"
#include "res/CommandIds.h"

#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cmath>

namespace {
using TurnCommands = CommandFixture;

QByteArray SavedBytes(CMorvetDoc& d) {
    QTemporaryDir dir;
    const QString path = dir.filePath("object.vrk");
    EXPECT_TRUE(d.OnSaveDocument(path));
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void RotateBy(CMorvetView& view, const QString& degrees) {
    WhenModal<QDialog>([degrees](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("angle");
        EXPECT_EQ(edit->text(), "90");
        TypeInto(edit, degrees);
        Click(d, "okButton");
    });
    view.OnCmdMsg(ID_OBJECT_ROTATE, nullptr);
}

// Every element's points in file units, in order.
std::vector<POINT> FilePoints(const CMorvetDoc& d) {
    std::vector<POINT> all;
    for (const CPrimitive* e : d.m_shape.m_elements)
        all.insert(all.end(), e->m_pPoints, e->m_pPoints + e->m_nPoints);
    return all;
}

TEST_F(TurnCommands, WholeObjectTurnsAboutTheCrossAndFourQuarterTurnsOrTwoFlipsRestoreTheBytes) {
    Add(doc, PRIM_POLYGON, RGB(0, 0, 255), {{-7, 3}, {2000000000, 11}, {5, -1999999999}});
    Add(doc, PRIM_POLYLINE, 0, {{1, 2}, {-3, -4}});
    Circle(9, -13, 6);
    const QByteArray original = SavedBytes(doc);
    const std::vector<POINT> before = FilePoints(doc);

    RotateBy(*view, "90");
    std::vector<POINT> after = FilePoints(doc);
    for (size_t i = 0; i < before.size(); ++i) {
        // The circle's radius (its second point) is a length, not a place.
        const bool radius = i == before.size() - 1;
        const POINT turned = radius ? before[i] : POINT{-before[i].y, before[i].x};
        EXPECT_EQ(after[i], turned) << i;
    }
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_TRUE(doc.IsModified());
    for (int k = 0; k < 3; ++k)
        RotateBy(*view, "90");
    EXPECT_EQ(SavedBytes(doc), original);

    Run(*view, ID_OBJECT_FLIP_HORIZONTAL);
    after = FilePoints(doc);
    EXPECT_EQ(after[1], (POINT{-before[1].x, before[1].y}));
    Run(*view, ID_OBJECT_FLIP_HORIZONTAL);
    EXPECT_EQ(SavedBytes(doc), original);
    Run(*view, ID_OBJECT_FLIP_VERTICAL);
    EXPECT_EQ(FilePoints(doc)[2], (POINT{before[2].x, -before[2].y}));
    Run(*view, ID_OBJECT_FLIP_VERTICAL);
    EXPECT_EQ(SavedBytes(doc), original);
    EXPECT_EQ(doc.HistorySize(), 8);
    Run(*view, ID_EDIT_UNDO);
    EXPECT_EQ(FilePoints(doc)[2], (POINT{before[2].x, -before[2].y}));
}

TEST_F(TurnCommands, SelectionTurnsAboutTheExactMiddleOfItsRectangle) {
    // Left + right = 231 and top + bottom = 221: the middle (115.5, 110.5) is
    // on half units, and a quarter turn lands on whole ones.
    CPrimitive* box = Add(doc, PRIM_POLYGON, 0, {{100, 100}, {131, 100}, {131, 121}, {100, 121}});
    CPrimitive* still = Square(300, 200, 10);
    const std::vector<POINT> stillPts = Points(still);
    view->SelectElement(box, false);
    RotateBy(*view, "90");
    EXPECT_EQ(Points(box), (std::vector<POINT>{{126, 95}, {126, 126}, {105, 126}, {105, 95}}));
    EXPECT_EQ(Points(still), stillPts) << "neither the rest nor the center of mass moves";

    Run(*view, ID_OBJECT_FLIP_HORIZONTAL); // x' = 105 + 126 - x
    EXPECT_EQ(Points(box), (std::vector<POINT>{{105, 95}, {105, 126}, {126, 126}, {126, 95}}));

    // Thirty degrees clockwise about the middle (115.5, 110.5), rounded.
    const std::vector<POINT> was = Points(box);
    RotateBy(*view, "30");
    const double a = M_PI / 6, cx = 115.5, cy = 110.5;
    std::vector<POINT> expected;
    for (const POINT& p : was)
        expected.push_back(
            POINT{int32_t(std::lround(cx + (p.x - cx) * cos(a) - (p.y - cy) * sin(a))),
                  int32_t(std::lround(cy + (p.x - cx) * sin(a) + (p.y - cy) * cos(a)))});
    EXPECT_EQ(Points(box), expected);
    // (105, 95) is 10.5 left of and 15.5 above the middle: it turns to
    // 115.5 - 9.093 + 7.75 = 114.157 and 110.5 - 5.25 - 13.423 = 91.827.
    EXPECT_EQ(Points(box)[0], (POINT{114, 92}));
}
} // namespace
