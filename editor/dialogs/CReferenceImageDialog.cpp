#include "dialogs/CReferenceImageDialog.h"

#include "view/ReferenceImageStore.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr double kMinScale = 0.001;
constexpr double kMaxScale = 1000.0;
constexpr double kMaxOffset = 1000000.0;

QDoubleSpinBox* NumberBox(const char* name, double low, double high, int decimals,
                          const QString& suffix, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setDecimals(decimals);
    box->setSuffix(suffix);
    box->setAccelerated(true);
    return box;
}
} // namespace

CReferenceImageDialog::CReferenceImageDialog(const CReferenceImage& ref,
                                             std::function<QString()> chooseFile,
                                             std::function<void(const QString&)> loadFailed,
                                             QWidget* parent)
    : QDialog(parent), m_ref(ref), m_chooseFile(std::move(chooseFile)),
      m_loadFailed(std::move(loadFailed)) {
    setWindowTitle(tr("Reference Image"));
    m_pFile = new QLabel(this);
    m_pFile->setObjectName("fileName");
    m_pFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* choose = new QPushButton(tr("&Choose File..."), this);
    choose->setObjectName("chooseButton");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_pFile, 1);
    fileRow->addWidget(choose);

    m_pScale = NumberBox("scale", kMinScale, kMaxScale, 3, tr(" units per pixel"), this);
    m_pScale->setValue(ref.scale);
    m_pOffsetX = NumberBox("offsetX", -kMaxOffset, kMaxOffset, 1, tr(" units"), this);
    m_pOffsetX->setValue(ref.offsetX);
    m_pOffsetY = NumberBox("offsetY", -kMaxOffset, kMaxOffset, 1, tr(" units"), this);
    m_pOffsetY->setValue(ref.offsetY);
    m_pOpacity = new QSpinBox(this);
    m_pOpacity->setObjectName("opacity");
    m_pOpacity->setRange(0, 100);
    m_pOpacity->setSuffix(tr(" %"));
    m_pOpacity->setValue(ref.opacity);
    m_pBackdrop = new QCheckBox(tr("&Checkerboard under transparent pixels"), this);
    m_pBackdrop->setObjectName("backdrop");
    m_pBackdrop->setChecked(ref.backdrop);

    auto* form = new QFormLayout;
    form->addRow(tr("Picture:"), fileRow);
    form->addRow(tr("&Scale:"), m_pScale);
    form->addRow(tr("Middle at &x:"), m_pOffsetX);
    form->addRow(tr("Middle at &y:"), m_pOffsetY);
    form->addRow(tr("&Opacity:"), m_pOpacity);
    form->addRow(tr("Backdrop:"), m_pBackdrop);
    auto* note = new QLabel(tr("The middle of the picture is placed relative to the center of "
                               "mass, in object units (y downwards)."),
                            this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName("okButton");
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
    QPushButton* remove = buttons->addButton(tr("&Remove"), QDialogButtonBox::DestructiveRole);
    remove->setObjectName("removeButton");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(choose, &QPushButton::clicked, this, &CReferenceImageDialog::ChooseFile);
    connect(ok, &QPushButton::clicked, this, &CReferenceImageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReferenceImageDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this] {
        m_ref = CReferenceImage();
        QDialog::accept();
    });
    for (QDoubleSpinBox* box : {m_pScale, m_pOffsetX, m_pOffsetY})
        connect(box, &QDoubleSpinBox::valueChanged, this, &CReferenceImageDialog::Preview);
    connect(m_pOpacity, &QSpinBox::valueChanged, this, &CReferenceImageDialog::Preview);
    connect(m_pBackdrop, &QCheckBox::toggled, this, &CReferenceImageDialog::Preview);
    ShowFileName();
}

void CReferenceImageDialog::PreviewWith(std::function<void(const CReferenceImage&)> show) {
    m_preview = std::move(show);
    // Until a value changes, the picture shows with its own values, not
    // with the fields' rounding of them.
    CReferenceImage shown = m_ref;
    shown.hidden = false;
    if (m_preview)
        m_preview(shown);
}

CReferenceImage CReferenceImageDialog::Entered() const {
    CReferenceImage ref = m_ref;
    ref.scale = m_pScale->value();
    ref.offsetX = m_pOffsetX->value();
    ref.offsetY = m_pOffsetY->value();
    ref.opacity = m_pOpacity->value();
    ref.backdrop = m_pBackdrop->isChecked();
    ref.hidden = false;
    return ref;
}

void CReferenceImageDialog::Preview() {
    if (m_preview)
        m_preview(Entered());
}

void CReferenceImageDialog::ShowFileName() {
    m_pFile->setText(QStringLiteral("%1 (%2 x %3 pixels)")
                         .arg(QFileInfo(m_ref.path).fileName())
                         .arg(m_ref.image.width())
                         .arg(m_ref.image.height()));
    m_pFile->setToolTip(m_ref.path);
}

void CReferenceImageDialog::ChooseFile() {
    const QString path = m_chooseFile ? m_chooseFile() : QString();
    if (path.isEmpty())
        return;
    QString why;
    if (!LoadReferenceImage(path, m_ref, &why)) {
        if (m_loadFailed)
            m_loadFailed(tr("%1 cannot be used as a reference image. %2").arg(path, why));
        return;
    }
    ShowFileName();
    Preview();
}

void CReferenceImageDialog::accept() {
    m_ref = Entered();
    QDialog::accept();
}
