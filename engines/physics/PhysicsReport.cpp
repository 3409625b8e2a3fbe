#include "physics/PhysicsReport.h"

QString FormatFigure(double value) {
    if (value == 0)
        value = 0; // no "-0"
    const QString s = QString::number(value, 'g', 6);
    return s == "-0" ? QString("0") : s;
}

QString FormatProblem(const PhysicsProblem& problem) {
    const QString text = QString("%1: %2").arg(
        problem.severity == PhysicsProblem::Error ? "error" : "note", problem.message);
    // A problem of the whole object reads as the file's own errors do.
    return problem.element < 0 ? text : QString("element %1: %2").arg(problem.element).arg(text);
}

QStringList FormatMassProperties(const PhysicsModel& model) {
    const MassProperties& m = model.mass;
    return {
        QString("area: %1").arg(FormatFigure(m.area)),
        QString("mass: %1").arg(FormatFigure(m.mass)),
        QString("centroid: (%1, %2) from the center of mass")
            .arg(FormatFigure(m.centroid.x()), FormatFigure(m.centroid.y())),
        QString("distance of the centroid: %1").arg(FormatFigure(m.distance)),
        QString("moment of inertia about the center of mass: %1")
            .arg(FormatFigure(m.inertiaAboutCenterOfMass)),
        QString("moment of inertia about the centroid: %1")
            .arg(FormatFigure(m.inertiaAboutCentroid)),
    };
}
