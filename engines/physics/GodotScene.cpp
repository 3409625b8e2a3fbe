#include "physics/GodotScene.h"
#include "physics/ExportNumber.h"

namespace {

std::string NodeName(const std::string& name) {
    std::string out;
    for (char c : name)
        out += std::string(".:@/\"%\\[]\n\r\t").find(c) == std::string::npos ? c : '_';
    return out.empty() ? "object" : out;
}

std::string Vector(double x, double y) {
    return "Vector2(" + ExportNumber(x) + ", " + ExportNumber(y) + ")";
}

std::string ShapeId(const PhysicsFixture& f, size_t index) {
    return (f.isCircle ? "CircleShape2D_" : "ConvexPolygonShape2D_") + std::to_string(index + 1);
}

} // namespace

std::string GodotScene(const ExportBody& body, const std::string& name, double pixelsPerUnit) {
    const double k = pixelsPerUnit;
    const double pixelsPerMetre = body.unitsPerMetre * k;
    std::string out =
        "[gd_scene load_steps=" + std::to_string(body.pieces.size() + 1) + " format=3]\n";
    for (size_t i = 0; i < body.pieces.size(); ++i) {
        const PhysicsFixture& f = body.pieces[i];
        out += "\n[sub_resource type=\"";
        out += f.isCircle ? "CircleShape2D" : "ConvexPolygonShape2D";
        out += "\" id=\"" + ShapeId(f, i) + "\"]\n";
        if (f.isCircle) {
            out += "radius = " + ExportNumber(f.radius * k) + "\n";
        } else {
            out += "points = PackedVector2Array(";
            for (size_t v = 0; v < f.vertices.size(); ++v) {
                out += v ? ", " : "";
                out += ExportNumber(f.vertices[v].x() * k) + ", " +
                       ExportNumber(f.vertices[v].y() * k);
            }
            out += ")\n";
        }
    }
    out += "\n[node name=\"" + NodeName(name) + "\" type=\"RigidBody2D\"]\n";
    out += "mass = " + ExportNumber(body.massKg) + "\n";
    // The body's origin is the user's center of mass, so the custom center
    // sits at the origin; the inertia about it is Morvet's, in kg px^2.
    out += "center_of_mass_mode = 1\n";
    out += "center_of_mass = Vector2(0, 0)\n";
    out += "inertia = " + ExportNumber(body.inertiaKgM2 * pixelsPerMetre * pixelsPerMetre) + "\n";
    if (!body.mayRotate)
        out += "lock_rotation = true\n";
    for (size_t i = 0; i < body.pieces.size(); ++i) {
        const PhysicsFixture& f = body.pieces[i];
        out += "\n[node name=\"Piece" + std::to_string(i + 1) +
               "\" type=\"CollisionShape2D\" parent=\".\"]\n";
        if (f.isCircle)
            out += "position = " + Vector(f.center.x() * k, f.center.y() * k) + "\n";
        out += "shape = SubResource(\"" + ShapeId(f, i) + "\")\n";
    }
    return out;
}
