#include "panels/CPhysicsPanel.h"

#include "app/CMainFrame.h"
#include "document/CMorvetDoc.h"
#include "panels/CUnitsPerMetre.h"
#include "physics/Box2DCheck.h"
#include "physics/PhysicsReport.h"
#include "view/CMorvetView.h"

#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPromise>
#include <QSettings>
#include <QThreadPool>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {
const QString kVisibleKey = QStringLiteral("Physics/PanelVisible");
// File units, relative to the center of mass, y down.
const char* const kFigureNames[] = {"Area:",
                                    "Mass:",
                                    "Centroid:",
                                    "Centroid's distance:",
                                    "Inertia (center of mass):",
                                    "Inertia (centroid):"};
// The widest figure: six significant digits and a two-digit exponent, both
// coordinates negative. Every field is this wide, so that the dock keeps the
// width the user gave it whatever the object.
const char* const kWidestFigure = "(-8.88888e+88, -8.88888e+88)";
enum { kElementRole = Qt::UserRole, kHasPlaceRole, kPlaceRole };

struct Hasher {
    uint64_t h = 1469598103934665603ULL;
    void Add(uint64_t v) {
        h ^= v;
        h *= 1099511628211ULL;
        h ^= h >> 29;
    }
};

// Zoomed in, the place may lie outside the window: the drawing moves, at the
// same zoom, so that the place comes to the window's middle.
void ScrollIntoView(CMorvetView& view, const QPointF& place) {
    const CPoint anchor = view.Anchor();
    const double lx = std::round(place.x()) + anchor.x, ly = std::round(place.y()) + anchor.y;
    constexpr double kRange = 2e9;
    if (!(std::abs(lx) < kRange && std::abs(ly) < kRange))
        return;
    POINT at{int32_t(lx), int32_t(ly)};
    view.LogicalToDevice(&at);
    const QRect client(0, 0, view.width(), view.height());
    const int margin = std::min(client.width(), client.height()) / 10;
    if (client.adjusted(margin, margin, -margin, -margin).contains(at.x, at.y))
        return;
    const auto step = [](int64_t from, int64_t to) {
        constexpr int64_t kLimit = 1000000000;
        return int(std::clamp<int64_t>(to - from, -kLimit, kLimit));
    };
    view.ScrollBy(step(at.x, client.center().x()), step(at.y, client.center().y()));
}
} // namespace

uint64_t PhysicsFingerprint(const CMorvetDoc& doc) {
    const CShape& s = doc.m_shape;
    Hasher hash;
    uint64_t density = 0;
    std::memcpy(&density, &s.m_dMassDensity, sizeof density);
    hash.Add(density);
    hash.Add(uint64_t(uint32_t(s.m_nPolarity)) << 32 | uint32_t(s.m_bMayRotate));
    hash.Add(uint64_t(s.m_elements.size()));
    for (const CPrimitive* p : s.m_elements) {
        hash.Add(uint64_t(uint32_t(p->m_nType)) << 32 | uint32_t(p->m_nPoints));
        for (int i = 0; i < p->m_nPoints; ++i) {
            const int64_t x = p->m_pPoints[i].x, y = p->m_pPoints[i].y;
            hash.Add(uint64_t(x) * 0x9E3779B97F4A7C15ULL ^ uint64_t(y));
        }
    }
    return hash.h;
}

CPhysicsPanel::CPhysicsPanel(CMainFrame& frame, QSettings& settings, CUnitsPerMetre& units)
    : QDockWidget(QStringLiteral("Physics"), &frame), m_frame(frame), m_settings(settings),
      m_units(units) {
    setObjectName(QStringLiteral("physicsPanel"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* form = new QFormLayout;
    // A narrow dock puts each figure under its name rather than cutting it off.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    const int fieldWidth = fontMetrics().horizontalAdvance(QString::fromLatin1(kWidestFigure));
    for (int i = 0; i < 6; ++i) {
        m_figures[i] = new QLabel(body);
        m_figures[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_figures[i]->setToolTip(i == 2 ? QStringLiteral("Relative to the center of mass, y down")
                                        : QString());
        m_figures[i]->setMinimumWidth(fieldWidth);
        m_figures[i]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        form->addRow(QString::fromUtf8(kFigureNames[i]), m_figures[i]);
    }
    m_scale = new QDoubleSpinBox(body);
    m_scale->setObjectName(QStringLiteral("unitsPerMetre"));
    m_scale->setRange(kMinUnitsPerMetre, kMaxUnitsPerMetre);
    m_scale->setDecimals(CUnitsPerMetre::kDecimals);
    m_scale->setValue(m_units.Value());
    // The whole program follows the scale: it changes once the number is typed.
    m_scale->setKeyboardTracking(false);
    m_scale->setToolTip(
        QStringLiteral("The scale of the Box2D checks, of the simulation and of File > Export"));
    form->addRow(QStringLiteral("Units per metre:"), m_scale);
    layout->addLayout(form);
    m_summary = new QLabel(body);
    m_summary->setWordWrap(true);
    m_summary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(m_summary);
    m_problems = new QListWidget(body);
    m_problems->setObjectName(QStringLiteral("physicsProblems"));
    m_problems->setWordWrap(true);
    layout->addWidget(m_problems, 1);
    setWidget(body);

    connect(m_scale, qOverload<double>(&QDoubleSpinBox::valueChanged), &m_units,
            &CUnitsPerMetre::SetValue);
    connect(&m_units, &CUnitsPerMetre::Changed, this, [this](double value) {
        // Set only when it differs: setting rewrites the text being typed.
        if (m_scale->value() != value) {
            const QSignalBlocker block(m_scale);
            m_scale->setValue(value);
        }
        OnIdle();
    });
    connect(&m_analysis, &QFutureWatcher<PhysicsModel>::finished, this,
            &CPhysicsPanel::OnAnalysisFinished);
    connect(m_problems, &QListWidget::itemDoubleClicked, this, &CPhysicsPanel::OnProblemActivated);
    connect(m_problems, &QListWidget::itemActivated, this, &CPhysicsPanel::OnProblemActivated);
    connect(m_problems, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { OnProblemSelected(item); });

    ShowFigures();
}

CPhysicsPanel::~CPhysicsPanel() {
    // The worker keeps its own copy of the object and runs to its end; only
    // the word of its end must not reach this panel any more.
    m_analysis.disconnect(this);
}

void CPhysicsPanel::RestoreVisibility() {
    setVisible(m_settings.value(kVisibleKey, false).toBool());
}

double CPhysicsPanel::UnitsPerMetre() const {
    return m_units.Value();
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

CPhysicsPanel::Key CPhysicsPanel::CurrentKey(CMorvetDoc** doc) const {
    *doc = m_frame.ActiveDocument();
    Key key;
    key.doc = *doc;
    key.fingerprint = *doc ? PhysicsFingerprint(**doc) : 0;
    key.unitsPerMetre = m_units.Value();
    return key;
}

bool CPhysicsPanel::IsUpToDate() const {
    CMorvetDoc* doc = nullptr;
    return !m_stale && CurrentKey(&doc) == m_shown;
}

void CPhysicsPanel::OnIdle() {
    if (isHidden())
        return;
    // Mid-drag the object changes with every step; the figures wait for the release.
    if (QWidget::mouseGrabber() || QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    CMorvetDoc* doc = nullptr;
    const Key key = CurrentKey(&doc);
    if (!m_stale && key == m_shown)
        return;
    // The place marked is of the object as it was.
    if (!(key == m_shown))
        ClearPlaceMark();
    if (!doc) {
        m_stale = false;
        Show(PhysicsModel(), key);
        return;
    }
    // One analysis at a time: its end looks again.
    if (m_analysing)
        return;
    StartAnalysis(*doc, key);
}

void CPhysicsPanel::StartAnalysis(const CMorvetDoc& doc, const Key& key) {
    ++m_rebuilds;
    m_analysing = true;
    m_stale = false;
    m_pending = key;
    auto shape = std::make_shared<const CShape>(doc.m_shape);
    const double units = key.unitsPerMetre;
    auto promise = std::make_shared<QPromise<PhysicsModel>>();
    promise->start();
    m_analysis.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, shape, units] {
        promise->addResult(CheckForBox2D(*shape, units).model);
        promise->finish();
    });
}

void CPhysicsPanel::OnAnalysisFinished() {
    m_analysing = false;
    const QFuture<PhysicsModel> future = m_analysis.future();
    if (future.resultCount() < 1)
        return;
    CMorvetDoc* doc = nullptr;
    if (CurrentKey(&doc) == m_pending)
        Show(future.result(), m_pending);
    else
        m_stale = true; // of an object that is no more; the next look starts anew
    OnIdle();
}

void CPhysicsPanel::Show(PhysicsModel model, const Key& key) {
    ClearPlaceMark();
    m_model = std::move(model);
    m_shown = key;
    ShowFigures();
    emit FiguresShown();
}

void CPhysicsPanel::ShowFigures() {
    const bool any = m_shown.doc != nullptr;
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
    if (!item || !view || !doc || doc != m_shown.doc ||
        PhysicsFingerprint(*doc) != m_shown.fingerprint)
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
    if (!item || !view || view->GetDocument() != m_shown.doc || !item->data(kHasPlaceRole).toBool())
        return;
    const QPointF place = item->data(kPlaceRole).toPointF();
    view->SetPlaceMark(&place);
    m_markedView = view;
    ScrollIntoView(*view, place);
}

void CPhysicsPanel::ClearPlaceMark() {
    if (m_markedView)
        m_markedView->SetPlaceMark(nullptr);
    m_markedView = nullptr;
}
