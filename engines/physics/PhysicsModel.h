#pragma once
// The physical reading of an object: what each element weighs, what is wrong
// with it for a physics engine, and the convex fixtures a Box2D body is made of.
// Coordinates are file units: relative to the user's center of mass, y down.
#include "object/CShape.h"

#include <QPointF>
#include <QString>
#include <vector>

struct PhysicsProblem {
    enum Severity { Error, Note } severity = Note;
    int element = -1; // index in the object's element list; -1 for the whole object
    QString message;
    bool hasPlace = false;
    QPointF place; // file units
};

// One Box2D fixture in file units. A polygon has 3 to 8 corners, convex, in
// the order that is counter-clockwise once y points up (Box2D's frame), and
// has been checked against Box2D's limits at the model's scale.
struct PhysicsFixture {
    bool isCircle = false;
    std::vector<QPointF> vertices;
    QPointF center;
    double radius = 0;
    int element = -1; // the element it comes from
};

struct MassProperties {
    double area = 0;                     // square units, overlaps counted in full
    double mass = 0;                     // density x area
    QPointF centroid;                    // relative to the center of mass
    double distance = 0;                 // of the centroid from the center of mass
    double inertiaAboutCenterOfMass = 0; // density x units^4
    double inertiaAboutCentroid = 0;
};

struct PhysicsModel {
    std::vector<PhysicsFixture> fixtures;
    std::vector<PhysicsProblem> problems; // the whole object's first, then in element order
    MassProperties mass;
    double density = 0; // per square unit here, per square metre in Box2D
    bool fixedRotation = false;
    int polarity = 0;
    double unitsPerMetre = 100;

    bool HasErrors() const;
    int ErrorCount() const;
};

// Box2D's limits as the export sees them.
constexpr double kDefaultUnitsPerMetre = 100;
constexpr double kMinUnitsPerMetre = 1;
constexpr double kMaxUnitsPerMetre = 400;
constexpr int kWallSegmentsPerCircle = 32;
constexpr double kWallThickness = 1;

// shape's coordinates are the file's, relative to the center of mass.
PhysicsModel BuildPhysicsModel(const CShape& shape, double unitsPerMetre = kDefaultUnitsPerMetre);

// Whether BuildPhysicsModel would find an area above zero, answered without
// building the model: it stops at the first element that carries mass.
bool HasPositiveArea(const CShape& shape);
