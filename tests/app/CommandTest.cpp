#include "AppFixture.h"
#include "app/CAcceleratorFilter.h"
#include "app/CCommandActions.h"
#include "app/CCommandRouter.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QStringList MenuTitles(CMainFrame* frame) {
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    return titles;
}

// The visible items of a menu, "-" for a separator.
QStringList Items(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

int CommandFor(const CCommandRouter& router, int key, Qt::KeyboardModifiers mods,
               const QString& text = QString()) {
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    return router.CommandForKey(&event);
}

} // namespace

using CommandTest = AppFixture;

TEST_F(CommandTest, MenusSwitchWithTheFirstAndLastDocumentWindow) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->CurrentMenu(), IDR_OBJECT_TYPE);
    EXPECT_EQ(MenuTitles(Frame()),
              QStringList({"&File", "&Edit", "O&bject", "&View", "&Window", "&Help"}));
    // clang-format off
    EXPECT_EQ(Items(Frame()->Menu(IDR_OBJECT_TYPE, 0)),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                           "Save &As...", "&Export...", "-",
                           "&Print...\tCtrl+P", "Print Pre&view", "P&rint Setup...", "-",
                           "Recent File", "-",
                           "E&xit"}));
    EXPECT_EQ(Items(Frame()->Menu(IDR_OBJECT_TYPE, 1)),
              QStringList({"&Undo\tCtrl+Z", "Redo\tCtrl+Y", "-",
                           "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "Clear\tDelete",
                           "Select All\tCtrl-A", "-",
                           "Show center of mass"}));
    EXPECT_EQ(Items(Frame()->Menu(IDR_OBJECT_TYPE, 2)),
              QStringList({"Properties...\tAlt+Enter", "Resize...\tCtrl+R", "R&otate...\tCtrl+Shift+R",
                           "Flip &Horizontal", "Flip Vert&ical", "&Coordinates...\tCtrl+E",
                           "Center of Mass at C&entroid", "-",
                           "Select", "Center of Mass", "Polyline", "Polygon", "Rectangle",
                           "Filled Rectangle", "Circle", "Filled Circle", "Edit &Vertices", "-",
                           "Fill Color...", "-",
                           "Move back\tMinus", "Move Forward\tPlus", "-",
                           "Spin", "&Simulate...\tCtrl+T", "&Trace Image..."}));
    EXPECT_EQ(Items(Frame()->Menu(IDR_OBJECT_TYPE, 3)),
              QStringList({"&Toolbar", "&Status Bar", "-",
                           "Zoom &In\tCtrl++", "Zoom &Out\tCtrl+-", "&Actual Size\tCtrl+0",
                           "&Fit Object\tCtrl+F", "-",
                           "Show &Grid\tCtrl+G", "S&nap to Grid\tCtrl+Shift+G", "Grid Spa&cing...", "-",
                           "&Physics Panel", "-",
                           "&Reference Image...", "Hide Reference Image"}));
    // clang-format on

    Frame()->Children()[0]->close();
    Idle();
    EXPECT_EQ(Frame()->CurrentMenu(), IDR_MAIN_FRAME);
    EXPECT_EQ(MenuTitles(Frame()), QStringList({"&File", "&View", "&Help"}));
    EXPECT_EQ(Items(Frame()->Menu(IDR_MAIN_FRAME, 0)),
              QStringList({"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-",
                           "Recent File", "-", "E&xit"}));
    EXPECT_EQ(Frame()->windowTitle(), "Morvet");

    QTest::keyClick(Frame(), Qt::Key_N, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(Frame()->CurrentMenu(), IDR_OBJECT_TYPE);
    EXPECT_EQ(Frame()->windowTitle(), "Morvet - Object2");
}

TEST_F(CommandTest, ToolbarHasNineteenButtonsInOrderWithTheirTooltips) {
    ASSERT_TRUE(Start());
    QStringList layout;
    for (QAction* a : Frame()->ToolBar()->actions())
        layout << (a->isSeparator() ? QStringLiteral("|") : a->toolTip());
    EXPECT_EQ(layout, QStringList({"New",
                                   "Open",
                                   "Save",
                                   "|",
                                   "Cut",
                                   "Copy",
                                   "Paste",
                                   "|",
                                   "Print",
                                   "|",
                                   "Selection Tool",
                                   "Center of Mass",
                                   "Open Polyline",
                                   "Filled Polygon",
                                   "Rectangle",
                                   "Filled Rectangle",
                                   "Circle",
                                   "Filled Circle",
                                   "|",
                                   "Custom color",
                                   "|",
                                   "Spin",
                                   "|",
                                   "About",
                                   "|",
                                   "Edit Vertices"}));
    for (QAction* a : Frame()->ToolBar()->actions()) {
        if (a->isSeparator())
            continue;
        EXPECT_EQ(a->icon().pixmap(16, 15).size(), QSize(16, 15)) << a->toolTip().toStdString();
        auto* button = qobject_cast<QToolButton*>(Frame()->ToolBar()->widgetForAction(a));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), a->toolTip());
    }
    EXPECT_EQ(Frame()->ToolBar()->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(Frame()->ToolBar()->isFloatable());
    EXPECT_EQ(Frame()->toolBarArea(Frame()->ToolBar()), Qt::TopToolBarArea);
}

TEST_F(CommandTest, WithoutADocumentOnlyTheApplicationsCommandsAreEnabled) {
    ASSERT_TRUE(Start());
    Frame()->Children()[0]->close();
    Idle();
    CCommandActions& actions = Frame()->Actions();
    for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_CLOSE, ID_EDIT_CUT, ID_EDIT_COPY,
                   ID_EDIT_PASTE, ID_FILE_PRINT, ID_TOOL_SELECT, ID_TOOL_POLYGON,
                   ID_TOOL_FILLED_CIRCLE, ID_OBJECT_FILL_COLOR, ID_OBJECT_SPIN, ID_WINDOW_NEW})
        EXPECT_FALSE(actions.Action(id)->isEnabled()) << id;
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_PRINT_SETUP, ID_APP_ABOUT, ID_APP_EXIT,
                   ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
        EXPECT_TRUE(actions.Action(id)->isEnabled()) << id;
    // The keys of the document commands do nothing and ask nothing.
    QTest::keyClick(Frame(), Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(Frame(), Qt::Key_Delete);
    EXPECT_TRUE(user.messages.isEmpty());
    EXPECT_TRUE(user.proposedNames.isEmpty());
}

TEST_F(CommandTest, ADisabledCommandNeverRunsNotEvenFromItsKey) {
    ASSERT_TRUE(Start());
    int runs = 0;
    bool enabled = false;
    Frame()->Router().Add(
        {ID_NEXT_PANE, nullptr, nullptr, nullptr, {PlainKey(Qt::Key_F6)}}, [&] { ++runs; },
        [&](CCmdUI* ui) { ui->Enable(enabled); });
    // The state is asked at the moment of the key, whatever the last idle
    // update showed.
    QTest::keyClick(View(), Qt::Key_F6);
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(Frame()->ExecuteCommand(ID_NEXT_PANE));
    enabled = true;
    QTest::keyClick(View(), Qt::Key_F6);
    EXPECT_EQ(runs, 1);
    QTest::keyClick(View(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(runs, 1);
}

TEST_F(CommandTest, AcceleratorsReachTheActiveViewsCommands) {
    WriteObjectFile("three.vrk", 3);
    ASSERT_TRUE(Start({Path("three.vrk")}));
    Idle();
    EXPECT_FALSE(Frame()->Actions().Action(ID_EDIT_CLEAR)->isEnabled());
    QTest::keyClick(View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(View()->Selection().size(), 3u);
    Idle();
    EXPECT_TRUE(Frame()->Actions().Action(ID_EDIT_CLEAR)->isEnabled());
    QTest::keyClick(View(), Qt::Key_Insert, Qt::ControlModifier); // copy
    QTest::keyClick(View(), Qt::Key_Delete);                      // clear
    EXPECT_EQ(Doc()->m_shape.GetSize(), 0);
    EXPECT_TRUE(Doc()->IsModified());
    QTest::keyClick(View(), Qt::Key_Backspace, Qt::AltModifier); // undo
    EXPECT_EQ(Doc()->m_shape.GetSize(), 3);
    QTest::keyClick(View(), Qt::Key_Insert, Qt::ShiftModifier); // paste
    EXPECT_EQ(Doc()->m_shape.GetSize(), 6);

    QTest::keyClick(View(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Doc()->GetTitle(), "Object1");
    EXPECT_EQ(DocCount(), 2);
}

TEST_F(CommandTest, KeysMatchWithExactModifiersAndKeypadKeysOnlyFromTheKeypad) {
    ASSERT_TRUE(Start());
    const auto CommandFor = [this](int key, Qt::KeyboardModifiers mods,
                                   const QString& text = QString()) {
        return ::CommandFor(Frame()->Router(), key, mods, text);
    };
    // "-" and "=" are typed characters; keypad + and - are keys of their own.
    EXPECT_EQ(CommandFor(Qt::Key_Minus, Qt::NoModifier, "-"), ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(CommandFor(Qt::Key_Minus, Qt::KeypadModifier, "-"), ID_OBJECT_MOVE_BACK);
    EXPECT_EQ(CommandFor(Qt::Key_Equal, Qt::NoModifier, "="), ID_OBJECT_MOVE_FORWARD);
    EXPECT_EQ(CommandFor(Qt::Key_Plus, Qt::KeypadModifier, "+"), ID_OBJECT_MOVE_FORWARD);
    EXPECT_EQ(CommandFor(Qt::Key_Plus, Qt::ShiftModifier, "+"), 0);
    EXPECT_EQ(CommandFor(Qt::Key_Minus, Qt::ControlModifier, QString(QChar(0x1f))),
              ID_VIEW_ZOOM_OUT);
    // Zoom In on Ctrl with "+" however the layout makes it, with "=" and with
    // the keypad's plus; Zoom Out also from the keypad. Plain "=", "-" and the
    // keypad keys keep reordering.
    EXPECT_EQ(CommandFor(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier, "+"),
              ID_VIEW_ZOOM_IN);
    EXPECT_EQ(CommandFor(Qt::Key_Plus, Qt::ControlModifier, "+"), ID_VIEW_ZOOM_IN);
    EXPECT_EQ(CommandFor(Qt::Key_Equal, Qt::ControlModifier), ID_VIEW_ZOOM_IN);
    EXPECT_EQ(CommandFor(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier), ID_VIEW_ZOOM_IN);
    EXPECT_EQ(CommandFor(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier),
              ID_VIEW_ZOOM_OUT);
    EXPECT_EQ(CommandFor(Qt::Key_0, Qt::ControlModifier), ID_VIEW_ACTUAL_SIZE);
    EXPECT_EQ(CommandFor(Qt::Key_F, Qt::ControlModifier), ID_VIEW_FIT_OBJECT);
    EXPECT_EQ(CommandFor(Qt::Key_0, Qt::NoModifier, "0"), 0);
    EXPECT_EQ(CommandFor(Qt::Key_Minus, Qt::AltModifier, "-"), 0);

    EXPECT_EQ(CommandFor(Qt::Key_Z, Qt::ControlModifier), ID_EDIT_UNDO);
    EXPECT_EQ(CommandFor(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier), 0);
    EXPECT_EQ(CommandFor(Qt::Key_Backspace, Qt::AltModifier), ID_EDIT_UNDO);
    EXPECT_EQ(CommandFor(Qt::Key_Backspace, Qt::NoModifier), 0);
    EXPECT_EQ(CommandFor(Qt::Key_Delete, Qt::NoModifier), ID_EDIT_CLEAR);
    EXPECT_EQ(CommandFor(Qt::Key_Delete, Qt::KeypadModifier), ID_EDIT_CLEAR);
    EXPECT_EQ(CommandFor(Qt::Key_Delete, Qt::ShiftModifier), ID_EDIT_CUT);
    EXPECT_EQ(CommandFor(Qt::Key_Insert, Qt::ControlModifier), ID_EDIT_COPY);
    EXPECT_EQ(CommandFor(Qt::Key_Insert, Qt::ShiftModifier), ID_EDIT_PASTE);
    EXPECT_EQ(CommandFor(Qt::Key_Return, Qt::AltModifier), ID_OBJECT_PROPERTIES);
    EXPECT_EQ(CommandFor(Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier),
              ID_OBJECT_PROPERTIES);
    EXPECT_EQ(CommandFor(Qt::Key_Return, Qt::NoModifier), 0);
    EXPECT_EQ(CommandFor(Qt::Key_F6, Qt::NoModifier), ID_NEXT_PANE);
    EXPECT_EQ(CommandFor(Qt::Key_F6, Qt::ShiftModifier), ID_PREV_PANE);
    EXPECT_EQ(CommandFor(Qt::Key_A, Qt::ControlModifier), ID_EDIT_SELECT_ALL);
    EXPECT_EQ(CommandFor(Qt::Key_R, Qt::ControlModifier), ID_OBJECT_RESIZE);
    EXPECT_EQ(CommandFor(Qt::Key_A, Qt::NoModifier, "a"), 0);
}

// A key registered for two commands runs only the first: the other one's key
// would do nothing without a word. Every key of every registration, pressed,
// must reach its own command.
TEST_F(CommandTest, EveryRegisteredKeyReachesItsOwnCommand) {
    ASSERT_TRUE(Start());
    const CCommandRouter& router = Frame()->Router();
    int keys = 0;
    for (int id = 1; id <= 0xFFFF; ++id) {
        const CCommandInfo* info = router.Info(id);
        if (!info)
            continue;
        for (const CCommandKey& k : info->keys) {
            Qt::KeyboardModifiers mods;
            mods.setFlag(Qt::ShiftModifier, k.shift);
            mods.setFlag(Qt::ControlModifier, k.ctrl);
            mods.setFlag(Qt::AltModifier, k.alt);
            mods.setFlag(Qt::KeypadModifier, k.keypad);
            const bool character = k.kind == CCommandKey::Character;
            EXPECT_EQ(CommandFor(router, character ? int(Qt::Key_unknown) : k.key, mods,
                                 character ? QString(QChar(k.key)) : QString()),
                      id)
                << "key " << k.key << " of command " << id;
            ++keys;
        }
    }
    EXPECT_EQ(keys, 37);
}

TEST_F(CommandTest, SimulateFollowsSpinInTheObjectMenuOnCtrlT) {
    ASSERT_TRUE(Start());
    const QStringList items = Items(Frame()->Menu(IDR_OBJECT_TYPE, 2));
    const qsizetype spin = items.indexOf("Spin");
    ASSERT_GE(spin, 0);
    ASSERT_LT(spin + 1, items.size());
    EXPECT_EQ(items[spin + 1], "&Simulate...\tCtrl+T");
    EXPECT_EQ(CommandFor(Frame()->Router(), Qt::Key_T, Qt::ControlModifier), ID_OBJECT_SIMULATE);
    EXPECT_TRUE(Frame()->Actions().Action(ID_OBJECT_SIMULATE)->isEnabled());
    Frame()->Children()[0]->close();
    Idle();
    EXPECT_FALSE(Frame()->Actions().Action(ID_OBJECT_SIMULATE)->isEnabled());
}
