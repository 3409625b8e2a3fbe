#include "simulation/SimulationSettings.h"

namespace {
// NaN fails both comparisons, so it is out of every range.
bool InRange(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

QString RangeError(const char* what, double lo, double hi) {
    return QStringLiteral("The %1 must lie between %2 and %3.")
        .arg(QLatin1String(what))
        .arg(lo)
        .arg(hi);
}
} // namespace

QString CheckSimulationSettings(const SimulationSettings& s) {
    using S = SimulationSettings;
    if (!InRange(s.gravity, S::kMinGravity, S::kMaxGravity))
        return RangeError("gravity (m/s²)", S::kMinGravity, S::kMaxGravity);
    if (!InRange(s.floorAngle, -S::kMaxFloorAngle, S::kMaxFloorAngle))
        return RangeError("floor angle (degrees)", -S::kMaxFloorAngle, S::kMaxFloorAngle);
    if (!InRange(s.unitsPerMetre, S::kMinScale, S::kMaxScale))
        return RangeError("scale (units per metre)", S::kMinScale, S::kMaxScale);
    if (!InRange(s.friction, 0, S::kMaxFriction))
        return RangeError("friction", 0, S::kMaxFriction);
    if (!InRange(s.restitution, 0, S::kMaxRestitution))
        return RangeError("restitution", 0, S::kMaxRestitution);
    if (!InRange(s.drop, 0, S::kMaxDrop))
        return RangeError("drop (units)", 0, S::kMaxDrop);
    return QString();
}
