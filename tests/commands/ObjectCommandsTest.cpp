#include "commands/CommandFixture.h"
#include "dialogs/ModalDriver.h"
#include "document/CDocEdit.h"
#include "res/CommandIds.h"
#include "support/CirclePixels.h"
#include "tools/CShapeTool.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QRadioButton>

namespace {
using ObjectCommands = CommandFixture;

std::vector<CPrimitive*> Order(const CMorvetDoc& d) {
    return d.m_shape.m_elements;
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void ChooseColor(const QColor& color) {
    WhenModal<QColorDialog>([color](QColorDialog* d) {
        EXPECT_EQ(d->currentColor(), QColor(0, 0, 0)) << "the dialog opens on black";
        d->setCurrentColor(color);
        auto* box = d->findChild<QDialogButtonBox*>();
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
}

void CancelColor() {
    WhenModal<QColorDialog>([](QColorDialog* d) {
        d->setCurrentColor(Qt::red);
        QTest::keyClick(d, Qt::Key_Escape);
    });
}
} // namespace

TEST_F(ObjectCommands, ToolChoiceMovesTheRadioMarkInThisViewOnly) {
    const int ids[] = {ID_TOOL_SELECT,  ID_TOOL_CENTER_OF_MASS, ID_TOOL_POLYLINE,
                       ID_TOOL_POLYGON, ID_TOOL_RECTANGLE,      ID_TOOL_FILLED_RECTANGLE,
                       ID_TOOL_CIRCLE,  ID_TOOL_FILLED_CIRCLE};
    auto second = OpenView(doc, 400, 300);
    for (int chosen = 0; chosen < 8; ++chosen) {
        ASSERT_TRUE(Run(*view, ids[chosen]));
        EXPECT_EQ(view->CurrentTool()->m_nToolType, chosen);
        for (int i = 0; i < 8; ++i) {
            const CCmdUI ui = Update(*view, ids[i]);
            EXPECT_TRUE(ui.m_bRadio);
            EXPECT_EQ(ui.m_nCheck, i == chosen ? 1 : 0) << chosen << " " << i;
        }
    }
    EXPECT_EQ(Update(*second, ID_TOOL_SELECT).m_nCheck, 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ObjectCommands, MoveBackAndForwardFollowSelectionOrder) {
    CPrimitive* p = Square(10, 10, 10);
    CPrimitive* q = Square(30, 10, 10);
    CPrimitive* r = Square(50, 10, 10);
    view->SelectElement(q, false);
    Run(*view, ID_OBJECT_MOVE_FORWARD);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{p, r, q}));
    Run(*view, ID_OBJECT_MOVE_BACK);
    Run(*view, ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{q, p, r}));
    EXPECT_EQ(doc.HistorySize(), 0) << "reordering records no snapshot";

    CPrimitive* s = Square(70, 10, 10);
    doc.m_shape.m_elements = {p, q, r, s};
    view->SelectElement(q, false);
    view->SelectElement(r, true);
    Run(*view, ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{p, q, r, s}));
    Run(*view, ID_OBJECT_MOVE_FORWARD);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{p, s, q, r}));

    doc.m_shape.m_elements = {p, q, r, s};
    view->SelectElement(r, false);
    view->SelectElement(q, true);
    Run(*view, ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{q, r, p, s}));
    doc.m_shape.m_elements = {p, q, r, s};
    Run(*view, ID_OBJECT_MOVE_FORWARD);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{p, q, r, s}));

    doc.SetModifiedFlag(false);
    view->SelectElement(p, false);
    Run(*view, ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(Order(doc), (std::vector<CPrimitive*>{p, q, r, s}));
    EXPECT_TRUE(doc.IsModified()) << "set even when nothing could move";
}

TEST_F(ObjectCommands, ShowCenterTogglesCrossAndCheckInThisViewOnly) {
    auto second = OpenView(doc, 400, 300);
    EXPECT_EQ(Update(*view, ID_EDIT_SHOW_CENTER_OF_MASS).m_nCheck, 1);
    EXPECT_EQ(Px(200, 150), 0xFF0000u);
    Run(*view, ID_EDIT_SHOW_CENTER_OF_MASS);
    view->UpdateWindow();
    EXPECT_EQ(Px(200, 150), 0x000000u);
    EXPECT_EQ(Update(*view, ID_EDIT_SHOW_CENTER_OF_MASS).m_nCheck, 0);
    EXPECT_EQ(Update(*second, ID_EDIT_SHOW_CENTER_OF_MASS).m_nCheck, 1);
    Run(*view, ID_EDIT_SHOW_CENTER_OF_MASS);
    view->UpdateWindow();
    EXPECT_EQ(Px(200, 150), 0xFF0000u);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ObjectCommands, SpinAnimatesAndLeavesEverythingButTheSelection) {
    CPrimitive* a = Square(250, 100, 40, RGB(255, 255, 0));
    Circle(150, 200, 20);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    CShape before(doc.m_shape);
    { CDocEdit step(doc, nullptr); }
    doc.SetModifiedFlag(false);
    view->Invalidate();
    view->UpdateWindow();
    const QImage unselected = view->Surface().copy();
    view->SelectElement(a, false);

    PaintCounter counter;
    view->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(Update(*view, ID_OBJECT_SPIN).m_bEnabled);
    Run(*view, ID_OBJECT_SPIN);
    EXPECT_GE(clock.elapsed(), 252);
    EXPECT_GE(counter.paints, 126) << "every frame reaches the screen";
    view->removeEventFilter(&counter);

    EXPECT_EQ(view->m_pSpinShape, nullptr);
    EXPECT_TRUE(view->Selection().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_EQ(doc.m_historyIndex, 0);
    ASSERT_EQ(doc.m_shape.GetSize(), before.GetSize());
    for (int i = 0; i < before.GetSize(); ++i)
        EXPECT_EQ(Points(doc.m_shape.m_elements[size_t(i)]), Points(before.m_elements[size_t(i)]));
    view->UpdateWindow();
    EXPECT_EQ(view->Surface(), unselected);
}

TEST_F(ObjectCommands, SpinIsDisabledWhenTheObjectMayNotRotate) {
    Square(250, 100, 40);
    doc.m_shape.m_bMayRotate = 0;
    EXPECT_FALSE(Update(*view, ID_OBJECT_SPIN).m_bEnabled);
    QElapsedTimer clock;
    clock.start();
    Run(*view, ID_OBJECT_SPIN);
    EXPECT_LT(clock.elapsed(), 200) << "a spin that slipped through does not run";
}

TEST_F(ObjectCommands, FillColorSetsNewElementColourAndRecoloursTheSelection) {
    CPrimitive* a = Square(10, 10, 10, RGB(0, 0, 255));
    CPrimitive* b = Square(30, 10, 10, RGB(0, 0, 255));
    EXPECT_TRUE(Update(*view, ID_OBJECT_FILL_COLOR).m_bEnabled);

    CancelColor();
    Run(*view, ID_OBJECT_FILL_COLOR);
    EXPECT_EQ(doc.m_color, RGB(255, 255, 255));
    EXPECT_FALSE(doc.IsModified());

    ChooseColor(QColor(10, 128, 250));
    Run(*view, ID_OBJECT_FILL_COLOR);
    EXPECT_EQ(doc.m_color, RGB(10, 128, 250));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), 0) << "nothing selected, nothing recorded";
    EXPECT_EQ(a->m_crColor, RGB(0, 0, 255));

    view->SelectElement(b, false);
    ChooseColor(QColor(200, 0, 0));
    Run(*view, ID_OBJECT_FILL_COLOR);
    EXPECT_EQ(doc.m_color, RGB(200, 0, 0));
    EXPECT_EQ(b->m_crColor, RGB(200, 0, 0));
    EXPECT_EQ(a->m_crColor, RGB(0, 0, 255));
    EXPECT_EQ(doc.HistorySize(), 1);
    view->SelectElement(nullptr, false);
    view->UpdateWindow();
    EXPECT_EQ(Px(35, 15), 0xC80000u) << "0x00BBGGRR met Qt's 0xRRGGBB in the right order";
}

TEST_F(ObjectCommands, PropertiesChangeTheObjectOnlyThroughOk) {
    doc.m_shape.m_dMassDensity = 33.5;
    EXPECT_TRUE(Update(*view, ID_OBJECT_PROPERTIES).m_bEnabled);
    WhenModal<QDialog>([](QDialog* d) {
        EXPECT_EQ(d->findChild<QLineEdit*>("massDensity")->text(), "33.5");
        Click(d, "defaultButton");
        EXPECT_EQ(d->findChild<QLineEdit*>("massDensity")->text(), "20");
        Click(d, "cancelButton");
    });
    Run(*view, ID_OBJECT_PROPERTIES);
    EXPECT_DOUBLE_EQ(doc.m_shape.m_dMassDensity, 33.5);
    EXPECT_EQ(doc.HistorySize(), 0);
    EXPECT_FALSE(doc.IsModified());

    WhenModal<QDialog>([](QDialog* d) {
        TypeInto(d->findChild<QLineEdit*>("massDensity"), "7.25");
        QTest::mouseClick(d->findChild<QRadioButton*>("negative"), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QCheckBox*>("mayRotate"), Qt::LeftButton);
        Click(d, "okButton");
    });
    Run(*view, ID_OBJECT_PROPERTIES);
    EXPECT_DOUBLE_EQ(doc.m_shape.m_dMassDensity, 7.25);
    EXPECT_EQ(doc.m_shape.m_nPolarity, 1);
    EXPECT_EQ(doc.m_shape.m_bMayRotate, 0);
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Update(*view, ID_OBJECT_SPIN).m_bEnabled);
    Run(*view, ID_EDIT_UNDO);
    EXPECT_DOUBLE_EQ(doc.m_shape.m_dMassDensity, 33.5);
}

namespace {
void ResizeBy(const QString& factor) {
    WhenModal<QDialog>([factor](QDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("factor");
        EXPECT_EQ(edit->text(), "1");
        TypeInto(edit, factor);
        Click(d, "okButton");
    });
}
} // namespace

TEST_F(ObjectCommands, ResizeScalesTheSelectionAboutItsOwnCentre) {
    CPrimitive* circle = Circle(100, 100, 10);
    CPrimitive* other = Square(200, 200, 10);
    const auto otherPts = Points(other);
    view->SelectElement(circle, false);
    ResizeBy("2");
    Run(*view, ID_OBJECT_RESIZE);
    EXPECT_EQ(Points(circle)[0], (POINT{100, 100}));
    EXPECT_EQ(circle->m_pPoints[1].x, 20);
    EXPECT_EQ(Points(other), otherPts);
    EXPECT_EQ(doc.HistorySize(), 1);

    WhenModal<QDialog>([](QDialog* d) { Click(d, "cancelButton"); });
    Run(*view, ID_OBJECT_RESIZE);
    EXPECT_EQ(doc.HistorySize(), 1);
    EXPECT_EQ(circle->m_pPoints[1].x, 20);
}

TEST_F(ObjectCommands, ResizeWithoutSelectionShrinksTowardsTheBoundingBoxCentre) {
    // Union (100, 60)-(301, 141): anchor (200, 100), not the origin (200, 150).
    CPrimitive* a = Add(doc, PRIM_POLYLINE, 0, {{100, 60}, {140, 100}});
    CPrimitive* b = Circle(281, 121, 20);
    ResizeBy("0.5");
    Run(*view, ID_OBJECT_RESIZE);
    EXPECT_EQ(Points(a), (std::vector<POINT>{{150, 80}, {170, 100}}));
    EXPECT_EQ(Points(b)[0], (POINT{240, 110}));
    EXPECT_EQ(b->m_pPoints[1].x, 10);
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(false);
    ResizeBy("1");
    Run(*view, ID_OBJECT_RESIZE);
    EXPECT_EQ(doc.HistorySize(), 2) << "factor 1 is still a recorded change";
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ObjectCommands, ResizeOfAnEmptyObjectIsHarmlessAndUndoable) {
    ResizeBy("3");
    Run(*view, ID_OBJECT_RESIZE);
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    EXPECT_TRUE(Update(*view, ID_EDIT_UNDO).m_bEnabled);
    Run(*view, ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
}

TEST_F(ObjectCommands, ResizeAnchorsOnElementsThatDrawAndLargeCirclesDrawRight) {
    // A filled circle of radius 200 beside a short line: the union is
    // (-200, 50)-(600, 450), its middle (200, 250). A polyline without
    // points (its empty rectangle at the origin) and a record of unknown type
    // draw nothing and do not widen it.
    CPrimitive* circle = Add(doc, PRIM_FILLED_CIRCLE, RGB(0, 0, 255), {{0, 250}, {200, 200}});
    Add(doc, PRIM_POLYLINE, 0, {{590, 250}, {600, 250}});
    doc.m_shape.AppendElement(PRIM_POLYLINE, 0, 0, nullptr);
    Add(doc, 7, 0, {{900, 900}, {5, 5}, {6, 6}});
    for (int i = 0; i < 2; ++i) {
        ResizeBy("20");
        Run(*view, ID_OBJECT_RESIZE);
        view->UpdateWindow();
    }
    // Scaled by 400 about (200, 250): the right edge stays at x = 200.
    EXPECT_EQ(Points(circle)[0], (POINT{-79800, 250}));
    EXPECT_EQ(circle->m_pPoints[1].x, 80000);
    EXPECT_EQ(morvet_test::CircleMismatch(view->Surface(), -79800, 250, 80000, true, 0x0000FF,
                                          QRect(193, 143, 15, 15)),
              "");
    EXPECT_EQ(Px(300, 50), 0u);
}

// Scaling stops at the ends of the 32-bit range where the window shows the
// element, about its middle there, not where the file holds it.
TEST_F(ObjectCommands, ResizeStopsAtTheRangeEndsAsTheWindowShowsTheElement) {
    constexpr int32_t kMax = INT32_MAX;
    CPrimitive* line = Add(doc, PRIM_POLYLINE, 0, {{kMax - 150, 0}, {kMax - 10, 0}});
    ASSERT_EQ(line->m_pPoints[0], (POINT{kMax - 350, -150}));
    ResizeBy("2");
    Run(*view, ID_OBJECT_RESIZE);
    // About x = kMax - 80 in the window: the left end goes to kMax - 220, the
    // right end stops at kMax, which the file holds 200 further left.
    EXPECT_EQ(Points(line), (std::vector<POINT>{{kMax - 220, 0}, {kMax, 0}}));
    EXPECT_EQ(line->m_pPoints[1], (POINT{kMax - 200, -150}));
}
