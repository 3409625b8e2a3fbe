#pragma once
// What Box2D's floats hold with the precision it needs, and the whole
// object's problems against those bounds. Each element's own checks (corners
// Box2D would weld, coordinates too far out) are made as its fixtures are built.
#include "physics/PhysicsModel.h"

#include <vector>

namespace physics {

// At this distance from the body's origin a float's step is already a fifth
// of Box2D's linear slop (0.005 m); farther out, rounding alone moves corners
// and contacts by as much as the tolerances Box2D works with.
constexpr double kMaxBox2DMetres = 1e4;
// A mass below the lower bound leaves an inverse mass that overflows; above
// the upper one the mouse joint's 2 x 2 effective mass, whose determinant
// goes as 1 / mass squared, falls below the smallest normal float and its
// inverse overflows (found by fuzzing at 4e19 kg).
constexpr double kMinBox2DMass = 1e-12, kMaxBox2DMass = 1e15;       // kg
constexpr double kMinBox2DInertia = 1e-24, kMaxBox2DInertia = 1e24; // kg m^2

// The object's own errors (element -1): a mass density that is not a
// positive number, and, once every element has passed, no mass at all or a
// mass or moment of inertia (at the model's scale) beyond the bounds above.
std::vector<PhysicsProblem> ObjectLimitProblems(const PhysicsModel& model);

} // namespace physics
