#pragma once
#include <QDialog>

class CDataExchange;
class QLineEdit;
class QPushButton;

// "Grid Spacing": asks for the distance between grid lines in object units, a
// whole number from 1 to 1000. The caller sets m_nSpacing before DoModal and
// reads it afterwards.
class CGridSpacingDialog : public QDialog {
    Q_OBJECT
public:
    explicit CGridSpacingDialog(QWidget* parent = nullptr);

    int DoModal();
    bool UpdateData(bool bSaveAndValidate = true);

    int m_nSpacing;

public slots:
    void accept() override;

private:
    void DoDataExchange(CDataExchange* pDX);

    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    QLineEdit* m_pSpacing;
};
