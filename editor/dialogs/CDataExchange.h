#pragma once
#include <QString>
#include <functional>
#include <initializer_list>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

// Moves a dialog's values into its controls (on open) or reads and validates
// them (on OK). The first value that fails is reported in a message box, the
// focus goes back to its control and every later exchange is skipped, so the
// members keep what they held and the dialog stays open.
class CDataExchange {
public:
    CDataExchange(QWidget* dialog, bool bSaveAndValidate);

    bool m_bSaveAndValidate;
    bool Failed() const { return m_bFailed; }

    void Text(QLineEdit* edit, double& value);
    // A whole number, in the user's locale or plainly written.
    void Text(QLineEdit* edit, int& value);
    void MinMaxDouble(QLineEdit* edit, double value, double minVal, double maxVal);
    // value is the index of the checked button, -1 when none is.
    void Radio(std::initializer_list<QRadioButton*> group, int& value);
    void Check(QCheckBox* box, int& value);
    void MinMaxInt(QWidget* control, int value, int minVal, int maxVal);

    // A double as the user's locale writes it, without trailing zeros: 20, 0.05.
    static QString FormatDouble(double value);
    // Accepts the user's locale decimal separator and ".", no group separators,
    // surrounding blanks ignored; anything else, infinities and NaN are refused.
    static bool ParseDouble(const QString& text, double* value);

    // Shows a refusal; a modal warning box unless replaced.
    static std::function<void(QWidget* parent, const QString& text)> s_showMessage;

private:
    void Fail(QWidget* control, const QString& text);

    QWidget* m_pDialog;
    bool m_bFailed = false;
};
