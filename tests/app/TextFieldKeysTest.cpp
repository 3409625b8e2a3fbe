// Keys typed into a text field of the main window belong to the field when it
// answers them, and to the editor's commands otherwise; real key events on the
// real widgets, shortcuts included.
#include "AppFixture.h"
#include "panels/CPhysicsPanel.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>

namespace {

using TextFieldKeysTest = AppFixture;

void AddSquare(CMorvetDoc* doc, int x) {
    const POINT pts[4] = {{x, 0}, {x + 20, 0}, {x + 20, 20}, {x, 20}};
    doc->AddElement(PRIM_POLYGON, RGB(0, 0, 255), 4, pts);
}

// Every field of the main window in which the user types.
std::vector<QWidget*> TextFields(QWidget* frame) {
    std::vector<QWidget*> fields;
    for (QWidget* w : frame->findChildren<QWidget*>()) {
        const bool spin = qobject_cast<QAbstractSpinBox*>(w) != nullptr;
        const bool line =
            qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w->parent());
        if ((spin || line) && w->isVisible())
            fields.push_back(w);
    }
    return fields;
}

QLineEdit* EditOf(QWidget* field) {
    auto* line = qobject_cast<QLineEdit*>(field);
    return line ? line : field->findChild<QLineEdit*>();
}

TEST_F(TextFieldKeysTest, TheFieldTakesWhatItAnswersAndTheEditorTheRest) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    for (int i = 0; i < 3; ++i)
        AddSquare(Doc(), 40 * i);
    Idle();
    Frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    // A window shortcut on a key the field answers, and one on a key it does not.
    auto* typed = new QAction(Frame());
    typed->setShortcut(QKeySequence(Qt::Key_Minus));
    auto* other = new QAction(Frame());
    other->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    Frame()->addActions({typed, other});
    QSignalSpy typedFired(typed, &QAction::triggered), otherFired(other, &QAction::triggered);

    const std::vector<QWidget*> fields = TextFields(Frame());
    ASSERT_FALSE(fields.empty());
    for (QWidget* field : fields) {
        SCOPED_TRACE(field->objectName().toStdString());
        QLineEdit* edit = EditOf(field);
        ASSERT_TRUE(edit);
        // The last element added is an undoable step that no key in the field
        // may take back; an undo would also put copies in the place of these.
        const std::vector<CPrimitive*> order = Doc()->m_shape.m_elements;
        View()->SelectElement(order[0], false);
        Doc()->SetModifiedFlag(false);
        View()->setFocus();
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        ASSERT_TRUE(field->hasFocus() || edit->hasFocus());
        const auto press = [&](int key, Qt::KeyboardModifiers mods = {}) {
            QTest::keyClick(field, Qt::Key(key), mods);
        };

        press(Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(edit->selectedText(), edit->text());
        EXPECT_EQ(View()->Selection().size(), 1u);
        press(Qt::Key_Delete);
        EXPECT_EQ(edit->text(), "");
        QTest::keyClicks(field, "12");
        EXPECT_EQ(edit->text(), "12");
        press('-');
        press('=');
        press(Qt::Key_Minus, Qt::KeypadModifier);
        press(Qt::Key_Plus, Qt::KeypadModifier);
        press(Qt::Key_Home);
        EXPECT_EQ(edit->cursorPosition(), 0);
        press(Qt::Key_End);
        press(Qt::Key_Left);
        EXPECT_EQ(edit->cursorPosition(), edit->text().size() - 1);
        press(Qt::Key_Right);
        const QString typedText = edit->text();
        press(Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), typedText.chopped(1));
        QTest::keyClicks(field, "7");
        press(Qt::Key_Home, Qt::ShiftModifier);
        EXPECT_EQ(edit->selectedText(), edit->text());
        press(Qt::Key_Insert, Qt::ControlModifier); // copy
        EXPECT_EQ(QGuiApplication::clipboard()->text(), edit->text());
        press(Qt::Key_Delete, Qt::ShiftModifier); // cut
        EXPECT_EQ(edit->text(), "");
        press(Qt::Key_Insert, Qt::ShiftModifier); // paste
        EXPECT_EQ(edit->text(), QGuiApplication::clipboard()->text());
        // Undo and redo are the field's, with the platform's keys and the editor's.
        const QString pasted = edit->text();
        press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), "");
        press(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), pasted);
        press(Qt::Key_Backspace, Qt::AltModifier);
        EXPECT_EQ(edit->text(), "");
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(edit->text(), pasted);
        press(Qt::Key_C, Qt::ControlModifier);
        press(Qt::Key_X, Qt::ControlModifier);
        press(Qt::Key_V, Qt::ControlModifier);
        press(Qt::Key_Up);
        press(Qt::Key_Down);
        // None of it reached the object.
        EXPECT_EQ(Doc()->m_shape.m_elements, order);
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_EQ(View()->Selection().size(), 1u);
        EXPECT_EQ(typedFired.count(), 0);

        // The editor's keys that the field leaves alone still work from it.
        const bool grid = View()->m_bShowGrid;
        press(Qt::Key_G, Qt::ControlModifier);
        EXPECT_NE(View()->m_bShowGrid, grid);
        press(Qt::Key_G, Qt::ControlModifier);
        press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(otherFired.count(), 1);
        otherFired.clear();
    }

    // In the drawing the same keys are the editor's.
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(View()->Selection().size(), 3u);
    QTest::keyClick(View(), Qt::Key_Delete);
    EXPECT_EQ(Doc()->m_shape.GetSize(), 0);
}

} // namespace
