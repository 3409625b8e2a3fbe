// The Physics panel, Center of Mass at Centroid and File > Export on the real
// main window, driven by real mouse events.
#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "app/CPhysicsPanel.h"
#include "physics/Box2DExport.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>

namespace {

using PhysicsPanelTest = AppFixture;

// Adds an element given in file coordinates (relative to the center of mass).
void AddFileElement(CMorvetDoc* doc, int type, std::vector<POINT> pts) {
    for (POINT& p : pts)
        p = POINT{p.x + doc->m_origin.x, p.y + doc->m_origin.y};
    doc->AddElement(type, RGB(0, 0, 255), int32_t(pts.size()), pts.data());
}

TEST_F(PhysicsPanelTest, FollowsTheObjectOncePerDragAndIsRemembered) {
    ASSERT_TRUE(Start());
    CPhysicsPanel* panel = app->PhysicsPanel();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(Frame()->Actions().Action(ID_VIEW_PHYSICS_PANEL)->isChecked());
    AddFileElement(Doc(), PRIM_POLYGON, {{20, 20}, {60, 20}, {60, 50}, {20, 50}});
    Idle();
    EXPECT_EQ(panel->RebuildCount(), 0); // hidden: nothing computed

    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    Idle();
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(Frame()->Actions().Action(ID_VIEW_PHYSICS_PANEL)->isChecked());
    EXPECT_EQ(panel->RebuildCount(), 1);
    EXPECT_EQ(panel->Figure(0), "1200 units²");
    EXPECT_EQ(panel->Figure(1), "24000"); // density 20
    EXPECT_EQ(panel->Figure(2), "(40, 35)");
    Idle();
    EXPECT_EQ(panel->RebuildCount(), 1); // nothing changed

    // Drag the rectangle 10 units right with the select tool.
    const CPoint o = Doc()->m_origin;
    const QPoint start(o.x + 40, o.y + 35);
    QTest::mousePress(View(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 5; ++step) {
        QTest::mouseMove(View(), start + QPoint(2 * step, 0));
        Idle();
    }
    EXPECT_EQ(panel->RebuildCount(), 1) << "computed during the drag";
    QTest::mouseRelease(View(), Qt::LeftButton, {}, start + QPoint(10, 0));
    Idle();
    EXPECT_EQ(panel->RebuildCount(), 2);
    EXPECT_EQ(panel->Figure(2), "(50, 35)");

    // Undo is a change like any other.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_UNDO));
    Idle();
    EXPECT_EQ(panel->Figure(2), "(40, 35)");

    // Shown at the next start, as it was left.
    app.reset();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(app->PhysicsPanel()->isHidden());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    app.reset();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app->PhysicsPanel()->isHidden());
}

TEST_F(PhysicsPanelTest, AProblemSelectsItsElementAndMarksItsPlace) {
    ASSERT_TRUE(Start());
    CPhysicsPanel* panel = app->PhysicsPanel();
    Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL);
    AddFileElement(Doc(), PRIM_POLYGON, {{-80, -80}, {-40, -80}, {-40, -40}, {-80, -40}});
    AddFileElement(Doc(), PRIM_POLYGON,
                   {{0, 0}, {40, 40}, {40, 0}, {0, 40}}); // crosses at (20, 20)
    Idle();
    QListWidget* list = panel->Problems();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(),
              "element 1: error: filled polygon's edges cross or touch at (20, 20)");

    const CPoint o = Doc()->m_origin;
    const QRgb yellow = qRgb(255, 255, 0);
    const auto markAt = [&](int dx, int dy) {
        View()->UpdateWindow();
        return View()->Surface().pixel(o.x + 20 + dx, o.y + 20 + dy) == yellow;
    };
    EXPECT_FALSE(markAt(8, 0));
    list->setCurrentRow(0);
    EXPECT_TRUE(View()->HasPlaceMark());
    EXPECT_TRUE(markAt(8, 0) || markAt(-8, 0)); // the ring around the crossing

    // Double-click: the element is selected in the active window.
    const QRect r = list->visualItemRect(list->item(0));
    // A real double click: press, release, double-click, release.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(View()->m_selection.size(), 1u);
    EXPECT_EQ(View()->m_selection[0], Doc()->m_shape.m_elements[1]);

    // The next change takes the mark away.
    AddFileElement(Doc(), PRIM_POLYLINE, {{100, 100}, {120, 100}});
    Idle();
    EXPECT_FALSE(View()->HasPlaceMark());
    EXPECT_FALSE(markAt(8, 0) || markAt(-8, 0));
}

TEST_F(PhysicsPanelTest, CenterOfMassAtCentroidIsOneUndoableStep) {
    ASSERT_TRUE(Start());
    QAction* command = Frame()->Actions().Action(ID_OBJECT_CENTER_AT_CENTROID);
    EXPECT_FALSE(command->isEnabled());                            // no area
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {3, 3}, {6, 6}}); // flat: still no area
    Idle();
    EXPECT_FALSE(command->isEnabled());
    AddFileElement(Doc(), PRIM_POLYGON, {{21, 10}, {60, 10}, {60, 50}, {21, 50}});
    Doc()->SetModifiedFlag(false);
    const CShape before = Doc()->m_shape;
    Idle();
    ASSERT_TRUE(command->isEnabled());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OBJECT_CENTER_AT_CENTROID));
    Idle();
    EXPECT_TRUE(Doc()->IsModified());
    // Centroid (40.5, 30) rounds to (41, 30).
    const PhysicsModel after = BuildPhysicsModel(Doc()->m_shape, Doc()->m_origin);
    EXPECT_DOUBLE_EQ(after.mass.centroid.x(), -0.5);
    EXPECT_DOUBLE_EQ(after.mass.centroid.y(), 0);
    const POINT p = Doc()->m_shape.m_elements[1]->m_pPoints[0];
    EXPECT_EQ(p.x - Doc()->m_origin.x, 21 - 41);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_UNDO));
    for (int i = 0; i < before.GetSize(); ++i)
        EXPECT_EQ(Doc()->m_shape.m_elements[size_t(i)]->m_pPoints[0].x,
                  before.m_elements[size_t(i)]->m_pPoints[0].x);
}

TEST_F(PhysicsPanelTest, FileExportWritesWhatTheToolWritesAndRefusesErrors) {
    ASSERT_TRUE(Start());
    std::deque<QString> names{Path("good.json"), Path("bad.json")};
    app->Prompts().exportFileName = [&](QWidget*, const QString& proposed) {
        EXPECT_EQ(proposed, "Object1.json");
        return ScriptedUser::Next(names);
    };
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}});
    AddFileElement(Doc(), PRIM_CIRCLE, {{-50, -50}, {30, 30}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('\n').toStdString();
    const PhysicsModel model = BuildPhysicsModel(Doc()->m_shape, Doc()->m_origin, 100);
    EXPECT_EQ(ReadFile("good.json").toStdString(), Box2DJson(model));

    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("element 2: error: filled polygon's edges cross"))
        << user.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(Path("bad.json")));
}

TEST_F(PhysicsPanelTest, FileExportLeavesTheObjectsOwnFileAndFoldersAlone) {
    ASSERT_TRUE(Start());
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {0, 80}});
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("own.vrk")));
    Doc()->SetPathName(Path("own.vrk"));
    const QByteArray saved = ReadFile("own.vrk");
    ASSERT_TRUE(QDir(Path("")).mkdir("folder.json"));
    std::deque<QString> names{Path("own.vrk"), Path("folder.json")};
    app->Prompts().exportFileName = [&](QWidget*, const QString&) {
        return ScriptedUser::Next(names);
    };
    for (const char* why : {"it is the file being read", "it is a folder"}) {
        user.messages.clear();
        ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
        ASSERT_EQ(user.messages.size(), 1);
        EXPECT_TRUE(user.messages[0].contains(why)) << user.messages[0].toStdString();
    }
    EXPECT_EQ(ReadFile("own.vrk"), saved);
    EXPECT_TRUE(QFileInfo(Path("folder.json")).isDir());
}

} // namespace
