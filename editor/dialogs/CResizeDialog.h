#pragma once
#include <QDialog>

class CDataExchange;
class QLineEdit;
class QPushButton;

// "Resize": asks for the factor by which the selection, or the whole object,
// is scaled. The caller sets m_dFactor before DoModal and reads it afterwards.
class CResizeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CResizeDialog(QWidget* parent = nullptr);

    // Writes the factor into the edit box, then runs the dialog.
    int DoModal();
    bool UpdateData(bool bSaveAndValidate = true);

    double m_dFactor;

public slots:
    void accept() override;

private:
    void DoDataExchange(CDataExchange* pDX);

    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QLineEdit* m_pFactor;
};
