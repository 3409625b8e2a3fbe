#include "physics/Box2DCheck.h"
#include "physics/PhysicsReport.h"

Box2DCheck CheckForBox2D(const CShape& shape, double unitsPerMetre) {
    Box2DCheck check;
    // NaN fails both comparisons.
    if (!(unitsPerMetre >= kMinUnitsPerMetre && unitsPerMetre <= kMaxUnitsPerMetre)) {
        check.errors << QString("error: the scale must lie between %1 and %2 units per metre")
                            .arg(kMinUnitsPerMetre)
                            .arg(kMaxUnitsPerMetre);
        return check;
    }
    check.model = BuildPhysicsModel(shape, unitsPerMetre);
    for (const PhysicsProblem& p : check.model.problems)
        if (p.severity == PhysicsProblem::Error)
            check.errors << FormatProblem(p);
    return check;
}
