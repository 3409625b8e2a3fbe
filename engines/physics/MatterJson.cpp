#include "physics/MatterJson.h"
#include "physics/ExportNumber.h"

#include <nlohmann/json.hpp>

namespace {

// Where Matter places a part made of these vertices: their area centroid.
QPointF AreaCentroid(const std::vector<QPointF>& v) {
    double area = 0, x = 0, y = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const QPointF& a = v[i];
        const QPointF& b = v[(i + 1) % v.size()];
        const double cross = a.x() * b.y() - b.x() * a.y();
        area += cross;
        x += (a.x() + b.x()) * cross;
        y += (a.y() + b.y()) * cross;
    }
    return QPointF(x / (3 * area), y / (3 * area));
}

} // namespace

std::string MatterJson(const ExportBody& body, const std::string& name, double pixelsPerUnit) {
    const double k = pixelsPerUnit;
    const double pixelsPerMetre = body.unitsPerMetre * k;
    // Matter's mass is its density times the area in square pixels.
    const std::string density = ExportNumber(body.density / (pixelsPerMetre * pixelsPerMetre));
    const auto point = [k](const QPointF& p) {
        return "{\"x\": " + ExportNumber(p.x() * k) + ", \"y\": " + ExportNumber(p.y() * k) + "}";
    };
    // Written piece by piece: a document of a long polyline's millions of
    // pieces would take gigabytes.
    const std::string quoted = nlohmann::json(name).dump();
    std::string out = "{\n  " + quoted +
                      ": {\n    \"type\": \"fromPhysicsEditor\",\n    \"label\": " + quoted +
                      ",\n    \"isStatic\": false,\n    \"fixtures\": [";
    for (size_t i = 0; i < body.pieces.size(); ++i) {
        const PhysicsFixture& f = body.pieces[i];
        out += i ? ",\n      {" : "\n      {";
        out += "\"label\": \"piece" + std::to_string(i + 1) + "\", \"density\": " + density + ", ";
        if (f.isCircle) {
            out += "\"circle\": {\"x\": " + ExportNumber(f.center.x() * k) +
                   ", \"y\": " + ExportNumber(f.center.y() * k) +
                   ", \"radius\": " + ExportNumber(f.radius * k) + "}}";
        } else {
            out += "\"vertices\": [[";
            for (size_t v = 0; v < f.vertices.size(); ++v)
                out += (v ? ", " : "") + point(f.vertices[v]);
            out += "]]}";
        }
    }
    const PhysicsFixture* first = body.pieces.empty() ? nullptr : &body.pieces.front();
    const QPointF firstCentre = !first            ? QPointF()
                                : first->isCircle ? first->center
                                                  : AreaCentroid(first->vertices);
    out += "\n    ],\n    \"morvet\": {\"mass\": " + ExportNumber(body.massKg) +
           ", \"inertia\": " + ExportNumber(body.inertiaKgM2 * pixelsPerMetre * pixelsPerMetre) +
           ", \"mayRotate\": " + (body.mayRotate ? "true" : "false") +
           ", \"firstPieceCentre\": " + point(firstCentre) + "}\n  }\n}\n";
    return out;
}
