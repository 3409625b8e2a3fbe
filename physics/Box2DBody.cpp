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
    for (const PhysicsFixture& f : model.fixtures) {
        b2FixtureDef fd;
        fd.density = float(model.density);
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
        body->CreateFixture(&fd);
    }
    b2MassData md;
    body->GetMassData(&md);
    if (md.mass > 0) {
        // GetMassData gives the inertia about the body's origin, which is what
        // SetMassData expects once the centre is that origin.
        md.center.SetZero();
        body->SetMassData(&md);
    }
    return body;
}
