#pragma once
// The one judgement of what may go to Box2D. The Physics panel, morvet-tool
// check --physics, the export and the simulation all decide through it, so an
// object that one of them takes, every other takes, and nothing that Box2D or
// a loader over it would stop on gets through any of them.
#include "physics/PhysicsModel.h"

#include <QStringList>

struct Box2DCheck {
    PhysicsModel model; // figures, fixtures and every problem, notes included
    QStringList errors; // the errors, one a line, as FormatProblem words them
    bool Passed() const { return errors.isEmpty(); }
};

// Builds the model at the scale and judges it: each element against Box2D's
// limits (corners it would weld, coordinates beyond its precision), then the
// whole object (mass density, mass and inertia representable in floats).
// A scale outside 1 to 400 units per metre is an error of its own, with an
// empty model.
Box2DCheck CheckForBox2D(const CShape& shape, double unitsPerMetre);
