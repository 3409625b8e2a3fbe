#include "app/CPhysicsPanel.h"

#include "app/CMainFrame.h"
#include "document/CMorvetDoc.h"
#include "physics/Box2DCheck.h"
#include "physics/PhysicsReport.h"
#include "view/CMorvetView.h"

#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QVBoxLayout>
#include <cstring>

namespace {
const QString kVisibleKey = QStringLiteral("Physics/PanelVisible");
const QString kScaleKey = QStringLiteral("Physics/UnitsPerMetre");
// File units, relative to the center of mass, y down.
const char* const kFigureNames[] = {"Area:",
                                    "Mass:",
                                    "Centroid:",
                                    "Centroid's distance:",
                                    "Inertia (center of mass):",
                                    "Inertia (centroid):"};
enum { kElementRole = Qt::UserRole, kHasPlaceRole, kPlaceRole };

struct Hasher {
    uint64_t h = 1469598103934665603ULL;
    void Add(uint64_t v) {
        h ^= v;
        h *= 1099511628211ULL;
        h ^= h >> 29;
    }
};
} // namespace

uint64_t PhysicsFingerprint(const CMorvetDoc& doc) {
    const CShape& s = doc.m_shape;
    Hasher hash;
    uint64_t density = 0;
    std::memcpy(&density, &s.m_dMassDensity, sizeof density);
    hash.Add(density);
    hash.Add(uint64_t(uint32_t(s.m_nPolarity)) << 32 | uint32_t(s.m_bMayRotate));
    hash.Add(uint64_t(s.m_elements.size()));
    const int64_t ox = doc.m_origin.x, oy = doc.m_origin.y;
    for (const CPrimitive* p : s.m_elements) {
        hash.Add(uint64_t(uint32_t(p->m_nType)) << 32 | uint32_t(p->m_nPoints));
        const bool circle = !p->IsPath();
        for (int i = 0; i < p->m_nPoints; ++i) {
            // A circle's radius is a length, not a place.
            const bool length = circle && i == 1;
            const int64_t x = p->m_pPoints[i].x - (length ? 0 : ox);
            const int64_t y = p->m_pPoints[i].y - (length ? 0 : oy);
            hash.Add(uint64_t(x) * 0x9E3779B97F4A7C15ULL ^ uint64_t(y));
        }
    }
    return hash.h;
}

CPhysicsPanel::CPhysicsPanel(CMainFrame& frame, QSettings& settings)
    : QDockWidget(QStringLiteral("Physics"), &frame), m_frame(frame), m_settings(settings) {
    setObjectName(QStringLiteral("physicsPanel"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* form = new QFormLayout;
    // A narrow dock puts each figure under its name rather than cutting it off.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    for (int i = 0; i < 6; ++i) {
        m_figures[i] = new QLabel(body);
        m_figures[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_figures[i]->setToolTip(i == 2 ? QStringLiteral("Relative to the center of mass, y down")
                                        : QString());
        form->addRow(QString::fromUtf8(kFigureNames[i]), m_figures[i]);
    }
    m_scale = new QDoubleSpinBox(body);
    m_scale->setRange(kMinUnitsPerMetre, kMaxUnitsPerMetre);
    m_scale->setDecimals(1);
    m_scale->setValue(settings.value(kScaleKey, kDefaultUnitsPerMetre).toDouble());
    m_scale->setToolTip(QStringLiteral("The scale of the Box2D checks and of File > Export"));
    form->addRow(QStringLiteral("Units per metre:"), m_scale);
    layout->addLayout(form);
    m_summary = new QLabel(body);
    layout->addWidget(m_summary);
    m_problems = new QListWidget(body);
    m_problems->setObjectName(QStringLiteral("physicsProblems"));
    m_problems->setWordWrap(true);
    layout->addWidget(m_problems, 1);
    setWidget(body);

    connect(m_scale, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this](double v) {
        m_settings.setValue(kScaleKey, v);
        m_stale = true;
        OnIdle();
    });
    connect(m_problems, &QListWidget::itemDoubleClicked, this, &CPhysicsPanel::OnProblemActivated);
    connect(m_problems, &QListWidget::itemActivated, this, &CPhysicsPanel::OnProblemActivated);
    connect(m_problems, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { OnProblemSelected(item); });

    ShowFigures();
}

void CPhysicsPanel::RestoreVisibility() {
    setVisible(m_settings.value(kVisibleKey, false).toBool());
}

double CPhysicsPanel::UnitsPerMetre() const {
    return m_scale->value();
}

QString CPhysicsPanel::Figure(int row) const {
    return row >= 0 && row < 6 ? m_figures[row]->text() : QString();
}

void CPhysicsPanel::Toggle() {
    setVisible(isHidden());
    m_settings.setValue(kVisibleKey, !isHidden());
    m_stale = true;
}

void CPhysicsPanel::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (event->isAccepted())
        m_settings.setValue(kVisibleKey, false);
}

void CPhysicsPanel::OnIdle() {
    if (isHidden())
        return;
    // Mid-drag the object changes with every step; the figures wait for the release.
    if (QWidget::mouseGrabber() || QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    CMorvetDoc* doc = m_frame.ActiveDocument();
    const uint64_t fingerprint = doc ? PhysicsFingerprint(*doc) : 0;
    if (!m_stale && doc == m_docSeen && fingerprint == m_fingerprint)
        return;
    Rebuild(doc, fingerprint);
}

void CPhysicsPanel::Rebuild(CMorvetDoc* doc, uint64_t fingerprint) {
    ++m_rebuilds;
    m_stale = false;
    m_docSeen = doc;
    m_fingerprint = fingerprint;
    ClearPlaceMark();
    m_model =
        doc ? CheckForBox2D(doc->m_shape, doc->m_origin, UnitsPerMetre()).model : PhysicsModel();
    ShowFigures();
}

void CPhysicsPanel::ShowFigures() {
    const bool any = m_docSeen != nullptr;
    const MassProperties& m = m_model.mass;
    const QString dash = QStringLiteral("-");
    m_figures[0]->setText(any ? FormatFigure(m.area) + " units²" : dash);
    m_figures[1]->setText(any ? FormatFigure(m.mass) : dash);
    m_figures[2]->setText(
        any ? QString("(%1, %2)").arg(FormatFigure(m.centroid.x()), FormatFigure(m.centroid.y()))
            : dash);
    m_figures[3]->setText(any ? FormatFigure(m.distance) : dash);
    m_figures[4]->setText(any ? FormatFigure(m.inertiaAboutCenterOfMass) : dash);
    m_figures[5]->setText(any ? FormatFigure(m.inertiaAboutCentroid) : dash);

    const QSignalBlocker block(m_problems);
    m_problems->clear();
    const int errors = m_model.ErrorCount();
    const int notes = int(m_model.problems.size()) - errors;
    if (!any)
        m_summary->setText(QStringLiteral("No object"));
    else if (m_model.problems.empty())
        m_summary->setText(QStringLiteral("No problems: ready for Box2D"));
    else
        m_summary->setText(QStringLiteral("%1 error(s), %2 note(s)%3")
                               .arg(errors)
                               .arg(notes)
                               .arg(errors ? QStringLiteral(": cannot be exported") : QString()));
    // A large object may have a problem for every element; the list shows
    // the first thousand, the summary counts them all.
    constexpr size_t kMaxListed = 1000;
    for (size_t i = 0; i < m_model.problems.size() && i < kMaxListed; ++i) {
        const PhysicsProblem& p = m_model.problems[i];
        auto* item = new QListWidgetItem(FormatProblem(p), m_problems);
        item->setToolTip(item->text());
        item->setData(kElementRole, p.element);
        item->setData(kHasPlaceRole, p.hasPlace);
        item->setData(kPlaceRole, p.place);
        item->setForeground(p.severity == PhysicsProblem::Error ? QColor(200, 0, 0)
                                                                : palette().color(QPalette::Text));
    }
}

void CPhysicsPanel::OnProblemActivated(QListWidgetItem* item) {
    CMorvetView* view = m_frame.ActiveView();
    CMorvetDoc* doc = m_frame.ActiveDocument();
    if (!item || !view || !doc || doc != m_docSeen || PhysicsFingerprint(*doc) != m_fingerprint)
        return; // the list is not of this object as it stands; the next idle renews it
    const int element = item->data(kElementRole).toInt();
    if (element < 0 || element >= doc->m_shape.GetSize())
        return;
    view->SelectElement(doc->m_shape.m_elements[size_t(element)], false);
    view->setFocus();
}

void CPhysicsPanel::OnProblemSelected(QListWidgetItem* item) {
    ClearPlaceMark();
    CMorvetView* view = m_frame.ActiveView();
    if (!item || !view || view->GetDocument() != m_docSeen || !item->data(kHasPlaceRole).toBool())
        return;
    const QPointF place = item->data(kPlaceRole).toPointF();
    view->SetPlaceMark(&place);
    m_markedView = view;
}

void CPhysicsPanel::ClearPlaceMark() {
    if (m_markedView)
        m_markedView->SetPlaceMark(nullptr);
    m_markedView = nullptr;
}
