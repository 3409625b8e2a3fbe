#pragma once
#include <QDialog>

class CDataExchange;
class QLineEdit;
class QPushButton;

// "Rotate": asks for the angle in degrees, clockwise on screen, by which the
// selection or the whole object turns. m_dAngle starts at 90.
class CRotateDialog : public QDialog {
    Q_OBJECT
public:
    explicit CRotateDialog(QWidget* parent = nullptr);

    // Writes the factor into the edit box, then runs the dialog.
    int DoModal();
    bool UpdateData(bool bSaveAndValidate = true);

    double m_dAngle = 90.0;

public slots:
    void accept() override;

private:
    void DoDataExchange(CDataExchange* pDX);

    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QLineEdit* m_pAngle;
};
