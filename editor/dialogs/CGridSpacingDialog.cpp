#include "dialogs/CGridSpacingDialog.h"

#include "dialogs/CDataExchange.h"
#include "dialogs/CDialogUnits.h"
#include "view/Grid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CGridSpacingDialog::CGridSpacingDialog(QWidget* parent)
    : QDialog(parent), m_nSpacing(GridSettings::kDefaultSpacing) {
    setWindowTitle(tr("Grid Spacing"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const CDialogUnits du(font());

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName("okButton");
    m_pOk->setGeometry(du.Rect(104, 7, 50, 14));
    m_pOk->setDefault(true);

    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName("cancelButton");
    m_pCancel->setGeometry(du.Rect(104, 24, 50, 14));

    auto* label = new QLabel(tr("&Spacing (units):"), this);
    const QRect labelRect = du.Rect(7, 17, 50, 8);
    label->setGeometry(QRect(labelRect.topLeft(), labelRect.size().expandedTo(label->sizeHint())));

    m_pSpacing = new QLineEdit(this);
    m_pSpacing->setObjectName("spacing");
    m_pSpacing->setGeometry(du.Rect(62, 15, 34, 14));
    label->setBuddy(m_pSpacing);

    setTabOrder(m_pSpacing, m_pOk);
    setTabOrder(m_pOk, m_pCancel);

    setFixedSize(du.X(161), du.Y(46));

    connect(m_pOk, &QPushButton::clicked, this, &CGridSpacingDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CGridSpacingDialog::reject);
}

int CGridSpacingDialog::DoModal() {
    UpdateData(false);
    m_pSpacing->setFocus();
    m_pSpacing->selectAll();
    return exec();
}

bool CGridSpacingDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CGridSpacingDialog::DoDataExchange(CDataExchange* pDX) {
    pDX->Text(m_pSpacing, m_nSpacing);
    pDX->MinMaxInt(m_pSpacing, m_nSpacing, GridSettings::kMinSpacing, GridSettings::kMaxSpacing);
}

void CGridSpacingDialog::accept() {
    if (UpdateData(true))
        QDialog::accept();
}
