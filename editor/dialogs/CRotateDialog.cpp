#include "dialogs/CRotateDialog.h"

#include "dialogs/CDataExchange.h"
#include "dialogs/CDialogUnits.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr double kMinAngle = -360.0;
constexpr double kMaxAngle = 360.0;
} // namespace

CRotateDialog::CRotateDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Rotate"));
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

    auto* label = new QLabel(tr("&Angle (degrees):"), this);
    const QRect labelRect = du.Rect(7, 10, 80, 8);
    label->setGeometry(QRect(labelRect.topLeft(), labelRect.size().expandedTo(label->sizeHint())));

    m_pAngle = new QLineEdit(this);
    m_pAngle->setObjectName("angle");
    m_pAngle->setGeometry(du.Rect(7, 22, 72, 14));
    label->setBuddy(m_pAngle);

    setTabOrder(m_pOk, m_pCancel);
    setTabOrder(m_pCancel, m_pAngle);

    setFixedSize(du.X(151), du.Y(46));

    connect(m_pOk, &QPushButton::clicked, this, &CRotateDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &CRotateDialog::reject);
}

int CRotateDialog::DoModal() {
    UpdateData(false);
    return exec();
}

bool CRotateDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CRotateDialog::DoDataExchange(CDataExchange* pDX) {
    pDX->Text(m_pAngle, m_dAngle);
    pDX->MinMaxDouble(m_pAngle, m_dAngle, kMinAngle, kMaxAngle);
}

void CRotateDialog::accept() {
    if (UpdateData(true))
        QDialog::accept();
}
