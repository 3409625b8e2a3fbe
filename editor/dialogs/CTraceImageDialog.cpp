#include "dialogs/CTraceImageDialog.h"

#include "dialogs/CTracePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr double kDefaultTolerance = 1.0;
constexpr double kDefaultMinArea = 10.0;

QString Count(int n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}
} // namespace

CTraceImageDialog::CTraceImageDialog(const CReferenceImage& ref, QWidget* parent)
    : QDialog(parent), m_ref(ref) {
    setWindowTitle(tr("Trace Image"));

    m_pChannel = new QComboBox(this);
    m_pChannel->setObjectName("channel");
    m_pChannel->addItem(tr("Opacity (alpha): opaque is shape"));
    m_pChannel->addItem(tr("Luminance: dark is shape"));
    m_pChannel->setCurrentIndex(DefaultTraceChannel(ref.image) == TraceChannel::Alpha ? 0 : 1);
    m_pThreshold = new QSpinBox(this);
    m_pThreshold->setObjectName("threshold");
    m_pThreshold->setRange(0, 255);
    m_pThreshold->setValue(TraceOptions().threshold);
    m_pInvert = new QCheckBox(tr("&Invert: light is shape"), this);
    m_pInvert->setObjectName("invert");
    m_pTolerance = new QDoubleSpinBox(this);
    m_pTolerance->setObjectName("tolerance");
    m_pTolerance->setRange(0.0, 1000.0);
    m_pTolerance->setDecimals(2);
    m_pTolerance->setSingleStep(0.5);
    m_pTolerance->setSuffix(tr(" units"));
    m_pTolerance->setValue(kDefaultTolerance);
    m_pMinArea = new QDoubleSpinBox(this);
    m_pMinArea->setObjectName("minArea");
    m_pMinArea->setRange(0.0, 1e9);
    m_pMinArea->setDecimals(1);
    m_pMinArea->setSuffix(tr(" square units"));
    m_pMinArea->setValue(kDefaultMinArea);
    m_pHoles = new QLabel(this);
    m_pHoles->setObjectName("holes");
    m_pHoles->setWordWrap(true);
    m_pAddHoles = new QCheckBox(tr("&Add holes as outline polylines"), this);
    m_pAddHoles->setObjectName("addHoles");
    m_pSummary = new QLabel(this);
    m_pSummary->setObjectName("summary");
    m_pSummary->setWordWrap(true);
    m_pBusy = new QProgressBar(this);
    m_pBusy->setObjectName("busy");
    m_pBusy->setRange(0, 0); // busy: how long a trace takes is not known beforehand
    m_pBusy->setTextVisible(false);
    m_pStop = new QPushButton(tr("&Stop"), this);
    m_pStop->setObjectName("stopButton");
    m_pStop->setAutoDefault(false);
    auto* busy = new QHBoxLayout;
    busy->addWidget(m_pBusy, 1);
    busy->addWidget(m_pStop);

    auto* form = new QFormLayout;
    form->addRow(tr("&Channel:"), m_pChannel);
    form->addRow(tr("&Threshold:"), m_pThreshold);
    form->addRow(QString(), m_pInvert);
    form->addRow(tr("T&olerance:"), m_pTolerance);
    form->addRow(tr("&Minimum area:"), m_pMinArea);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_pHoles);
    left->addWidget(m_pAddHoles);
    left->addStretch(1);
    left->addWidget(m_pSummary);
    left->addLayout(busy);

    m_pPreview = new CTracePreview(this);
    m_pPreview->setObjectName("preview");
    m_pPreview->SetPicture(ref.image, ref.scale, ref.offsetX, ref.offsetY);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(m_pPreview, 1);

    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(QDialogButtonBox::Ok);
    m_pOk->setObjectName("okButton");
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pChannel, &QComboBox::currentIndexChanged, this, &CTraceImageDialog::Retrace);
    connect(m_pThreshold, &QSpinBox::valueChanged, this, &CTraceImageDialog::Retrace);
    connect(m_pInvert, &QCheckBox::toggled, this, &CTraceImageDialog::Retrace);
    connect(m_pTolerance, &QDoubleSpinBox::valueChanged, this, &CTraceImageDialog::Retrace);
    connect(m_pMinArea, &QDoubleSpinBox::valueChanged, this, &CTraceImageDialog::Retrace);
    connect(m_pAddHoles, &QCheckBox::toggled, this, [this] { ShowResult(); });
    connect(m_pStop, &QPushButton::clicked, this, &CTraceImageDialog::Stop);
    Retrace();
}

CTraceImageDialog::~CTraceImageDialog() {
    // A result still on its way to this dialog is dropped with it.
    if (m_job)
        m_job->stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CTraceImageDialog::done(int r) {
    Stop();
    QDialog::done(r);
}

TraceOptions CTraceImageDialog::Options() const {
    TraceOptions o;
    o.channel = m_pChannel->currentIndex() == 0 ? TraceChannel::Alpha : TraceChannel::Luminance;
    o.threshold = m_pThreshold->value();
    o.invert = m_pInvert->isChecked();
    o.tolerance = m_pTolerance->value();
    o.minArea = m_pMinArea->value();
    o.scale = m_ref.scale;
    o.centerX = m_ref.offsetX;
    o.centerY = m_ref.offsetY;
    return o;
}

bool CTraceImageDialog::AddHoles() const {
    return m_pAddHoles->isChecked();
}

void CTraceImageDialog::Retrace() {
    const TraceOptions options = Options();
    m_pInvert->setEnabled(options.channel == TraceChannel::Luminance);
    ++m_generation;
    m_current = false;
    if (m_job) {
        // The running trace is out of date; the next one starts when it ends.
        m_job->stop = true;
    } else if (CheckTraceOptions(m_ref.image, options).isEmpty()) {
        Start();
    }
    ShowResult();
}

void CTraceImageDialog::Start() {
    auto job = std::make_shared<Job>();
    job->options = Options();
    job->generation = m_generation;
    m_job = job;
    m_thread = std::thread([this, job, image = m_ref.image] {
        job->result = TraceImage(image, job->options, &job->stop);
        QMetaObject::invokeMethod(this, &CTraceImageDialog::Finished, Qt::QueuedConnection);
    });
}

void CTraceImageDialog::Finished() {
    if (!m_job)
        return;
    m_thread.join();
    const std::shared_ptr<Job> job = std::move(m_job);
    if (job->generation == m_generation && !job->result.stopped) {
        m_result = std::move(job->result);
        m_current = true;
    } else if (job->generation != m_generation &&
               CheckTraceOptions(m_ref.image, Options()).isEmpty()) {
        Start();
    }
    ShowResult();
}

void CTraceImageDialog::Stop() {
    if (m_job)
        m_job->stop = true;
}

void CTraceImageDialog::ShowResult() {
    const QString problem = CheckTraceOptions(m_ref.image, Options());
    const bool tracing = m_job != nullptr;
    m_pBusy->setVisible(tracing);
    m_pStop->setVisible(tracing);
    if (!problem.isEmpty()) {
        // Nothing can be traced with these options.
        m_result = TraceResult();
        m_current = true;
    }
    // Until a new trace ends, the preview keeps the outlines it has.
    m_pPreview->SetTrace(m_result);
    const int holes = int(m_result.holes.size());
    m_pHoles->setText(holes == 0 ? tr("The outlines have no holes.")
                                 : tr("The outlines have %1. A filled polygon cannot have "
                                      "holes; they are left out unless added as walls.")
                                       .arg(Count(holes, "hole", "holes")));
    m_pAddHoles->setEnabled(holes > 0);
    const QString traceProblem = TraceProblem(m_result);
    if (!problem.isEmpty()) {
        m_pSummary->setText(problem);
    } else if (tracing) {
        m_pSummary->setText(tr("Tracing..."));
    } else if (!m_current) {
        m_pSummary->setText(tr("Tracing was stopped; the preview shows the last outlines "
                               "traced."));
    } else if (!traceProblem.isEmpty()) {
        m_pSummary->setText(traceProblem);
    } else {
        QString text = Count(int(m_result.outlines.size()), "polygon", "polygons") + ", " +
                       Count(m_result.VertexCount(), "vertex", "vertices");
        if (AddHoles() && holes > 0)
            text += "; " + Count(holes, "hole polyline", "hole polylines");
        if (m_result.dropped > 0)
            text += "; " + Count(m_result.dropped, "outline", "outlines") +
                    tr(" left out that could not be made simple");
        m_pSummary->setText(text + QLatin1Char('.'));
    }
    m_pOk->setEnabled(m_current && !tracing && !m_result.outlines.empty());
}
