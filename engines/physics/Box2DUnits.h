#pragma once
// File units to Box2D's metres, in one place: the body builder, the fitness
// checks and the JSON export all convert through here, so the floats Box2D
// sees are the ones that were checked.
#include <QPointF>
#include <box2d/b2_math.h>

namespace physics {

inline double ToMetresX(double x, double unitsPerMetre) {
    return x / unitsPerMetre;
}
inline double ToMetresY(double y, double unitsPerMetre) {
    return -y / unitsPerMetre; // Box2D's y points up, the file's down
}
inline b2Vec2 ToBox2D(const QPointF& p, double unitsPerMetre) {
    return b2Vec2(float(ToMetresX(p.x(), unitsPerMetre)), float(ToMetresY(p.y(), unitsPerMetre)));
}

} // namespace physics
