#include "dialogs/CResizeDialog.h"

#include "dialogs/CDataExchange.h"
#include "dialogs/CDialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr double kMinFactor = 0.05;
constexpr double kMaxFactor = 20.0;
} // namespace

CResizeDialog::CResizeDialog(QWidget* parent) : QDialog(parent), m_dFactor(0.0) {
    setWindowTitle(tr("Resize"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const CDialogUnits du(font());

    m_pOk = new QPushButton(tr("OK"), this);
    m_pOk->setObjectName("okButton");
    m_pOk->setGeometry(du.Rect(94, 7, 50, 14));
    m_pOk->setDefault(true);

    m_pCancel = new QPushButton(tr("Cancel"), this);
    m_pCancel->setObjectName("cancelButton");
    m_pCancel->setGeometry(du.Rect(94, 24, 50, 14));

    auto* label = new QLabel(tr("Resize"), this);
    const QRect labelRect = du.Rect(7, 17, 22, 8);
    label->setGeometry(QRect(labelRect.topLeft(), labelRect.size().expandedTo(label->sizeHint())));

    m_pFactor = new QLineEdit(this);
    m_pFactor->setObjectName("factor");
    m_pFactor->setGeometry(du.Rect(34, 15, 45, 14));
    label->setBuddy(m_pFactor);

    setTabOrder(m_pOk, m_pCancel);
    setTabOrder(m_pCancel, m_pFactor);

    setFixedSize(du.X(151), du.Y(46));

    connect(m_pOk, &QPushButton::clicked, this, &CResizeDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CResizeDialog::reject);
}

int CResizeDialog::DoModal() {
    UpdateData(false);
    return exec();
}

bool CResizeDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CResizeDialog::DoDataExchange(CDataExchange* pDX) {
    pDX->Text(m_pFactor, m_dFactor);
    pDX->MinMaxDouble(m_pFactor, m_dFactor, kMinFactor, kMaxFactor);
}

void CResizeDialog::accept() {
    if (UpdateData(true))
        QDialog::accept();
}
