#include "dialogs/CDataExchange.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <cmath>

namespace {
void ShowWarning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

QLocale NumberLocale(QLocale locale) {
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}
} // namespace

std::function<void(QWidget*, const QString&)> CDataExchange::s_showMessage = ShowWarning;

CDataExchange::CDataExchange(QWidget* dialog, bool bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDialog(dialog) {}

QString CDataExchange::FormatDouble(double value) {
    // 15 significant digits hold every double the user can type back unchanged.
    return NumberLocale(QLocale()).toString(value, 'g', 15);
}

bool CDataExchange::ParseDouble(const QString& text, double* value) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    double v = NumberLocale(QLocale()).toDouble(trimmed, &ok);
    if (!ok)
        v = NumberLocale(QLocale::c()).toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

void CDataExchange::Fail(QWidget* control, const QString& text) {
    m_bFailed = true;
    if (s_showMessage)
        s_showMessage(m_pDialog, text);
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}

void CDataExchange::Text(QLineEdit* edit, double& value) {
    if (m_bFailed)
        return;
    if (!m_bSaveAndValidate) {
        edit->setText(FormatDouble(value));
        return;
    }
    double v = 0.0;
    if (!ParseDouble(edit->text(), &v)) {
        Fail(edit, QObject::tr("Please enter a number."));
        return;
    }
    value = v;
}

void CDataExchange::Text(QLineEdit* edit, int& value) {
    if (m_bFailed)
        return;
    if (!m_bSaveAndValidate) {
        edit->setText(NumberLocale(QLocale()).toString(value));
        return;
    }
    const QString trimmed = edit->text().trimmed();
    bool ok = false;
    int v = NumberLocale(QLocale()).toInt(trimmed, &ok);
    if (!ok)
        v = NumberLocale(QLocale::c()).toInt(trimmed, &ok);
    if (!ok) {
        Fail(edit, QObject::tr("Please enter an integer."));
        return;
    }
    value = v;
}

void CDataExchange::MinMaxDouble(QLineEdit* edit, double value, double minVal, double maxVal) {
    if (m_bFailed || !m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        Fail(edit, QObject::tr("Please enter a number between %1 and %2.")
                       .arg(FormatDouble(minVal), FormatDouble(maxVal)));
}

void CDataExchange::Radio(std::initializer_list<QRadioButton*> group, int& value) {
    if (m_bFailed)
        return;
    int index = 0;
    if (!m_bSaveAndValidate) {
        for (QRadioButton* button : group) {
            // An exclusive button refuses to be cleared while it is the checked one.
            button->setAutoExclusive(false);
            button->setChecked(index++ == value);
            button->setAutoExclusive(true);
        }
        return;
    }
    value = -1;
    for (QRadioButton* button : group) {
        if (button->isChecked()) {
            value = index;
            break;
        }
        ++index;
    }
}

void CDataExchange::Check(QCheckBox* box, int& value) {
    if (m_bFailed)
        return;
    if (m_bSaveAndValidate)
        value = box->isChecked() ? 1 : 0;
    else
        box->setChecked(value != 0);
}

void CDataExchange::MinMaxInt(QWidget* control, int value, int minVal, int maxVal) {
    if (m_bFailed || !m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        Fail(control,
             QObject::tr("Please enter an integer between %1 and %2.").arg(minVal).arg(maxVal));
}
