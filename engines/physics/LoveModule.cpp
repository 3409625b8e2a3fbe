#include "physics/LoveModule.h"
#include "physics/ExportNumber.h"

std::string LoveModule(const ExportBody& body, double pixelsPerUnit) {
    const double k = pixelsPerUnit;
    // LÖVE divides every length by its metre and multiplies inertia by its
    // square, so writing at body.unitsPerMetre x k pixels per metre gives
    // Box2D the metres the Box2D export gives it.
    const double meter = body.unitsPerMetre * k;
    std::string out =
        "-- Written by Morvet. Call love.physics.setMeter(meter) before making the\n"
        "-- body; add the fixtures with density 0, then body:setMassData(massData.x,\n"
        "-- massData.y, massData.mass, massData.inertia).\n"
        "return {\n";
    out += "  meter = " + ExportNumber(meter) + ",\n";
    out += "  density = " + ExportNumber(body.density) + ",\n";
    out += std::string("  fixedRotation = ") + (body.mayRotate ? "false" : "true") + ",\n";
    out += "  massData = {x = 0, y = 0, mass = " + ExportNumber(body.massKg) +
           ", inertia = " + ExportNumber(body.inertiaKgM2 * meter * meter) + "},\n";
    std::string polygons = "  polygons = {\n", circles = "  circles = {\n";
    for (const PhysicsFixture& f : body.pieces) {
        if (f.isCircle) {
            circles += "    {x = " + ExportNumber(f.center.x() * k) +
                       ", y = " + ExportNumber(f.center.y() * k) +
                       ", radius = " + ExportNumber(f.radius * k) + "},\n";
            continue;
        }
        polygons += "    {";
        for (size_t v = 0; v < f.vertices.size(); ++v) {
            polygons += v ? ", " : "";
            polygons +=
                ExportNumber(f.vertices[v].x() * k) + ", " + ExportNumber(f.vertices[v].y() * k);
        }
        polygons += "},\n";
    }
    out += polygons + "  },\n" + circles + "  },\n}\n";
    return out;
}
