#include "view/dialogs/CTraceImageDialog.h"

#include "view/dialogs/CTracePreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
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
    connect(m_pAddHoles, &QCheckBox::toggled, this, &CTraceImageDialog::Retrace);
    Retrace();
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
    const QString problem = CheckTraceOptions(m_ref.image, options);
    m_result = problem.isEmpty() ? TraceImage(m_ref.image, options) : TraceResult();
    m_pPreview->SetTrace(m_result);

    const int holes = int(m_result.holes.size());
    m_pHoles->setText(holes == 0 ? tr("The outlines have no holes.")
                                 : tr("The outlines have %1. A filled polygon cannot have "
                                      "holes; they are left out unless added as walls.")
                                       .arg(Count(holes, "hole", "holes")));
    m_pAddHoles->setEnabled(holes > 0);
    if (!problem.isEmpty()) {
        m_pSummary->setText(problem);
    } else if (m_result.outlines.empty()) {
        m_pSummary->setText(tr("Nothing to trace at this threshold and minimum area."));
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
    m_pOk->setEnabled(!m_result.outlines.empty());
}
