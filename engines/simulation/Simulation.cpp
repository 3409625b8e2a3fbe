#include "simulation/Simulation.h"

#include "object/CShape.h"
#include "physics/Box2DBody.h"
#include "physics/Box2DCheck.h"
#include "physics/Box2DLimits.h"

#include <box2d/b2_distance.h>
#include <box2d/box2d.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;
// Box2D computes in floats and is tuned for bodies of a few metres: beyond
// this many metres from the start, positions lose the precision contacts need.
constexpr double kMaxWorldMetres = physics::kMaxBox2DMetres;
// The mouse joint's pull: stiff enough to lift the body, soft enough to swing it.
constexpr float kMouseHertz = 5.0f;
constexpr float kMouseDampingRatio = 0.7f;
constexpr float kMouseForcePerWeight = 1000.0f;
// A sloped floor's edges: the shortest (metres), and how many times its
// distance from the start an edge further out may be shorter than.
constexpr double kMinFloorEdge = 0.2;
constexpr double kFloorEdgeGrowth = 64;

// The largest distance of the model's fixtures from the center of mass and
// their farthest reach along a direction (file units).
double Extent(const PhysicsModel& model) {
    double extent = 0;
    for (const PhysicsFixture& f : model.fixtures) {
        if (f.isCircle)
            extent = std::max(extent, std::hypot(f.center.x(), f.center.y()) + f.radius);
        else
            for (const QPointF& v : f.vertices)
                extent = std::max(extent, std::hypot(v.x(), v.y()));
    }
    return extent;
}

double Reach(const PhysicsModel& model, QPointF direction) {
    double reach = -DBL_MAX;
    for (const PhysicsFixture& f : model.fixtures) {
        if (f.isCircle)
            reach = std::max(reach, QPointF::dotProduct(f.center, direction) + f.radius);
        else
            for (const QPointF& v : f.vertices)
                reach = std::max(reach, QPointF::dotProduct(v, direction));
    }
    return reach;
}
} // namespace

Simulation::Simulation() = default;

Simulation::~Simulation() {
    Stop();
}

void Simulation::Stop() {
    // The world owns its bodies and joints; the pointers die with it.
    m_mouseJoint = nullptr;
    m_body = nullptr;
    m_floor = nullptr;
    m_world.reset();
    m_accumulator = 0;
    m_steps = 0;
}

bool Simulation::Refuse(const QString& message) {
    // Worded as the model's own problems are, which start with their element.
    QString text = message;
    text[0] = text[0].toLower();
    m_errors << QStringLiteral("error: ") + text;
    return false;
}

bool Simulation::Start(const CShape& shape, const SimulationSettings& settings) {
    Stop();
    m_errors.clear();
    m_settings = settings;
    const QString settingsError = CheckSimulationSettings(settings);
    if (!settingsError.isEmpty())
        return Refuse(settingsError);

    // The one judgement the export and the editor's panel make too: density,
    // mass, inertia and every coordinate within what Box2D's floats hold.
    Box2DCheck check = CheckForBox2D(shape, settings.unitsPerMetre);
    m_model = std::move(check.model);
    if (!check.Passed()) {
        m_errors = check.errors;
        return false;
    }
    const double scale = settings.unitsPerMetre;
    const double extent = Extent(m_model);
    if (!((extent + settings.drop) / scale <= kMaxWorldMetres)) {
        // The object alone fits (the check above saw to it), so a lower drop
        // always does; more units per metre only where the range allows.
        const double enough = std::ceil((extent + settings.drop) / kMaxWorldMetres);
        return Refuse(
            QStringLiteral("The object and its drop span more than %1 metres at %2 "
                           "units per metre, too far for Box2D's precision; %3.")
                .arg(kMaxWorldMetres)
                .arg(scale)
                .arg(enough <= SimulationSettings::kMaxScale
                         ? QStringLiteral("lower the drop or use %1 units per metre").arg(enough)
                         : QStringLiteral("lower the drop")));
    }

    m_world = std::make_unique<b2World>(b2Vec2(0.0f, -float(settings.gravity)));
    BuildFloor();
    m_body = CreateBox2DBody(*m_world, m_model, scale, b2Vec2(0.0f, 0.0f), float(settings.friction),
                             float(settings.restitution));
    if (!m_body) {
        Stop();
        return Refuse(QStringLiteral("Box2D refused the object's body."));
    }
    return true;
}

void Simulation::BuildFloor() {
    const double scale = m_settings.unitsPerMetre;
    const double angle = m_settings.floorAngle * kPi / 180.0;
    // The floor's downward normal and its direction, in file units (y down):
    // a positive angle turns the floor clockwise on screen.
    const QPointF normal(-std::sin(angle), std::cos(angle));
    const QPointF along(std::cos(angle), std::sin(angle));
    const double top = Reach(m_model, normal) + m_settings.drop;
    const double extentMetres = (Extent(m_model) + m_settings.drop) / scale;
    const double halfLength = std::max(1000.0, 100.0 * extentMetres);
    const double halfThickness = 0.5 * std::max(1.0, extentMetres);

    const QPointF foot = normal * top;
    m_floorTop = QLineF(foot - along * halfLength * scale, foot + along * halfLength * scale);
    const QPointF middle = foot + normal * (halfThickness * scale);

    b2BodyDef def;
    def.type = b2_staticBody;
    m_floor = m_world->CreateBody(&def);
    b2FixtureDef fixture;
    fixture.friction = float(m_settings.friction);
    fixture.restitution = float(m_settings.restitution);
    if (angle == 0) {
        b2PolygonShape box;
        box.SetAsBox(float(halfLength), float(halfThickness),
                     b2Vec2(float(middle.x() / scale), float(-middle.y() / scale)), float(-angle));
        fixture.shape = &box;
        m_floor->CreateFixture(&fixture);
        return;
    }
    // A turned box's bounding box would hold everything above the slope, and
    // the broad phase would pair every fixture of the body with it. A chain of
    // short edges along the top keeps each bounding box thin, and its ghost
    // corners let bodies slide over the joints as over one face. The edges are
    // short where the body starts and grow with the distance from there.
    const double fine = std::max(Extent(m_model) / scale / 16, kMinFloorEdge);
    std::vector<double> stations{0.0};
    while (stations.back() < halfLength) {
        const double step = std::max(fine, stations.back() / kFloorEdgeGrowth);
        const double next = stations.back() + step;
        // No sliver at the end: Box2D refuses corners closer than its slop.
        stations.push_back(halfLength - next < step / 2 ? halfLength : next);
    }
    // From the right end to the left one, so that the edges' one side (their
    // right) faces up.
    std::vector<b2Vec2> points;
    points.reserve(2 * stations.size() - 1);
    const auto onTop = [&](double metres) {
        const QPointF p = foot + along * (metres * scale);
        return b2Vec2(float(p.x() / scale), float(-p.y() / scale));
    };
    for (auto it = stations.rbegin(); it != stations.rend(); ++it)
        points.push_back(onTop(*it));
    for (auto it = std::next(stations.begin()); it != stations.end(); ++it)
        points.push_back(onTop(-*it));
    b2ChainShape chain;
    chain.CreateChain(points.data(), int32(points.size()), onTop(2 * halfLength),
                      onTop(-2 * halfLength));
    fixture.shape = &chain;
    m_floor->CreateFixture(&fixture);
}

void Simulation::Step() {
    if (!m_world)
        return;
    m_world->Step(float(kStep), kVelocityIterations, kPositionIterations);
    ++m_steps;
}

int Simulation::Advance(double seconds, const std::function<bool()>& mayContinue) {
    if (!m_world || !(seconds > 0))
        return 0;
    m_accumulator += seconds;
    int steps = 0;
    // The tolerance keeps a frame of exactly one step from rounding down to none.
    while (m_accumulator >= kStep - 1e-9) {
        if (mayContinue && !mayContinue()) {
            m_accumulator = 0;
            break;
        }
        Step();
        m_accumulator -= kStep;
        ++steps;
    }
    return steps;
}

void Simulation::SetGravity(double metresPerSecond2) {
    m_settings.gravity = metresPerSecond2;
    if (m_world)
        m_world->SetGravity(b2Vec2(0.0f, -float(metresPerSecond2)));
    if (m_body)
        m_body->SetAwake(true);
}

QPointF Simulation::Position() const {
    if (!m_body)
        return QPointF();
    const b2Vec2 p = m_body->GetPosition();
    const double scale = m_settings.unitsPerMetre;
    return QPointF(double(p.x) * scale, -double(p.y) * scale);
}

double Simulation::AngleRadians() const {
    // Box2D turns anticlockwise with y up, which is anticlockwise on screen too.
    return m_body ? -double(m_body->GetAngle()) : 0.0;
}

SimulationState Simulation::State() const {
    SimulationState s;
    s.steps = m_steps;
    s.t = m_steps * kStep;
    const QPointF p = Position();
    s.x = p.x();
    s.y = p.y();
    // + 0.0 turns a negative zero into zero.
    s.angle = AngleRadians() * 180.0 / kPi + 0.0;
    s.awake = m_body && m_body->IsAwake();
    return s;
}

bool Simulation::Grab(QPointF point, double tolerance) {
    if (!m_body)
        return false;
    Release();
    const double scale = m_settings.unitsPerMetre;
    const b2Vec2 target(float(point.x() / scale), float(-point.y() / scale));
    const float reach = float(std::max(0.0, tolerance) / scale);
    bool hit = false;
    for (b2Fixture* f = m_body->GetFixtureList(); f && !hit; f = f->GetNext()) {
        b2DistanceInput input;
        input.proxyA.Set(f->GetShape(), 0);
        input.proxyB.Set(&target, 1, 0.0f);
        input.transformA = m_body->GetTransform();
        input.transformB.SetIdentity();
        input.useRadii = true;
        b2SimplexCache cache;
        cache.count = 0;
        b2DistanceOutput output;
        b2Distance(&output, &cache, &input);
        hit = output.distance <= reach;
    }
    if (!hit)
        return false;
    b2MouseJointDef def;
    def.bodyA = m_floor;
    def.bodyB = m_body;
    def.target = target;
    const float weight = m_body->GetMass() * float(std::max(m_settings.gravity, 9.81));
    def.maxForce = kMouseForcePerWeight * weight;
    b2LinearStiffness(def.stiffness, def.damping, kMouseHertz, kMouseDampingRatio, m_floor, m_body);
    m_mouseJoint = static_cast<b2MouseJoint*>(m_world->CreateJoint(&def));
    m_body->SetAwake(true);
    return true;
}

void Simulation::DragTo(QPointF point) {
    if (!m_mouseJoint)
        return;
    // The pointer may be anywhere, however far the view is zoomed out.
    const double scale = m_settings.unitsPerMetre;
    const double reach = 10 * kMaxWorldMetres;
    const double x = std::clamp(point.x() / scale, -reach, reach);
    const double y = std::clamp(-point.y() / scale, -reach, reach);
    m_mouseJoint->SetTarget(b2Vec2(float(x), float(y)));
}

void Simulation::Release() {
    if (!m_mouseJoint)
        return;
    m_world->DestroyJoint(m_mouseJoint);
    m_mouseJoint = nullptr;
}

QPointF Simulation::GrabTarget() const {
    if (!m_mouseJoint)
        return QPointF();
    const b2Vec2 t = m_mouseJoint->GetTarget();
    const double scale = m_settings.unitsPerMetre;
    return QPointF(double(t.x) * scale, -double(t.y) * scale);
}
