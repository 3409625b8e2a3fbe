#include "panels/CUnitsPerMetre.h"

#include "physics/PhysicsModel.h"

#include <QSettings>
#include <algorithm>
#include <cmath>

namespace {
const QString kKey = QStringLiteral("Physics/UnitsPerMetre");

double Normalized(double value) {
    if (!std::isfinite(value))
        return kDefaultUnitsPerMetre;
    const double tenths = std::round(value * 10) / 10;
    return std::clamp(tenths, kMinUnitsPerMetre, kMaxUnitsPerMetre);
}
} // namespace

CUnitsPerMetre::CUnitsPerMetre(QSettings* settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_value(kDefaultUnitsPerMetre) {
    if (m_settings) {
        bool ok = false;
        const double stored = m_settings->value(kKey, kDefaultUnitsPerMetre).toDouble(&ok);
        m_value = ok ? Normalized(stored) : kDefaultUnitsPerMetre;
    }
}

void CUnitsPerMetre::SetValue(double value) {
    value = Normalized(value);
    if (value == m_value)
        return;
    m_value = value;
    if (m_settings)
        m_settings->setValue(kKey, value);
    emit Changed(value);
}
