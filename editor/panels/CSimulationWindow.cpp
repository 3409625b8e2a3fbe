#include "panels/CSimulationWindow.h"

#include "document/CMorvetDoc.h"
#include "panels/CSimulationCanvas.h"
#include "panels/CUnitsPerMetre.h"
#include "simulation/SimulationRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double kSpeeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};
constexpr int kNormalSpeed = 2;
// A stalled event loop (a drag of the window, a modal dialog elsewhere) must
// not be made up for in one frame.
constexpr double kMaxFrameSeconds = 0.1;
constexpr int kMaxListedErrors = 20;

std::vector<CSimulationWindow*>& OpenWindows() {
    static std::vector<CSimulationWindow*> windows;
    return windows;
}

QString ErrorText(const QStringList& errors) {
    QStringList shown = errors.mid(0, kMaxListedErrors);
    if (errors.size() > kMaxListedErrors)
        shown << QStringLiteral("... and %1 more").arg(errors.size() - kMaxListedErrors);
    return QStringLiteral("This object cannot be simulated:\n\n") + shown.join('\n');
}

QDoubleSpinBox* NumberField(double lo, double hi, double step, int decimals, double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(lo, hi);
    box->setSingleStep(step);
    box->setDecimals(decimals);
    box->setValue(value);
    box->setKeyboardTracking(false);
    return box;
}

QSpinBox* IntegerField(int lo, int hi, int value, const QString& suffix) {
    auto* box = new QSpinBox;
    box->setRange(lo, hi);
    box->setValue(value);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}
} // namespace

CSimulationWindow* CSimulationWindow::Find(const CMorvetDoc* pDoc) {
    for (CSimulationWindow* w : OpenWindows())
        if (w->m_pDocument == pDoc)
            return w;
    return nullptr;
}

void CSimulationWindow::CloseFor(const CMorvetDoc* pDoc) {
    if (CSimulationWindow* w = Find(pDoc))
        w->close();
}

CSimulationWindow* CSimulationWindow::Open(CMorvetDoc* pDoc, QWidget* parent,
                                           CUnitsPerMetre& units) {
    if (CSimulationWindow* w = Find(pDoc)) {
        w->show();
        w->raise();
        w->activateWindow();
        return w;
    }
    auto* w = new CSimulationWindow(pDoc, parent, units);
    if (!w->Restart()) {
        const QStringList errors = w->Errors();
        delete w;
        QMessageBox::warning(parent, QStringLiteral("Morvet"), ErrorText(errors));
        return nullptr;
    }
    // Beside the editor where the screen has room, else over its right part.
    if (parent) {
        const QRect frame = parent->frameGeometry();
        QPoint at(frame.right() + 1, frame.top());
        if (const QScreen* screen = parent->screen()) {
            const QRect room = screen->availableGeometry();
            if (at.x() + w->width() > room.right())
                at.setX(std::max(room.left(), room.right() - w->width()));
        }
        w->move(at);
    }
    w->show();
    w->Play();
    return w;
}

CSimulationWindow::CSimulationWindow(CMorvetDoc* pDoc, QWidget* parent, CUnitsPerMetre& units)
    : QWidget(parent, Qt::Window), m_pDocument(pDoc), m_units(units),
      m_simulation(std::make_unique<SimulationRunner>()) {
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    resize(760, 520);
    m_timer.setTimerType(Qt::PreciseTimer);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
    m_timer.setInterval(std::max(1, int(std::lround(1000.0 / rate))));
    connect(&m_timer, &QTimer::timeout, this, &CSimulationWindow::OnFrame);
    OpenWindows().push_back(this);
    qApp->installEventFilter(this);
}

CSimulationWindow::~CSimulationWindow() {
    qApp->removeEventFilter(this);
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    m_canvas->SetSimulation(nullptr, CShape());
}

void CSimulationWindow::BuildControls() {
    m_canvas = new CSimulationCanvas;
    m_canvas->onGrab = [this] {
        if (!IsPlaying())
            Play();
    };

    m_playButton = new QPushButton(QStringLiteral("Play"));
    m_playButton->setToolTip(QStringLiteral("Play or pause (Space)"));
    auto* step = new QPushButton(QStringLiteral("Step"));
    step->setToolTip(QStringLiteral("Advance one step of 1/60 s (Right)"));
    auto* restart = new QPushButton(QStringLiteral("Restart"));
    restart->setToolTip(QStringLiteral("Start again from the object as it is now (Home)"));
    connect(m_playButton, &QPushButton::clicked, this, &CSimulationWindow::TogglePlay);
    connect(step, &QPushButton::clicked, this, &CSimulationWindow::StepOnce);
    connect(restart, &QPushButton::clicked, this, [this] { Restart(); });

    const SimulationSettings d;
    using S = SimulationSettings;
    m_speed = new QComboBox;
    for (double s : kSpeeds)
        m_speed->addItem(QStringLiteral("%1×").arg(s));
    m_speed->setCurrentIndex(kNormalSpeed);
    m_gravity = NumberField(S::kMinGravity, S::kMaxGravity, 0.1, 2, d.gravity);
    m_gravity->setSuffix(QStringLiteral(" m/s²"));
    m_floorAngle = IntegerField(-int(S::kMaxFloorAngle), int(S::kMaxFloorAngle), int(d.floorAngle),
                                QStringLiteral("°"));
    m_scale =
        NumberField(S::kMinScale, S::kMaxScale, 1, CUnitsPerMetre::kDecimals, m_units.Value());
    m_friction = NumberField(0, S::kMaxFriction, 0.05, 2, d.friction);
    m_restitution = NumberField(0, S::kMaxRestitution, 0.05, 2, d.restitution);
    m_drop = IntegerField(0, int(S::kMaxDrop), int(d.drop), QStringLiteral(" units"));
    connect(m_gravity, &QDoubleSpinBox::valueChanged, this,
            [this](double g) { m_simulation->SetGravity(g); });
    // The floor, the scale and the materials are part of the world: a change
    // starts it again.
    for (QSpinBox* box : {m_floorAngle, m_drop})
        connect(box, &QSpinBox::valueChanged, this, [this] { Restart(); });
    // The scale is the program's: a change here reaches the Physics panel and
    // the export, and one made there restarts this world.
    connect(m_scale, &QDoubleSpinBox::valueChanged, &m_units, &CUnitsPerMetre::SetValue);
    connect(&m_units, &CUnitsPerMetre::Changed, this, [this](double value) {
        if (m_scale->value() != value) {
            const QSignalBlocker block(m_scale);
            m_scale->setValue(value);
        }
        Restart();
    });
    for (QDoubleSpinBox* box : {m_friction, m_restitution})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Restart(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_playButton);
    buttons->addWidget(step);
    buttons->addWidget(restart);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("S&peed:"), m_speed);
    form->addRow(QStringLiteral("&Gravity:"), m_gravity);
    form->addRow(QStringLiteral("&Floor angle:"), m_floorAngle);
    form->addRow(QStringLiteral("&Units per metre:"), m_scale);
    form->addRow(QStringLiteral("Fr&iction:"), m_friction);
    form->addRow(QStringLiteral("R&estitution:"), m_restitution);
    form->addRow(QStringLiteral("&Drop:"), m_drop);

    m_time = new QLabel;
    m_position = new QLabel;
    m_angle = new QLabel;
    m_sleep = new QLabel;
    m_problems = new QLabel;
    m_problems->setWordWrap(true);
    m_problems->setStyleSheet(QStringLiteral("color: #c00000"));
    m_problems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_problems->hide();

    auto* panel = new QVBoxLayout;
    panel->addLayout(buttons);
    panel->addLayout(form);
    panel->addSpacing(8);
    for (QLabel* label : {m_time, m_position, m_angle, m_sleep})
        panel->addWidget(label);
    panel->addWidget(m_problems);
    panel->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_canvas, 1);
    layout->addLayout(panel);
}

SimulationSettings CSimulationWindow::Settings() const {
    SimulationSettings s;
    s.gravity = m_gravity->value();
    s.floorAngle = m_floorAngle->value();
    s.unitsPerMetre = m_units.Value();
    s.friction = m_friction->value();
    s.restitution = m_restitution->value();
    s.drop = m_drop->value();
    return s;
}

double CSimulationWindow::Speed() const {
    const int i = std::clamp(m_speed->currentIndex(), 0, int(std::size(kSpeeds)) - 1);
    return kSpeeds[i];
}

bool CSimulationWindow::Restart() {
    m_simulation->Release();
    const bool started = m_simulation->Start(m_pDocument->m_shape, Settings());
    m_errors = m_simulation->Errors();
    if (!started) {
        Pause();
        m_canvas->SetSimulation(nullptr, CShape());
        m_problems->setText(ErrorText(m_errors));
        m_problems->show();
        ShowState();
        return false;
    }
    m_problems->hide();
    // The canvas draws the object as the file has it, the center of mass at 0,0.
    m_canvas->SetSimulation(m_simulation.get(), m_pDocument->m_shape);
    m_clock.restart();
    ShowState();
    return true;
}

void CSimulationWindow::Play() {
    if (!m_simulation->IsRunning())
        return;
    m_clock.restart();
    m_timer.start();
    m_playButton->setText(QStringLiteral("Pause"));
}

void CSimulationWindow::Pause() {
    m_timer.stop();
    m_simulation->DropTime();
    m_playButton->setText(QStringLiteral("Play"));
}

void CSimulationWindow::TogglePlay() {
    if (IsPlaying())
        Pause();
    else
        Play();
}

void CSimulationWindow::StepOnce() {
    Pause();
    m_simulation->Step();
    m_canvas->FollowBody();
    m_canvas->update();
    ShowState();
}

void CSimulationWindow::OnFrame() {
    const double elapsed = std::min(m_clock.restart() / 1000.0, kMaxFrameSeconds);
    // The steps run on the runner's thread; this frame shows the latest one.
    m_simulation->AddTime(elapsed * Speed());
    m_canvas->FollowBody();
    m_canvas->update();
    ShowState();
}

void CSimulationWindow::ShowState() {
    const QString title = QStringLiteral("Simulation - ") + m_pDocument->GetTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
    const SimulationState s = m_simulation->State();
    const bool running = m_simulation->IsRunning();
    m_time->setText(QStringLiteral("Time: %1 s").arg(s.t, 0, 'f', 2));
    m_position->setText(
        running ? QStringLiteral("Position: %1, %2").arg(s.x, 0, 'f', 1).arg(s.y, 0, 'f', 1)
                : QStringLiteral("Position: -"));
    m_angle->setText(running ? QStringLiteral("Angle: %1°").arg(s.angle, 0, 'f', 1)
                             : QStringLiteral("Angle: -"));
    m_sleep->setText(!running  ? QString()
                     : s.awake ? QStringLiteral("Awake")
                               : QStringLiteral("Asleep"));
}

bool CSimulationWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier))
        return QWidget::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Space:
        if (!key->isAutoRepeat())
            TogglePlay();
        return true;
    case Qt::Key_Right:
        StepOnce();
        return true;
    case Qt::Key_Home:
        if (!key->isAutoRepeat())
            Restart();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void CSimulationWindow::closeEvent(QCloseEvent* event) {
    // Everything goes now, not when the window object is finally deleted.
    Pause();
    m_canvas->SetSimulation(nullptr, CShape());
    m_simulation->Stop();
    disconnect(&m_units, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    QWidget::closeEvent(event);
}
