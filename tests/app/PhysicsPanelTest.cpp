// The Physics panel, Center of Mass at Centroid and File > Export on the real
// main window, driven by real mouse events.
#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "dialogs/CExportDialog.h"
#include "panels/CPhysicsPanel.h"
#include "panels/CSimulationWindow.h"
#include "panels/CUnitsPerMetre.h"
#include "physics/Box2DExport.h"
#include "physics/PhysicsReport.h"
#include "simulation/SimulationRunner.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QSignalSpy>
#include <QThreadPool>

namespace {

class PhysicsPanelTest : public AppFixture {
protected:
    // Lets the editor idle until the panel shows the object as it stands.
    bool Settle() {
        CPhysicsPanel* panel = app->PhysicsPanel();
        return QTest::qWaitFor(
            [&] {
                Idle();
                return panel->IsUpToDate();
            },
            20000);
    }
};

// Adds an element given in file coordinates (relative to the center of mass).
void AddFileElement(CMorvetDoc* doc, int type, std::vector<POINT> pts) {
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
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(panel->isHidden());
    EXPECT_TRUE(Frame()->Actions().Action(ID_VIEW_PHYSICS_PANEL)->isChecked());
    EXPECT_EQ(panel->RebuildCount(), 1);
    EXPECT_EQ(panel->Figure(0), "1200 units²");
    EXPECT_EQ(panel->Figure(1), "24000"); // density 20
    EXPECT_EQ(panel->Figure(2), "(40, 35)");
    Idle();
    EXPECT_EQ(panel->RebuildCount(), 1); // nothing changed

    // Drag the rectangle 10 units right with the select tool.
    const CPoint o = View()->Anchor();
    const QPoint start(o.x + 40, o.y + 35);
    QTest::mousePress(View(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 5; ++step) {
        QTest::mouseMove(View(), start + QPoint(2 * step, 0));
        Idle();
    }
    EXPECT_EQ(panel->RebuildCount(), 1) << "computed during the drag";
    QTest::mouseRelease(View(), Qt::LeftButton, {}, start + QPoint(10, 0));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(panel->RebuildCount(), 2);
    EXPECT_EQ(panel->Figure(2), "(50, 35)");

    // Undo is a change like any other.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_UNDO));
    ASSERT_TRUE(Settle());
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
    ASSERT_TRUE(Settle());
    QListWidget* list = panel->Problems();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(),
              "element 1: error: filled polygon's edges cross or touch at (20, 20)");

    const CPoint o = View()->Anchor();
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
    ASSERT_EQ(View()->Selection().size(), 1u);
    EXPECT_EQ(View()->Selection()[0], Doc()->m_shape.m_elements[1]);

    // The next change takes the mark away.
    AddFileElement(Doc(), PRIM_POLYLINE, {{100, 100}, {120, 100}});
    Idle();
    EXPECT_FALSE(View()->HasPlaceMark());
    EXPECT_FALSE(markAt(8, 0) || markAt(-8, 0));

    // Zoomed in far from the crossing, choosing its problem scrolls the window
    // to it and keeps the zoom.
    ASSERT_TRUE(Settle());
    View()->SetZoom(CZoom{16, 1}, CPoint(o.x - 80, o.y - 80));
    const auto crossingOnScreen = [&] {
        POINT at{o.x + 20, o.y + 20};
        View()->LogicalToDevice(&at);
        return QPoint(at.x, at.y);
    };
    ASSERT_FALSE(View()->rect().contains(crossingOnScreen()));
    list->setCurrentRow(-1);
    list->setCurrentRow(0);
    EXPECT_EQ(View()->Zoom(), (CZoom{16, 1}));
    const QPoint seen = crossingOnScreen();
    EXPECT_TRUE(View()->rect().adjusted(20, 20, -20, -20).contains(seen))
        << seen.x() << "," << seen.y();
    View()->UpdateWindow();
    const QImage& surface = View()->Surface();
    int yellowPixels = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            yellowPixels += surface.pixel(x, y) == yellow;
    EXPECT_GT(yellowPixels, 20); // the ring, drawn at the zoom
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
    const PhysicsModel after = BuildPhysicsModel(Doc()->m_shape);
    EXPECT_DOUBLE_EQ(after.mass.centroid.x(), -0.5);
    EXPECT_DOUBLE_EQ(after.mass.centroid.y(), 0);
    const POINT p = Doc()->m_shape.m_elements[1]->m_pPoints[0];
    EXPECT_EQ(p.x, 21 - 41);
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_EDIT_UNDO));
    for (int i = 0; i < before.GetSize(); ++i)
        EXPECT_EQ(Doc()->m_shape.m_elements[size_t(i)]->m_pPoints[0].x,
                  before.m_elements[size_t(i)]->m_pPoints[0].x);
}

TEST_F(PhysicsPanelTest, FileExportRefusesErrorsBeforeAskingAndTellsWhatItWrote) {
    ASSERT_TRUE(Start());
    std::deque<QString> names{Path("good.json")};
    QList<double> scales;
    app->Prompts().exportTarget = [&](QWidget*, const CExportTarget& proposed, double scale) {
        EXPECT_EQ(proposed.path, "Object1.json");
        EXPECT_EQ(proposed.format, ExportFormat::Box2D);
        scales << scale;
        return CExportTarget{ScriptedUser::Next(names)};
    };
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}});
    AddFileElement(Doc(), PRIM_CIRCLE, {{-50, -50}, {30, 30}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('\n').toStdString();
    EXPECT_EQ(scales, QList<double>{100});
    const PhysicsModel model = BuildPhysicsModel(Doc()->m_shape, 100);
    EXPECT_EQ(ReadFile("good.json").toStdString(), Box2DJson(model));
    EXPECT_EQ(Frame()->StatusText(),
              QStringLiteral("Exported good.json: 1 body, %1 fixtures, %2 units per metre")
                  .arg(model.fixtures.size())
                  .arg(QLocale().toString(100.0, 'f', 1)));

    // An object Box2D cannot take is refused before any file name is asked for.
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    EXPECT_EQ(scales.size(), 1);
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].contains("element 2: error: filled polygon's edges cross"))
        << user.messages[0].toStdString();
}

// The panel, every simulation window and the export share one remembered
// scale: a change in any field shows in the others and reaches the file.
TEST_F(PhysicsPanelTest, UnitsPerMetreIsOneSettingForPanelSimulationAndExport) {
    ASSERT_TRUE(Start());
    AddFileElement(Doc(), PRIM_POLYGON, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    ASSERT_TRUE(Settle());
    auto* panelField = app->PhysicsPanel()->findChild<QDoubleSpinBox*>("unitsPerMetre");
    ASSERT_TRUE(panelField);
    const auto type = [](QDoubleSpinBox* field, const char* text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    };
    type(panelField, "50");
    EXPECT_EQ(app->UnitsPerMetre().Value(), 50);

    QTest::keyClick(View(), Qt::Key_T, Qt::ControlModifier);
    CSimulationWindow* w = CSimulationWindow::Find(Doc());
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Settings().unitsPerMetre, 50);
    EXPECT_EQ(w->GetSimulation().Model().unitsPerMetre, 50);
    QDoubleSpinBox* simField = nullptr;
    for (auto* field : w->findChildren<QDoubleSpinBox*>())
        if (field->value() == 50)
            simField = field;
    ASSERT_TRUE(simField);
    EXPECT_EQ(simField->decimals(), 1);
    EXPECT_EQ(simField->maximum(), 400);

    type(simField, "62.5");
    EXPECT_EQ(panelField->value(), 62.5);
    EXPECT_EQ(w->GetSimulation().Model().unitsPerMetre, 62.5);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(app->PhysicsPanel()->Model().unitsPerMetre, 62.5);
    type(panelField, "80");
    EXPECT_EQ(simField->value(), 80);
    EXPECT_EQ(w->GetSimulation().Model().unitsPerMetre, 80); // restarted at the new scale

    double asked = 0;
    app->Prompts().exportTarget = [&](QWidget*, const CExportTarget&, double scale) {
        asked = scale;
        return CExportTarget{Path("scaled.json")};
    };
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    EXPECT_EQ(asked, 80);
    EXPECT_EQ(ReadFile("scaled.json").toStdString(),
              Box2DJson(BuildPhysicsModel(Doc()->m_shape, 80)));

    // Remembered for the next run, which shows it in both places.
    w->close();
    app.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(app->UnitsPerMetre().Value(), 80);
    AddFileElement(Doc(), PRIM_POLYGON, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_OBJECT_SIMULATE));
    ASSERT_TRUE(CSimulationWindow::Find(Doc()));
    EXPECT_EQ(CSimulationWindow::Find(Doc())->Settings().unitsPerMetre, 80);
    EXPECT_EQ(app->PhysicsPanel()->findChild<QDoubleSpinBox*>("unitsPerMetre")->value(), 80);
}

// A comb of thin teeth: one outline with many corners that the decomposition
// cuts into many pieces.
std::vector<POINT> Comb(int teeth) {
    std::vector<POINT> pts{{0, 0}};
    for (int i = 0; i < teeth; ++i) {
        pts.push_back({4 * i, 50});
        pts.push_back({4 * i + 2, 50});
        pts.push_back({4 * i + 2, 10});
        pts.push_back({4 * i + 4, 10});
    }
    pts.push_back({4 * teeth, 0});
    return pts;
}

TEST_F(PhysicsPanelTest, AnalysesACopyOnAWorkerAndShowsOnlyFiguresOfTheObjectAsItStands) {
    ASSERT_TRUE(Start());
    CPhysicsPanel* panel = app->PhysicsPanel();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    AddFileElement(Doc(), PRIM_POLYGON, {{20, 20}, {60, 20}, {60, 50}, {20, 50}});
    ASSERT_TRUE(Settle());
    ASSERT_EQ(panel->Figure(0), "1200 units²");
    const int rebuilds = panel->RebuildCount();

    QSignalSpy shown(panel, &CPhysicsPanel::FiguresShown);
    AddFileElement(Doc(), PRIM_POLYGON, Comb(300));
    Idle();
    // The analysis is under way and the previous figures stay meanwhile.
    EXPECT_TRUE(panel->IsAnalysing());
    EXPECT_EQ(panel->RebuildCount(), rebuilds + 1);
    EXPECT_EQ(panel->Figure(0), "1200 units²");
    // Changed again before its end: that result is of an object that is no
    // more, and is never shown.
    AddFileElement(Doc(), PRIM_POLYGON, {{-30, 0}, {-20, 0}, {-20, 10}, {-30, 10}});
    ASSERT_TRUE(Settle());
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(panel->RebuildCount(), rebuilds + 2);
    const PhysicsModel expected = BuildPhysicsModel(Doc()->m_shape);
    EXPECT_EQ(panel->Figure(0), FormatFigure(expected.mass.area) + " units²");
    EXPECT_EQ(panel->Figure(2), QString("(%1, %2)")
                                    .arg(FormatFigure(expected.mass.centroid.x()),
                                         FormatFigure(expected.mass.centroid.y())));
    EXPECT_EQ(panel->Model().fixtures.size(), expected.fixtures.size());
    EXPECT_EQ(panel->Problems()->count(), int(expected.problems.size()));

    // The window, then the whole program, closed mid-analysis: the worker
    // has its own copy and nothing freed is touched (the sanitizer build
    // would say so).
    AddFileElement(Doc(), PRIM_POLYGON, Comb(1500));
    Idle();
    EXPECT_TRUE(panel->IsAnalysing());
    user.answers.push_back(QMessageBox::No);
    Frame()->Children()[0]->close();
    Idle();
    EXPECT_EQ(panel->Figure(0), "-");
    AddFileElement(app->OnFileNew(), PRIM_POLYGON, Comb(1500));
    Idle();
    app.reset();
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// The dock keeps the width it has, whatever figures it shows, so the
// document windows beside it never move.
TEST_F(PhysicsPanelTest, TheDockKeepsItsWidthWhateverTheFigures) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_PHYSICS_PANEL));
    ASSERT_TRUE(Settle());
    const int width = app->PhysicsPanel()->width();
    const QRect area = Frame()->MdiArea()->geometry();
    const std::vector<std::vector<POINT>> objects = {
        {{-1000003, -700001}, {999999, -700001}, {999999, 900007}},
        {{-7, -3}, {1900001, 3}, {1900001, 1700003}, {-7, 1300001}},
        {{13, 17}, {-1999999, 17}, {-1999999, -1999997}},
        {{0, 0}, {10, 10}, {10, 0}, {0, 10}},
    };
    for (const auto& pts : objects) {
        AddFileElement(Doc(), PRIM_POLYGON, pts);
        ASSERT_TRUE(Settle());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        Idle();
        EXPECT_EQ(app->PhysicsPanel()->width(), width)
            << app->PhysicsPanel()->Figure(2).toStdString();
        EXPECT_EQ(Frame()->MdiArea()->geometry(), area);
    }
    EXPECT_GT(app->PhysicsPanel()->Figure(4).size(), 10);
}

// The save dialog offers each format as a file type and shows the pixels per
// unit for the pixel formats; File > Export writes the chosen one and offers it
// again, in this run and the next.
TEST_F(PhysicsPanelTest, FileExportWritesTheChosenFormatAndRemembersIt) {
    {
        CExportDialog dialog(nullptr, {Path("obj.tscn"), ExportFormat::Godot, 2.5}, 100);
        auto* pixels = dialog.findChild<QDoubleSpinBox*>("pixelsPerUnit");
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_TRUE(pixels && types);
        EXPECT_EQ(types->count(), 4);
        EXPECT_TRUE(pixels->isVisibleTo(&dialog));
        EXPECT_EQ(pixels->value(), 2.5);
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up); // Box2D, first in the list
        EXPECT_EQ(dialog.Target().format, ExportFormat::Box2D);
        EXPECT_FALSE(pixels->isVisibleTo(&dialog));
        QTest::keyClick(types, Qt::Key_End); // LÖVE
        EXPECT_EQ(dialog.Target().format, ExportFormat::Love);
        EXPECT_TRUE(pixels->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.defaultSuffix(), "lua");
    }
    ASSERT_TRUE(Start());
    AddFileElement(Doc(), PRIM_POLYGON, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}});
    QList<CExportTarget> offered;
    const auto choose = [&](QWidget*, const CExportTarget& proposed, double) {
        offered << proposed;
        return CExportTarget{Path("body.tscn"), ExportFormat::Godot, 2};
    };
    app->Prompts().exportTarget = choose;
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    EXPECT_TRUE(ReadFile("body.tscn").startsWith("[gd_scene load_steps=2 format=3]"));
    EXPECT_TRUE(Frame()->StatusText().endsWith(", 2 pixels per unit"))
        << Frame()->StatusText().toStdString();
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    app.reset();
    ASSERT_TRUE(Start());
    app->Prompts().exportTarget = choose;
    AddFileElement(Doc(), PRIM_POLYGON, {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}});
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_FILE_EXPORT));
    ASSERT_EQ(offered.size(), 3);
    EXPECT_EQ(offered[0].format, ExportFormat::Box2D);
    EXPECT_EQ(offered[0].pixelsPerUnit, 1);
    for (const CExportTarget& later : {offered[1], offered[2]}) {
        EXPECT_EQ(later.format, ExportFormat::Godot);
        EXPECT_EQ(later.pixelsPerUnit, 2);
        EXPECT_TRUE(later.path.endsWith(".tscn")) << later.path.toStdString();
    }
}

TEST_F(PhysicsPanelTest, FileExportLeavesTheObjectsOwnFileAndFoldersAlone) {
    ASSERT_TRUE(Start());
    AddFileElement(Doc(), PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {0, 80}});
    ASSERT_TRUE(Doc()->OnSaveDocument(Path("own.vrk")));
    Doc()->SetPathName(Path("own.vrk"));
    const QByteArray saved = ReadFile("own.vrk");
    ASSERT_TRUE(QDir(Path("")).mkdir("folder.json"));
    std::deque<QString> names{Path("own.vrk"), Path("folder.json")};
    app->Prompts().exportTarget = [&](QWidget*, const CExportTarget&, double) {
        return CExportTarget{ScriptedUser::Next(names)};
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
