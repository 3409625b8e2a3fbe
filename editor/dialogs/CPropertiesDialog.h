#pragma once
#include <QDialog>

class CDataExchange;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Object Properties": mass density, polarity and "May rotate". The caller sets
// the members before DoModal and reads them after it returns Accepted; the
// dialog never touches the document itself.
class CPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CPropertiesDialog(QWidget* parent = nullptr);

    // Writes the members into the controls, then runs the dialog.
    int DoModal();
    // true reads and validates the controls into the members; false writes the
    // members into the controls. Returns false when a value was refused.
    bool UpdateData(bool bSaveAndValidate = true);

    double m_dMassDensity;
    int m_nPolarity;
    int m_bMayRotate;

public slots:
    void accept() override;

private slots:
    void OnDefault();

private:
    void DoDataExchange(CDataExchange* pDX);

    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QLineEdit* m_pMassDensity;
    QPushButton* m_pDefault;
    QRadioButton* m_pPositive;
    QRadioButton* m_pNegative;
    QCheckBox* m_pMayRotate;
};
