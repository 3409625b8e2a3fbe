#include "physics/MatterJson.h"

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
    const double density = body.density / (pixelsPerMetre * pixelsPerMetre);
    nlohmann::json fixtures = nlohmann::json::array();
    QPointF firstCentre;
    for (size_t i = 0; i < body.pieces.size(); ++i) {
        const PhysicsFixture& f = body.pieces[i];
        nlohmann::json fixture{{"label", "piece" + std::to_string(i + 1)}, {"density", density}};
        if (f.isCircle) {
            fixture["circle"] = {
                {"x", f.center.x() * k}, {"y", f.center.y() * k}, {"radius", f.radius * k}};
        } else {
            nlohmann::json points = nlohmann::json::array();
            for (const QPointF& v : f.vertices)
                points.push_back({{"x", v.x() * k}, {"y", v.y() * k}});
            fixture["vertices"] = nlohmann::json::array({points});
        }
        fixtures.push_back(fixture);
        if (i == 0)
            firstCentre = f.isCircle ? f.center : AreaCentroid(f.vertices);
    }
    nlohmann::json morvet{
        {"mass", body.massKg},
        {"inertia", body.inertiaKgM2 * pixelsPerMetre * pixelsPerMetre},
        {"mayRotate", body.mayRotate},
        {"firstPieceCentre", {{"x", firstCentre.x() * k}, {"y", firstCentre.y() * k}}}};
    nlohmann::json entry{{"type", "fromPhysicsEditor"},
                         {"label", name},
                         {"isStatic", false},
                         {"fixtures", fixtures},
                         {"morvet", morvet}};
    return nlohmann::json{{name, entry}}.dump(2) + "\n";
}
