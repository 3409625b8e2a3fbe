#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "dialogs/CResizeDialog.h"
#include "dialogs/ModalDriver.h"
#include "tools/CShapeTool.h"

#include <QColorDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <functional>
#include <utility>
#include <vector>

namespace {

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

// What the window puts on the screen when it is painted now, as when it is
// uncovered.
QImage Shown(CMorvetView* view) {
    return Rgb(view->grab().toImage());
}

// The window drawn afresh from the document as it is now.
QImage Fresh(CMorvetView* view) {
    view->Invalidate(true);
    view->UpdateWindow();
    return Rgb(view->Surface());
}

} // namespace

using DocumentWindowsTest = AppFixture;

TEST_F(DocumentWindowsTest, EveryWindowOfTheDocumentShowsEachChangeOnceTheCommandIsDone) {
    ASSERT_TRUE(Start());
    // A red square under a blue one: (-30,-30) and (-10,-10), 40 wide.
    for (const auto& [corner, color] : {std::pair{-30, RGB(255, 0, 0)}, {-10, RGB(0, 0, 255)}}) {
        const POINT pts[4] = {{corner, corner},
                              {corner + 40, corner},
                              {corner + 40, corner + 40},
                              {corner, corner + 40}};
        Doc()->AddElement(PRIM_POLYGON, color, 4, pts);
    }
    Frame()->ExecuteCommand(ID_WINDOW_NEW);
    Frame()->ExecuteCommand(ID_WINDOW_TILE_HORZ);
    Idle();
    CMorvetView* other = Frame()->Children()[0]->View();
    CMorvetView* view = View();
    ASSERT_NE(other, view);
    ASSERT_NE(other->size(), view->size()); // the object lives about either middle
    const QPoint middle(view->width() / 2, view->height() / 2);
    const auto key = [view](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        return [view, k, m] { QTest::keyClick(view, k, m); };
    };
    const auto click = [view](QPoint p) {
        return [view, p] {
            QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, p);
            QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, p);
        };
    };
    const auto command = [this](int id) { return [this, id] { Frame()->ExecuteCommand(id); }; };

    // Each step but the first changes what the other window must show. The
    // paste puts a red square exactly on the blue one.
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"select the red square", click(middle + QPoint(-25, -25))},
        {"copy and paste",
         [=] {
             key(Qt::Key_C, Qt::ControlModifier)();
             key(Qt::Key_V, Qt::ControlModifier)();
         }},
        {"move back", key(Qt::Key_Minus)},
        {"move forward", key(Qt::Key_Equal)},
        {"arrow key", key(Qt::Key_Right)},
        {"fill color",
         [=] {
             WhenModal<QColorDialog>([](QColorDialog* d) {
                 d->setCurrentColor(QColor(0, 200, 100));
                 d->accept();
             });
             command(ID_OBJECT_FILL_COLOR)();
         }},
        {"resize",
         [=] {
             WhenModal<CResizeDialog>([](CResizeDialog* d) {
                 TypeInto(d->findChild<QLineEdit*>("factor"), "1.5");
                 Click(d, "okButton");
             });
             command(ID_OBJECT_RESIZE)();
         }},
        {"clear", key(Qt::Key_Delete)},
        {"polyline ended by a key",
         [=] {
             command(ID_TOOL_POLYLINE)();
             QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, middle);
             QTest::mouseMove(view, middle + QPoint(40, 10));
             QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, middle + QPoint(40, 10));
             click(middle + QPoint(10, 30))();
             key(Qt::Key_Return)();
         }},
        {"center of mass placed",
         [=] {
             command(ID_TOOL_CENTER_OF_MASS)();
             click(middle + QPoint(-15, 7))();
         }},
        {"undo", key(Qt::Key_Z, Qt::ControlModifier)},
    };
    for (const auto& step : steps) {
        const QImage before = Shown(other);
        step.second();
        Idle();
        const QImage shown = Shown(other);
        EXPECT_EQ(shown, Fresh(other)) << step.first;
        if (&step != &steps.front()) {
            EXPECT_NE(shown, before) << step.first;
        }
    }

    // During a drag only the window under the pointer follows; the others
    // catch up at the release.
    Frame()->ExecuteCommand(ID_TOOL_SELECT);
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    Idle();
    const QImage before = Fresh(other);
    CRect r;
    GetPrimitiveRect(Doc()->m_shape.m_elements[0], &r, view->Anchor());
    const QPoint grab(r.left + 1, r.top + 1);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(view, grab + QPoint(30, 20));
    Idle();
    EXPECT_EQ(Shown(other), before);
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, grab + QPoint(30, 20));
    Idle();
    EXPECT_NE(Shown(other), before);
    EXPECT_EQ(Shown(other), Fresh(other));

    // The grabbed vertex is marked in every window, and unmarked in every
    // window once it is let go.
    const CPrimitive* square = Doc()->m_shape.m_elements[0];
    view->SelectElement(Doc()->m_shape.m_elements[0], false);
    const CPoint shift(view->width() / 2, view->height() / 2);
    const QPoint vertex(square->m_pPoints[1].x + shift.x, square->m_pPoints[1].y + shift.y);
    for (const QPoint p : {vertex, QPoint(2, 2)}) {
        const QImage before = Shown(other);
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, p);
        Idle();
        EXPECT_NE(Shown(other), before);
        EXPECT_EQ(Shown(other), Fresh(other));
    }
    EXPECT_EQ(Doc()->GrabbedVertex(), nullptr);
}

TEST_F(DocumentWindowsTest, WindowKeysFollowTheWindowListAndACloseReturnsToThePreviousWindow) {
    ASSERT_TRUE(Start());
    CChildFrame* first = Frame()->ActiveChild();
    Frame()->ExecuteCommand(ID_WINDOW_NEW);
    CChildFrame* second = Frame()->ActiveChild();
    QTest::keyClick(View(), Qt::Key_N, Qt::ControlModifier);
    CChildFrame* third = Frame()->ActiveChild();
    Idle();
    // The main title names the document; the window keeps its number.
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object2");
    Frame()->ActivateChild(second);
    EXPECT_EQ(second->windowTitle(), "Object1:2");
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");

    const auto keyTo = [this](Qt::KeyboardModifiers mods) {
        QTest::keyClick(View(), Qt::Key_F6, mods);
        Idle();
        return Frame()->ActiveChild();
    };
    EXPECT_EQ(keyTo(Qt::ControlModifier), third);
    EXPECT_EQ(keyTo(Qt::ControlModifier), first);
    EXPECT_EQ(keyTo(Qt::ControlModifier), second);
    EXPECT_EQ(keyTo(Qt::ControlModifier | Qt::ShiftModifier), first);
    EXPECT_EQ(keyTo(Qt::ControlModifier | Qt::ShiftModifier), third);
    EXPECT_TRUE(View()->hasFocus());

    // Active in turn: third, first, second. Closing the second returns to
    // the first, not to the last one opened.
    Frame()->ActivateChild(first);
    Frame()->ActivateChild(second);
    QTest::keyClick(View(), Qt::Key_F4, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(Frame()->Children().size(), 2u);
    EXPECT_EQ(Frame()->ActiveChild(), first);
    EXPECT_TRUE(first->View()->m_bActive);
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object1");

    // The document's last window asks about unsaved changes first.
    Doc()->SetModifiedFlag(true);
    user.answers = {QMessageBox::Cancel, QMessageBox::No};
    QTest::keyClick(View(), Qt::Key_F4, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(user.messages, QStringList({"Save changes to Object1?"}));
    EXPECT_EQ(Frame()->ActiveChild(), first);
    QTest::keyClick(View(), Qt::Key_F4, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(user.messages.size(), 2);
    EXPECT_EQ(Frame()->Children(), std::vector<CChildFrame*>({third}));
    EXPECT_EQ(Frame()->ActiveChild(), third);
    EXPECT_EQ(DocCount(), 1);

    // One window: the window keys have nowhere to go.
    EXPECT_FALSE(Frame()->Actions().Action(ID_WINDOW_NEXT)->isEnabled());
    EXPECT_EQ(keyTo(Qt::ControlModifier), third);
}

TEST_F(DocumentWindowsTest, AHighlightedGreyedItemShowsItsPrompt) {
    ASSERT_TRUE(Start());
    QMenu* edit = Frame()->Menu(IDR_OBJECT_TYPE, 1);
    QAction* undo = Frame()->Actions().Action(ID_EDIT_UNDO);
    QAction* paste = Frame()->Actions().Action(ID_EDIT_PASTE);
    ASSERT_FALSE(undo->isEnabled());
    ASSERT_FALSE(paste->isEnabled());
    Frame()->menuBar()->setActiveAction(edit->menuAction());
    ASSERT_TRUE(edit->isVisible());
    QTest::mouseMove(edit, edit->actionGeometry(undo).center());
    Idle();
    EXPECT_EQ(edit->activeAction(), undo);
    EXPECT_EQ(Frame()->StatusText(), "Undo the last action");
    QTest::mouseMove(edit, edit->actionGeometry(paste).center());
    EXPECT_EQ(Frame()->StatusText(), "Insert Clipboard contents");
    // Greyed items stay greyed: triggering one runs nothing.
    QTest::keyClick(edit, Qt::Key_Return);
    Idle();
    EXPECT_EQ(Doc()->m_shape.GetSize(), 0);
    edit->hide();
    Idle();
    EXPECT_EQ(Frame()->StatusText(), "Ready");
}
