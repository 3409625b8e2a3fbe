#pragma once
#include "physics/PhysicsModel.h"
#include "platform/CPoint.h"
#include "simulation/SimulationSettings.h"

#include <QLineF>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CShape;
class b2Body;
class b2MouseJoint;
class b2World;

// Where the body is after a number of steps. Positions are the center of mass
// in file units, y down, relative to where it started; the angle is in
// degrees, clockwise on screen.
struct SimulationState {
    int steps = 0;
    double t = 0;
    double x = 0, y = 0;
    double angle = 0;
    bool awake = true;
};

// The object dropped onto a floor in a Box2D world, advanced in fixed steps of
// 1/60 s. The body comes from the same model and builder as the Box2D export.
// Everything is given and read in the scene's coordinates: file units, y down,
// the center of mass's starting place at (0, 0).
//
// Nothing reaches Box2D unchecked: an object with validity errors, settings
// out of range or a size the engine's floats cannot hold gets no world.
class Simulation {
public:
    static constexpr double kStep = 1.0 / 60.0;
    static constexpr int kVelocityIterations = 8;
    static constexpr int kPositionIterations = 3;

    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Builds the world for the object (its coordinates are the file's,
    // relative to the center of mass). Returns false, with Errors() saying why (one line each,
    // as "element 2: error: ..." or "error: ..."), when the object cannot be
    // simulated; any earlier world is gone either way.
    bool Start(const CShape& shape, const SimulationSettings& settings);
    // Frees the world.
    void Stop();
    bool IsRunning() const { return m_world != nullptr; }
    const QStringList& Errors() const { return m_errors; }
    const PhysicsModel& Model() const { return m_model; }
    const SimulationSettings& Settings() const { return m_settings; }

    // One fixed step.
    void Step();
    // Adds simulated time and runs the steps that have come due, as long as
    // mayContinue (asked before each) agrees; time it refuses is dropped, so a
    // slow machine shows the fall slower instead of freezing. Returns the
    // number of steps run.
    int Advance(double seconds, const std::function<bool()>& mayContinue = {});
    // Takes effect from the next step.
    void SetGravity(double metresPerSecond2);

    SimulationState State() const;
    // The body's pose: its center of mass and its angle clockwise in radians.
    QPointF Position() const;
    double AngleRadians() const;
    // The floor's top edge, long enough to reach past anything in view.
    QLineF FloorTop() const { return m_floorTop; }

    // The mouse: a grab within tolerance (file units) of the body pulls that
    // point of the body towards wherever it is dragged; the release lets go
    // with the velocity it has, which throws it.
    bool Grab(QPointF point, double tolerance);
    void DragTo(QPointF point);
    void Release();
    bool IsGrabbing() const { return m_mouseJoint != nullptr; }
    QPointF GrabTarget() const;

private:
    bool Refuse(const QString& message);
    void BuildFloor();

    SimulationSettings m_settings;
    PhysicsModel m_model;
    QStringList m_errors;
    std::unique_ptr<b2World> m_world;
    b2Body* m_body = nullptr;
    b2Body* m_floor = nullptr;
    b2MouseJoint* m_mouseJoint = nullptr;
    QLineF m_floorTop;
    double m_accumulator = 0;
    int m_steps = 0;
};
