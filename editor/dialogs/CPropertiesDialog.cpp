#include "dialogs/CPropertiesDialog.h"

#include "dialogs/CDataExchange.h"
#include "dialogs/CDialogUnits.h"
#include "object/CShape.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr double kMinDensity = 0.1;
constexpr double kMaxDensity = 100.0;

// A label never cuts its text, whatever font the desktop gives the dialog.
void PlaceLabel(QWidget* label, const QRect& rect) {
    label->setGeometry(QRect(rect.topLeft(), rect.size().expandedTo(label->sizeHint())));
}
} // namespace

CPropertiesDialog::CPropertiesDialog(QWidget* parent)
    : QDialog(parent), m_dMassDensity(DEFAULT_MASS_DENSITY), m_nPolarity(POLARITY_POSITIVE),
      m_bMayRotate(1) {
    setWindowTitle(tr("Object Properties"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const CDialogUnits du(font());

    // Created in the order of the tab stops: OK, Cancel, the edit box, Default,
    // May rotate; the radio buttons are reached with the mouse or the arrows.
    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName("okButton");
    m_pOk->setGeometry(du.Rect(129, 7, 50, 14));
    m_pOk->setDefault(true);

    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName("cancelButton");
    m_pCancel->setGeometry(du.Rect(129, 24, 50, 14));

    auto* label = new QLabel(tr("Mass density:"), this);
    PlaceLabel(label, du.Rect(13, 14, 43, 8));

    m_pMassDensity = new QLineEdit(this);
    m_pMassDensity->setObjectName("massDensity");
    m_pMassDensity->setGeometry(du.Rect(60, 11, 40, 14));
    label->setBuddy(m_pMassDensity);

    m_pDefault = new QPushButton(tr("Default"), this);
    m_pDefault->setObjectName("defaultButton");
    m_pDefault->setGeometry(du.Rect(129, 43, 50, 14));

    auto* polarity = new QGroupBox(tr("Polarity"), this);
    polarity->setGeometry(du.Rect(14, 42, 94, 34));
    // The buttons' positions are given in the dialog; the group box is their parent.
    const QPoint box = du.Rect(14, 42, 0, 0).topLeft();
    m_pPositive = new QRadioButton(tr("Positive"), polarity);
    m_pPositive->setObjectName("positive");
    PlaceLabel(m_pPositive, du.Rect(49, 50, 41, 10).translated(-box));
    m_pNegative = new QRadioButton(tr("Negative"), polarity);
    m_pNegative->setObjectName("negative");
    PlaceLabel(m_pNegative, du.Rect(49, 63, 45, 10).translated(-box));
    m_pPositive->setFocusPolicy(Qt::ClickFocus);
    m_pNegative->setFocusPolicy(Qt::ClickFocus);

    m_pMayRotate = new QCheckBox(tr("May rotate"), this);
    m_pMayRotate->setObjectName("mayRotate");
    PlaceLabel(m_pMayRotate, du.Rect(14, 29, 49, 10));

    setTabOrder(m_pOk, m_pCancel);
    setTabOrder(m_pCancel, m_pMassDensity);
    setTabOrder(m_pMassDensity, m_pDefault);
    setTabOrder(m_pDefault, m_pMayRotate);

    setFixedSize(du.X(186), du.Y(84));

    connect(m_pOk, &QPushButton::clicked, this, &CPropertiesDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CPropertiesDialog::reject);
    connect(m_pDefault, &QPushButton::clicked, this, &CPropertiesDialog::OnDefault);
}

int CPropertiesDialog::DoModal() {
    UpdateData(false);
    return exec();
}

bool CPropertiesDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CPropertiesDialog::DoDataExchange(CDataExchange* pDX) {
    pDX->Text(m_pMassDensity, m_dMassDensity);
    pDX->MinMaxDouble(m_pMassDensity, m_dMassDensity, kMinDensity, kMaxDensity);
    pDX->Radio({m_pPositive, m_pNegative}, m_nPolarity);
    pDX->MinMaxInt(m_pPositive, m_nPolarity, 0, 1);
    pDX->Check(m_pMayRotate, m_bMayRotate);
    pDX->MinMaxInt(m_pMayRotate, m_bMayRotate, 0, 1);
}

void CPropertiesDialog::accept() {
    if (UpdateData(true))
        QDialog::accept();
}

void CPropertiesDialog::OnDefault() {
    m_bMayRotate = 1;
    m_dMassDensity = DEFAULT_MASS_DENSITY;
    m_nPolarity = POLARITY_POSITIVE;
    UpdateData(false);
}
