#pragma once
// The one place a Box2D body is made from a physics model.
#include "physics/PhysicsModel.h"

#include <box2d/b2_body.h>
#include <box2d/b2_world.h>

// Creates a dynamic body at position (metres, Box2D's y up) with one fixture
// per model fixture (y flipped, scaled by 1 / unitsPerMetre), each of the
// model's density read as per square metre, fixed rotation when the object may
// not rotate, and the mass centre moved to the body's origin: the user's center
// of mass. Returns null, creating nothing, for a model with errors, a scale
// other than the model's, or a locked world (inside a time step).
b2Body* CreateBox2DBody(b2World& world, const PhysicsModel& model, double unitsPerMetre,
                        b2Vec2 position, float friction, float restitution);
