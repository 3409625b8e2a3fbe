#include "app/PhysicsCommands.h"

#include "app/CMainFrame.h"
#include "app/CShellPrompts.h"
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "panels/CPhysicsPanel.h"
#include "panels/CSimulationWindow.h"
#include "panels/CUnitsPerMetre.h"
#include "physics/EngineExport.h"
#include "physics/PhysicsReport.h"
#include "platform/OutputPath.h"
#include "res/CommandIds.h"
#include "view/CMorvetView.h"

#include <QFileInfo>
#include <QLocale>
#include <QSettings>
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

const QString kFormatKey = QStringLiteral("Export/Format");
const QString kPixelsKey = QStringLiteral("Export/PixelsPerUnit");

// The format and pixels per unit of the last export, Box2D at 1 at first.
CExportTarget LastExport(const QSettings& settings) {
    CExportTarget last;
    const QString word = settings.value(kFormatKey).toString();
    for (ExportFormat f : {ExportFormat::Godot, ExportFormat::Phaser, ExportFormat::Love})
        if (word == FormatWord(f))
            last.format = f;
    bool ok = false;
    const double pixels = settings.value(kPixelsKey, 1.0).toDouble(&ok);
    if (ok && pixels >= kMinPixelsPerUnit && pixels <= kMaxPixelsPerUnit)
        last.pixelsPerUnit = pixels;
    return last;
}

// The object is checked before a file name is asked for, so that nobody
// chooses a name for nothing; what was written is told in the status bar.
void Export(CMainFrame& frame, const CUnitsPerMetre& units, CShellPrompts& prompts,
            QSettings& settings) {
    CMorvetDoc* doc = frame.ActiveDocument();
    if (!doc || !prompts.exportTarget)
        return;
    const double unitsPerMetre = units.Value();
    const PhysicsModel model = BuildPhysicsModel(doc->m_shape, unitsPerMetre);
    if (model.HasErrors()) {
        if (prompts.message)
            prompts.message(&frame, QMessageBox::Warning, ObjectErrorsText(model), QMessageBox::Ok);
        return;
    }
    CExportTarget proposed = LastExport(settings);
    const QString suffix = QLatin1Char('.') + CExportDialog::Suffix(proposed.format);
    const QString saved = doc->GetPathName();
    proposed.path = saved.isEmpty() ? doc->GetTitle() + suffix
                                    : QFileInfo(saved).path() + QLatin1Char('/') +
                                          QFileInfo(saved).completeBaseName() + suffix;
    const CExportTarget target = prompts.exportTarget(&frame, proposed, unitsPerMetre);
    const QString& path = target.path;
    if (path.isEmpty())
        return;
    settings.setValue(kFormatKey, FormatWord(target.format));
    settings.setValue(kPixelsKey, target.pixelsPerUnit);
    QString why = RefuseOutputPath(path, {doc->GetPathName()});
    const ExportResult result =
        why.isEmpty() ? ExportFile(doc->m_shape,
                                   {target.format, unitsPerMetre, target.pixelsPerUnit}, path, &why)
                      : ExportResult::WriteFailed;
    if (result == ExportResult::Written) {
        const int fixtures = int(model.fixtures.size());
        QString text = QStringLiteral("Exported %1: 1 body, %2 fixture%3, %4 units per metre")
                           .arg(QFileInfo(path).fileName())
                           .arg(fixtures)
                           .arg(fixtures == 1 ? QString() : QStringLiteral("s"))
                           .arg(QLocale().toString(unitsPerMetre, 'f', CUnitsPerMetre::kDecimals));
        if (UsesPixels(target.format))
            text += QStringLiteral(", %1 pixels per unit")
                        .arg(QLocale().toString(target.pixelsPerUnit, 'g', 6));
        frame.statusBar()->showMessage(text);
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
                             CShellPrompts& prompts, QSettings& settings) {
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
        {ID_FILE_EXPORT, "&Export...",
         "Export the object as a body for Box2D, Godot, Phaser/Matter or L\u00D6VE", "Export"},
        [&frame, &units, &prompts, &settings] { Export(frame, units, prompts, settings); },
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
