#include "physics/Box2DExport.h"
#include "physics/Box2DUnits.h"
#include "physics/ExportBody.h"

#include <nlohmann/json.hpp>

#include <algorithm>

using physics::ToMetresX;
using physics::ToMetresY;

namespace {

nlohmann::json Vec(double x, double y) {
    return nlohmann::json{{"x", x}, {"y", y}};
}

nlohmann::json Fixture(const PhysicsFixture& f, double s, int index) {
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
    return Box2DJson(MakeExportBody(model));
}

std::string Box2DJson(const ExportBody& exported) {
    const double s = exported.unitsPerMetre;
    // One document holding every fixture took gigabytes for a long polyline
    // (a fixture per segment): the fixtures are written one at a time into the
    // frame's text, in the place a marker keeps, as dump(2) would indent them.
    const std::string marker = "\"fixture list\"";
    nlohmann::json body{
        {"name", "object"},
        {"type", 2},
        {"angle", 0},
        {"angularVelocity", 0},
        {"linearVelocity", Vec(0, 0)},
        {"position", Vec(0, 0)},
        {"awake", true},
        {"fixedRotation", !exported.mayRotate},
        {"massData-mass", exported.massKg},
        {"massData-center", Vec(0, 0)},
        {"massData-I", exported.inertiaKgM2},
        {"customProperties",
         nlohmann::json::array({{{"name", "polarity"}, {"int", exported.polarity}},
                                {{"name", "density"}, {"float", exported.density}}})},
        {"fixture", "fixture list"}};
    nlohmann::json world{{"gravity", Vec(0, -10)},  {"allowSleep", true},
                         {"autoClearForces", true}, {"continuousPhysics", true},
                         {"subStepping", false},    {"warmStarting", true},
                         {"positionIterations", 3}, {"velocityIterations", 8},
                         {"stepsPerSecond", 60},    {"body", nlohmann::json::array({body})}};
    const std::string frame = world.dump(2) + "\n";
    const size_t at = frame.find(marker);
    const size_t lineStart = frame.rfind('\n', at) + 1;
    const size_t indent = frame.find_first_not_of(' ', lineStart) - lineStart;
    std::string out(frame, 0, at);
    if (exported.pieces.empty()) {
        out += "[]";
    } else {
        const std::string inner(indent + 2, ' ');
        out += "[\n";
        for (size_t i = 0; i < exported.pieces.size(); ++i) {
            if (i > 0)
                out += ",\n";
            out += inner;
            const std::string text = Fixture(exported.pieces[i], s, int(i)).dump(2);
            if (i == 0) {
                // Room for as many fixtures like the first, and a little more.
                const size_t lines = size_t(std::count(text.begin(), text.end(), '\n')) + 1;
                const size_t each = text.size() + lines * inner.size() + 2;
                out.reserve(frame.size() + each * exported.pieces.size() / 10 * 11);
            }
            for (size_t from = 0;;) {
                const size_t end = text.find('\n', from);
                if (end == std::string::npos) {
                    out.append(text, from, std::string::npos);
                    break;
                }
                out.append(text, from, end + 1 - from);
                out += inner;
                from = end + 1;
            }
        }
        out += '\n';
        out.append(indent, ' ');
        out += ']';
    }
    out.append(frame, at + marker.size(), std::string::npos);
    return out;
}
