#include "physics/Box2DBody.h"
#include "physics/Box2DUnits.h"

#include <box2d/b2_circle_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>

using physics::ToBox2D;

b2Body* CreateBox2DBody(b2World& world, const PhysicsModel& model, double unitsPerMetre,
                        b2Vec2 position, float friction, float restitution) {
    // The model's checks were made at its own scale; at another, corners that
    // passed could be welded by Box2D, which asserts.
    if (model.HasErrors() || unitsPerMetre != model.unitsPerMetre || world.IsLocked())
        return nullptr;
    b2BodyDef def;
    def.type = b2_dynamicBody;
    def.position = position;
    def.fixedRotation = model.fixedRotation;
    b2Body* body = world.CreateBody(&def);
    const float density = float(model.density);
    // Fixtures join with no density: each one with a density makes Box2D work
    // out the inertia about the centroid in floats, as the difference of two
    // large numbers, and a small element far from the center of mass leaves
    // nothing positive of it, which Box2D asserts on. The mass data is set
    // once below, from the model's figures in doubles (those the export writes).
    for (const PhysicsFixture& f : model.fixtures) {
        b2FixtureDef fd;
        fd.density = 0.0f;
        fd.friction = friction;
        fd.restitution = restitution;
        b2CircleShape circle;
        b2PolygonShape polygon;
        if (f.isCircle) {
            circle.m_p = ToBox2D(f.center, unitsPerMetre);
            circle.m_radius = float(f.radius / unitsPerMetre);
            fd.shape = &circle;
        } else {
            b2Vec2 v[b2_maxPolygonVertices];
            const int n = int(f.vertices.size());
            if (n < 3 || n > b2_maxPolygonVertices)
                continue; // never in a checked model
            for (int i = 0; i < n; ++i)
                v[i] = ToBox2D(f.vertices[size_t(i)], unitsPerMetre);
            polygon.Set(v, n);
            fd.shape = &polygon;
        }
        b2Fixture* fixture = body->CreateFixture(&fd);
        if (b2IsValid(density) && density >= 0.0f) // SetDensity asserts on anything else
            fixture->SetDensity(density);
    }
    // The centre is the body's origin, the user's center of mass, about which
    // the model's inertia is taken.
    const double s2 = unitsPerMetre * unitsPerMetre;
    b2MassData md;
    md.mass = float(model.mass.mass / s2);
    md.center.SetZero();
    md.I = float(model.mass.inertiaAboutCenterOfMass / (s2 * s2));
    if (md.mass > 0)
        body->SetMassData(&md);
    return body;
}
