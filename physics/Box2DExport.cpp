#include "physics/Box2DExport.h"
#include "physics/Box2DCheck.h"
#include "physics/Box2DUnits.h"
#include "platform/WriteFileSafely.h"

#include <nlohmann/json.hpp>

using physics::ToMetresX;
using physics::ToMetresY;

namespace {

nlohmann::json Vec(double x, double y) {
    return nlohmann::json{{"x", x}, {"y", y}};
}

nlohmann::json Fixture(const PhysicsFixture& f, const PhysicsModel& model, int index) {
    const double s = model.unitsPerMetre;
    // No density: a loader that adds the fixtures one by one with theirs has
    // Box2D sum their mass in floats after each, where a small fixture far
    // from the body's origin leaves an inertia of zero or less, and Box2D
    // asserts. The body's mass data carries the object's mass, and its custom
    // properties the density.
    nlohmann::json j{{"name", "fixture" + std::to_string(index)},
                     {"density", 0.0},
                     {"friction", kBox2DFriction},
                     {"restitution", kBox2DRestitution}};
    if (f.isCircle) {
        j["circle"] = {{"center", Vec(ToMetresX(f.center.x(), s), ToMetresY(f.center.y(), s))},
                       {"radius", f.radius / s}};
    } else {
        nlohmann::json xs = nlohmann::json::array(), ys = nlohmann::json::array();
        for (const QPointF& v : f.vertices) {
            xs.push_back(ToMetresX(v.x(), s));
            ys.push_back(ToMetresY(v.y(), s));
        }
        j["polygon"] = {{"vertices", {{"x", xs}, {"y", ys}}}};
    }
    return j;
}

} // namespace

bool IsExportScale(double unitsPerMetre) {
    return unitsPerMetre >= kMinUnitsPerMetre && unitsPerMetre <= kMaxUnitsPerMetre;
}

std::string Box2DJson(const PhysicsModel& model) {
    const double s = model.unitsPerMetre;
    nlohmann::json fixtures = nlohmann::json::array();
    for (size_t i = 0; i < model.fixtures.size(); ++i)
        fixtures.push_back(Fixture(model.fixtures[i], model, int(i)));
    nlohmann::json body{{"name", "object"},
                        {"type", 2},
                        {"angle", 0},
                        {"angularVelocity", 0},
                        {"linearVelocity", Vec(0, 0)},
                        {"position", Vec(0, 0)},
                        {"awake", true},
                        {"fixedRotation", model.fixedRotation},
                        {"massData-mass", model.mass.mass / (s * s)},
                        {"massData-center", Vec(0, 0)},
                        {"massData-I", model.mass.inertiaAboutCenterOfMass / (s * s * s * s)},
                        {"customProperties",
                         nlohmann::json::array({{{"name", "polarity"}, {"int", model.polarity}},
                                                {{"name", "density"}, {"float", model.density}}})},
                        {"fixture", fixtures}};
    nlohmann::json world{{"gravity", Vec(0, -10)},  {"allowSleep", true},
                         {"autoClearForces", true}, {"continuousPhysics", true},
                         {"subStepping", false},    {"warmStarting", true},
                         {"positionIterations", 3}, {"velocityIterations", 8},
                         {"stepsPerSecond", 60},    {"body", nlohmann::json::array({body})}};
    return world.dump(2) + "\n";
}

ExportResult ExportBox2DFile(const CShape& shape, CPoint origin, double unitsPerMetre,
                             const QString& path, QString* why) {
    if (!IsExportScale(unitsPerMetre)) {
        *why = QString("the scale must lie between %1 and %2 units per metre")
                   .arg(kMinUnitsPerMetre)
                   .arg(kMaxUnitsPerMetre);
        return ExportResult::BadScale;
    }
    const Box2DCheck check = CheckForBox2D(shape, origin, unitsPerMetre);
    if (!check.Passed()) {
        *why = check.errors.join('\n');
        return ExportResult::ObjectErrors;
    }
    if (!WriteFileSafely(path, QByteArray::fromStdString(Box2DJson(check.model)), why))
        return ExportResult::WriteFailed;
    return ExportResult::Written;
}
