#include "physics/ExportBody.h"

ExportBody MakeExportBody(const PhysicsModel& model) {
    ExportBody body{model.fixtures};
    body.mayRotate = !model.fixedRotation;
    body.polarity = model.polarity;
    body.unitsPerMetre = model.unitsPerMetre;
    body.density = model.density;
    const double s = model.unitsPerMetre;
    body.massKg = model.mass.mass / (s * s);
    body.inertiaKgM2 = model.mass.inertiaAboutCenterOfMass / (s * s * s * s);
    return body;
}
