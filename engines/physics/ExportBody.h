#pragma once
// What every engine format writes, read once from the physics model: the
// pieces around the user's center of mass (the body's origin), and the mass
// data at the chosen units per metre. Each format's writer only changes units
// and words.
#include "physics/PhysicsModel.h"

#include <vector>

struct ExportBody {
    // Convex polygons of 3 to 8 corners, wall boxes and discs, in file units
    // relative to the center of mass, y down: the model's own, not a copy (a
    // long polyline has millions).
    const std::vector<PhysicsFixture>& pieces;
    bool mayRotate = true;
    int polarity = 0;
    double unitsPerMetre = kDefaultUnitsPerMetre;
    double density = 0;     // the object's figure, read as kg per square metre
    double massKg = 0;      // at unitsPerMetre
    double inertiaKgM2 = 0; // about the center of mass, at unitsPerMetre
};

// model must be free of errors and outlive the result.
ExportBody MakeExportBody(const PhysicsModel& model);
