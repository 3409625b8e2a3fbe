#pragma once
#include <QObject>

class QSettings;

// The program's one scale between file units and metres: the Physics panel's
// checks, File > Export and every simulation window use it, so what the user
// watches fall is what is exported. Remembered between runs.
class CUnitsPerMetre : public QObject {
    Q_OBJECT
public:
    explicit CUnitsPerMetre(QSettings* settings, QObject* parent = nullptr);

    double Value() const { return m_value; }
    // Rounds to one decimal and keeps to 1..400; tells the others only when
    // the value changes.
    void SetValue(double value);

    static constexpr int kDecimals = 1;

signals:
    void Changed(double value);

private:
    QSettings* m_settings;
    double m_value;
};
