#include "app/CCommandRouter.h"
#include "commands/CommandFixture.h"
#include "dialogs/CCoordinatesDialog.h"
#include "dialogs/ModalDriver.h"
#include "res/CommandIds.h"
#include "tools/CShapeTool.h"

#include <QKeyEvent>
#include <QTableWidget>
#include <vector>

namespace {

using Rows = std::vector<QStringList>;

Rows Cells(const QTableWidget* table) {
    Rows rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c)
            row << (table->item(r, c) ? table->item(r, c)->text() : QString());
        rows.push_back(row);
    }
    return rows;
}

// Keys go where the user's keys go: to the dialog's focus widget, which is
// the table or, while a value is being edited, its editor.
void Keys(QDialog* d, const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(d->focusWidget(), c.toLatin1());
}
void Key(QDialog* d, Qt::Key key) {
    QTest::keyClick(d->focusWidget(), key);
}
// The dialog has the keyboard as it would on the screen, so an editor that
// closes hands the focus back to the table.
void Activate(QDialog* d) {
    d->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(d));
}
// OK refused: the message, once the box is closed and the dialog has the
// keyboard again.
QString Refusal(QDialog* d) {
    const QString text = PressOkExpectingRefusal(d);
    Activate(d);
    return text;
}
QTableWidget* Table(QDialog* d) {
    return d->findChild<QTableWidget*>("coordinates");
}

QImage Shown(CMorvetView& v) {
    return v.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct CoordinatesTest : CommandFixture {
    static std::vector<POINT> Relative(const CPrimitive* p) {
        return std::vector<POINT>(p->m_pPoints, p->m_pPoints + p->m_nPoints);
    }
};

} // namespace

// Values are relative to the center of mass whatever the windows do; a
// table edit by keys, an inserted and a deleted point make one undo step
// that every window shows.
TEST_F(CoordinatesTest, TypedPointsReplaceThePathAsOneUndoStep) {
    CPrimitive* poly = Add(doc, PRIM_POLYGON, RGB(0, 0, 255), {{210, 160}, {250, 160}, {230, 190}});
    view->SelectElement(poly, false);
    auto other = OpenView(doc, 600, 400);
    other->OnActivateView(false, view.get(), other.get());
    other->UpdateWindow();
    doc.GrabVertex({doc.m_shape.GetSize() - 1, 2});
    const std::vector<POINT> original = Relative(poly);
    EXPECT_TRUE(Update(*view, ID_OBJECT_COORDINATES).m_bEnabled);

    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        QTableWidget* table = Table(d);
        EXPECT_EQ(d->windowTitle(), "Element Coordinates");
        EXPECT_EQ(Cells(table), Rows({{"10", "10"}, {"50", "10"}, {"30", "40"}}));
        EXPECT_EQ(table->currentRow(), 0);
        EXPECT_EQ(table->currentColumn(), 0);
        // Typing replaces the value, Tab goes on to the next one, Enter ends
        // the editing without closing the dialog.
        Keys(d, "15");
        Key(d, Qt::Key_Tab);
        Keys(d, "-7");
        Key(d, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(Cells(table)[0], QStringList({"15", "-7"}));

        Key(d, Qt::Key_Down); // the second point
        Click(d, "insertButton");
        EXPECT_EQ(table->currentRow(), 2);
        EXPECT_EQ(Cells(table)[2], QStringList({"40", "25"})) << "halfway to the third";
        Keys(d, "40");
        Key(d, Qt::Key_Tab);
        Keys(d, "25");
        Key(d, Qt::Key_Return);
        QApplication::processEvents();
        Key(d, Qt::Key_Down); // the old third point
        Click(d, "deleteButton");
        EXPECT_EQ(Cells(table), Rows({{"15", "-7"}, {"50", "10"}, {"40", "25"}}));
        Key(d, Qt::Key_Return); // no value being edited: OK
    });
    Run(*view, ID_OBJECT_COORDINATES);

    EXPECT_EQ(Relative(poly), std::vector<POINT>({{15, -7}, {50, 10}, {40, 25}}));
    EXPECT_EQ(doc.GrabbedVertex(), nullptr);
    EXPECT_TRUE(doc.IsModified());
    for (CMorvetView* v : {view.get(), other.get()}) {
        const QImage shown = Shown(*v);
        v->Invalidate(true);
        v->UpdateWindow();
        EXPECT_EQ(shown, v->Surface().convertToFormat(QImage::Format_RGB32));
    }
    Run(*view, ID_EDIT_UNDO);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    EXPECT_EQ(Relative(doc.m_shape.m_elements[0]), original);

    // The restored element's points are a slice of the snapshot's shared
    // block: giving it a new point array must not free the slice.
    CPrimitive* restored = doc.m_shape.m_elements[0];
    ASSERT_TRUE(restored->m_pointBlock);
    view->SelectElement(restored, false);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        Click(d, "insertButton");
        Key(d, Qt::Key_Return);
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(restored->m_nPoints, 4);
    EXPECT_FALSE(restored->m_pointBlock);
}

TEST_F(CoordinatesTest, BadValuesAreRefusedByNameAndCancelChangesNothing) {
    CPrimitive* line = Add(doc, PRIM_POLYLINE, RGB(0, 0, 255), {{190, 140}, {260, 180}});
    view->SelectElement(line, false);
    const std::vector<POINT> before = Points(line);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        const QString range = ": Please enter an integer between -2147483648 and 2147483647.";
        // Each bad value is refused by name, then put right where it stands.
        const struct {
            Qt::Key move;
            const char* typed;
            QString message;
        } cases[] = {
            {Qt::Key_unknown, "1.5", "Point 1, x" + range},
            {Qt::Key_Down, "2147483648", "Point 2, x" + range},
            {Qt::Key_Right, "1e3", "Point 2, y" + range},
            {Qt::Key_unknown, "y", "Point 2, y" + range},
        };
        for (const auto& c : cases) {
            if (c.move != Qt::Key_unknown)
                Key(d, c.move);
            Keys(d, c.typed);
            Key(d, Qt::Key_Return);
            QApplication::processEvents();
            EXPECT_EQ(Refusal(d), c.message) << c.typed;
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(d->focusWidget(), Table(d));
            Keys(d, "-2147483648");
            Key(d, Qt::Key_Return);
            QApplication::processEvents();
        }
        EXPECT_EQ(Table(d)->currentRow(), 1);
        EXPECT_EQ(Table(d)->currentColumn(), 1);
        Click(d, "deleteButton");
        Click(d, "deleteButton");
        EXPECT_FALSE(d->findChild<QPushButton*>("deleteButton")->isEnabled());
        EXPECT_EQ(Refusal(d), "Points: a polyline needs at least one point.");
        EXPECT_TRUE(d->isVisible());
        Click(d, "cancelButton");
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(Points(line), before);
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_FALSE(doc.IsModified());

    // OK without a change records nothing either.
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) { Click(d, "okButton"); });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(CoordinatesTest, ACircleShowsItsCentreAndRadiusAndRefusesANegativeRadius) {
    // The second point's y is the file's, not the radius: it stays as it is.
    CPrimitive* circle = Add(doc, PRIM_FILLED_CIRCLE, RGB(255, 0, 0), {{180, 155}, {12, 99}});
    CPrimitive* square = Square(10, 10, 20);
    view->SelectElement(circle, false);
    view->SelectElement(square, true);
    EXPECT_FALSE(Update(*view, ID_OBJECT_COORDINATES).m_bEnabled);
    view->DeselectElement(square);
    EXPECT_TRUE(Update(*view, ID_OBJECT_COORDINATES).m_bEnabled);

    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        QTableWidget* table = Table(d);
        EXPECT_EQ(Cells(table), Rows({{"-20", "5", "12"}}));
        EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "Radius");
        EXPECT_FALSE(d->findChild<QPushButton*>("insertButton")->isVisible());
        Key(d, Qt::Key_Tab);
        Key(d, Qt::Key_Tab);
        Keys(d, "-1");
        Key(d, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(Refusal(d), "Radius: Please enter an integer between 0 and 2147483647.");
        Keys(d, "30");
        Key(d, Qt::Key_Tab); // on to the centre's x, round the row
        Keys(d, "-100");
        Key(d, Qt::Key_Return);
        QApplication::processEvents();
        Key(d, Qt::Key_Return);
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(Points(circle), std::vector<POINT>({{100, 155}, {30, 99}}));
    EXPECT_EQ(doc.HistorySize(), 1);

    QKeyEvent ctrlE(QEvent::KeyPress, Qt::Key_E, Qt::ControlModifier);
    CCommandRouter router;
    router.AddViewCommands();
    EXPECT_EQ(router.CommandForKey(&ctrlE), ID_OBJECT_COORDINATES);
}

// The window shows this element wrapped past the ends of the range; the
// dialog still gives the file's values, and OK without a change keeps them.
TEST_F(CoordinatesTest, ValuesAtTheRangeEndsAreTheFilesAndOkKeepsThem) {
    doc.m_shape.AppendElement(PRIM_POLYLINE, RGB(0, 0, 255), 2,
                              new POINT[2]{{INT32_MAX, INT32_MIN}, {-5, 7}});
    CPrimitive* line = doc.m_shape.m_elements.back();
    view->SelectElement(line, false);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        EXPECT_EQ(Cells(Table(d)), Rows({{"2147483647", "-2147483648"}, {"-5", "7"}}));
        Click(d, "okButton");
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_EQ(line->m_pPoints[0], (POINT{INT32_MAX, INT32_MIN}));
}

// Insert Point goes halfway to the next point, round the end of a polygon;
// OK refuses a deletion that leaves too few points, but not an element that
// had too few already.
TEST_F(CoordinatesTest, InsertGoesHalfwayAndOkRefusesTooFewPointsLeft) {
    CPrimitive* poly = Add(doc, PRIM_POLYGON, RGB(0, 0, 255), {{200, 150}, {210, 150}, {210, 157}});
    view->SelectElement(poly, false);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        QTableWidget* table = Table(d);
        Key(d, Qt::Key_Down);
        Key(d, Qt::Key_Down);
        Click(d, "insertButton"); // halfway from (10, 7) back to (0, 0)
        EXPECT_EQ(Cells(table)[3], QStringList({"5", "4"}));
        Click(d, "deleteButton");
        Click(d, "deleteButton");
        EXPECT_EQ(Refusal(d), "Points: a polygon needs at least 3 points; this one would have 2.");
        EXPECT_TRUE(d->isVisible());
        Click(d, "cancelButton");
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(poly->m_nPoints, 3);
    EXPECT_EQ(doc.HistorySize(), 0);

    // A polyline's last row is copied; a polygon of two points read from a
    // file may lose none and still be typed.
    CPrimitive* line = Add(doc, PRIM_POLYLINE, 0, {{200, 150}, {220, 170}});
    view->SelectElement(line, false);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        Key(d, Qt::Key_Down);
        Click(d, "insertButton");
        EXPECT_EQ(Cells(Table(d))[2], QStringList({"20", "20"}));
        Key(d, Qt::Key_Return);
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(Relative(line), std::vector<POINT>({{0, 0}, {20, 20}, {20, 20}}));
    CPrimitive* thin = Add(doc, PRIM_POLYGON, 0, {{200, 150}, {230, 150}});
    view->SelectElement(thin, false);
    WhenModal<CCoordinatesDialog>([](CCoordinatesDialog* d) {
        Activate(d);
        Keys(d, "5");
        Key(d, Qt::Key_Return);
        QApplication::processEvents();
        Key(d, Qt::Key_Return);
    });
    Run(*view, ID_OBJECT_COORDINATES);
    EXPECT_EQ(Relative(thin), std::vector<POINT>({{5, 0}, {30, 0}}));
}
