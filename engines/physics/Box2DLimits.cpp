#include "physics/Box2DLimits.h"

#include <cmath>

namespace physics {

namespace {

QString Num(double v) {
    return QString::number(v, 'g', 6);
}

PhysicsProblem ObjectError(const QString& message) {
    PhysicsProblem p;
    p.severity = PhysicsProblem::Error;
    p.element = -1;
    p.message = message;
    return p;
}

} // namespace

std::vector<PhysicsProblem> ObjectLimitProblems(const PhysicsModel& model) {
    std::vector<PhysicsProblem> problems;
    const double density = model.density;
    if (std::isnan(density))
        problems.push_back(ObjectError("the mass density is not a number"));
    else if (!(density > 0))
        problems.push_back(ObjectError(
            QString("the mass density must be above zero (it is %1)").arg(Num(density))));
    else if (std::isinf(density))
        problems.push_back(ObjectError("the mass density is infinite"));
    // An element's error leaves its mass out: the figures are not the body's.
    if (!problems.empty() || model.HasErrors())
        return problems;
    if (model.fixtures.empty()) {
        // A loader would make a body of 1 kg of it, and the simulation has nothing to drop.
        problems.push_back(ObjectError("the object has no element with an area or a length, so "
                                       "it has no mass for Box2D"));
        return problems;
    }
    const double s = model.unitsPerMetre;
    const double mass = model.mass.mass / (s * s);
    const double inertia = model.mass.inertiaAboutCenterOfMass / (s * s * s * s);
    const QString at = QString("at %1 units per metre").arg(Num(s));
    if (!(mass >= kMinBox2DMass))
        problems.push_back(ObjectError(
            QString("the mass density %1 is too small: the object weighs %2 kg %3, below the %4 kg "
                    "Box2D can compute with")
                .arg(Num(density), Num(mass), at, Num(kMinBox2DMass))));
    else if (!(mass <= kMaxBox2DMass))
        problems.push_back(ObjectError(
            QString("the mass density %1 is too large: the object weighs %2 kg %3, above the %4 kg "
                    "Box2D can compute with")
                .arg(Num(density), Num(mass), at, Num(kMaxBox2DMass))));
    else if (!(inertia <= kMaxBox2DInertia))
        problems.push_back(ObjectError(
            QString("the object's moment of inertia %1 is %2 kg m², above the %3 kg m² Box2D can "
                    "compute with")
                .arg(at, Num(inertia), Num(kMaxBox2DInertia))));
    else if (!model.fixedRotation && !(inertia >= kMinBox2DInertia))
        problems.push_back(ObjectError(
            QString("the object's moment of inertia %1 is %2 kg m², below the %3 kg m² Box2D can "
                    "turn it with")
                .arg(at, Num(inertia), Num(kMinBox2DInertia))));
    return problems;
}

} // namespace physics
