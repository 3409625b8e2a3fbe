#include "app/PhysicsCommands.h"

#include "app/CMainFrame.h"
#include "app/CShellPrompts.h"
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "panels/CPhysicsPanel.h"
#include "panels/CSimulationWindow.h"
#include "panels/CUnitsPerMetre.h"
#include "physics/Box2DExport.h"
#include "physics/PhysicsReport.h"
#include "platform/OutputPath.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>
#include <cmath>
#include <limits>

namespace {

// One undoable step: the object moves so that its centroid, rounded to the
// nearest unit, falls on the center of mass.
void CenterAtCentroid(CMorvetDoc* doc, const CMorvetView* view) {
    if (!doc)
        return;
    const PhysicsModel model = BuildPhysicsModel(doc->m_shape);
    if (!(model.mass.area > 0))
        return;
    const double x = std::round(model.mass.centroid.x());
    const double y = std::round(model.mass.centroid.y());
    constexpr double kLimit = std::numeric_limits<int32_t>::max() / 2;
    if ((x == 0 && y == 0) || !(std::abs(x) < kLimit && std::abs(y) < kLimit))
        return;
    // The move stops at the ends of the 32-bit range where the active window
    // shows the object, its logical units.
    const CPoint origin = view && view->GetDocument() == doc ? view->Anchor() : CPoint();
    const CPoint back = -origin;
    CDocEdit edit(*doc, nullptr);
    doc->m_shape.Move(origin.x, origin.y);
    doc->m_shape.Transform(origin.x + int32_t(x), origin.y + int32_t(y), origin.x, origin.y, 0.0,
                           1.0, 1.0);
    doc->m_shape.Move(back.x, back.y);
}

// The errors of an object Box2D cannot take, as a message: the first few, and
// how many more.
QString ObjectErrorsText(const PhysicsModel& model) {
    QStringList lines;
    for (const PhysicsProblem& p : model.problems)
        if (p.severity == PhysicsProblem::Error)
            lines << FormatProblem(p);
    constexpr int kShown = 10;
    const int more = int(lines.size()) - kShown;
    if (more > 0) {
        lines = lines.mid(0, kShown);
        lines << QStringLiteral("... and %1 more").arg(more);
    }
    return QStringLiteral("The object was not exported: Box2D cannot take it as it is.\n\n%1"
                          "\n\nView > Physics Panel lists every problem and shows its place.")
        .arg(lines.join(QLatin1Char('\n')));
}

// The object is checked before a file name is asked for, so that nobody
// chooses a name for nothing; what was written is told in the status bar.
void Export(CMainFrame& frame, const CUnitsPerMetre& units, CShellPrompts& prompts) {
    CMorvetDoc* doc = frame.ActiveDocument();
    if (!doc || !prompts.exportFileName)
        return;
    const double unitsPerMetre = units.Value();
    const PhysicsModel model = BuildPhysicsModel(doc->m_shape, unitsPerMetre);
    if (model.HasErrors()) {
        if (prompts.message)
            prompts.message(&frame, QMessageBox::Warning, ObjectErrorsText(model), QMessageBox::Ok);
        return;
    }
    const QString saved = doc->GetPathName();
    const QString proposed = saved.isEmpty() ? doc->GetTitle() + QStringLiteral(".json")
                                             : QFileInfo(saved).path() + QLatin1Char('/') +
                                                   QFileInfo(saved).completeBaseName() +
                                                   QStringLiteral(".json");
    const QString path = prompts.exportFileName(&frame, proposed, unitsPerMetre);
    if (path.isEmpty())
        return;
    QString why = RefuseOutputPath(path, {doc->GetPathName()});
    const ExportResult result = why.isEmpty()
                                    ? ExportBox2DFile(doc->m_shape, unitsPerMetre, path, &why)
                                    : ExportResult::WriteFailed;
    if (result == ExportResult::Written) {
        const int fixtures = int(model.fixtures.size());
        frame.statusBar()->showMessage(
            QStringLiteral("Exported %1: 1 body, %2 fixture%3, %4 units per metre")
                .arg(QFileInfo(path).fileName())
                .arg(fixtures)
                .arg(fixtures == 1 ? QString() : QStringLiteral("s"))
                .arg(QLocale().toString(unitsPerMetre, 'f', CUnitsPerMetre::kDecimals)));
        return;
    }
    if (!prompts.message)
        return;
    const QString text = result == ExportResult::ObjectErrors
                             ? ObjectErrorsText(model)
                             : QStringLiteral("Cannot export to %1.\n%2").arg(path, why);
    prompts.message(&frame, QMessageBox::Warning, text, QMessageBox::Ok);
}

} // namespace

void RegisterPhysicsCommands(CMainFrame& frame, CPhysicsPanel& panel, CUnitsPerMetre& units,
                             CShellPrompts& prompts) {
    CCommandRouter& router = frame.Router();
    router.Add(
        {ID_VIEW_PHYSICS_PANEL, "&Physics Panel",
         "Show or hide the object's mass, centroid, inertia and physics problems",
         "Toggle Physics Panel"},
        [&panel] { panel.Toggle(); },
        [&panel](CCmdUI* ui) { ui->SetCheck(panel.isHidden() ? 0 : 1); });
    router.Add(
        {ID_OBJECT_CENTER_AT_CENTROID, "Center of Mass at C&entroid",
         "Move the center of mass to the object's centroid", "Center of Mass at Centroid"},
        [&frame] { CenterAtCentroid(frame.ActiveDocument(), frame.ActiveView()); },
        [&frame](CCmdUI* ui) {
            const CMorvetDoc* doc = frame.ActiveDocument();
            ui->Enable(doc && HasPositiveArea(doc->m_shape));
        });
    router.Add(
        {ID_FILE_EXPORT, "&Export...", "Export the object as a Box2D body (b2dJson)", "Export"},
        [&frame, &units, &prompts] { Export(frame, units, prompts); },
        [&frame](CCmdUI* ui) { ui->Enable(frame.ActiveDocument() != nullptr); });
    // The simulation shows the object as the document holds it, at the
    // program's scale; its window stands beside the main window.
    router.Add(
        {ID_OBJECT_SIMULATE,
         "&Simulate...\tCtrl+T",
         "Drop the object onto a floor in a physics simulation",
         "Simulate",
         {CtrlKey(Qt::Key_T)}},
        [&frame, &units] {
            if (CMorvetDoc* doc = frame.ActiveDocument())
                CSimulationWindow::Open(doc, &frame, units);
        },
        [&frame](CCmdUI* ui) { ui->Enable(frame.ActiveDocument() != nullptr); });
    frame.AddIdleHandler([&panel] { panel.OnIdle(); });
}
