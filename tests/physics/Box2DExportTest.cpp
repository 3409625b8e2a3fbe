// The export read back the way a b2dJson loader reads it, into a real Box2D
// world: the mass Box2D computes from the fixtures must be the file's.
#include "physics/Box2DExport.h"
#include "physics/Box2DBody.h"

#include <QTemporaryDir>
#include <box2d/box2d.h>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace {

using nlohmann::json;

void AddPath(CShape& s, int type, std::vector<POINT> pts) {
    auto* p = new POINT[pts.size()];
    std::copy(pts.begin(), pts.end(), p);
    s.AppendElement(type, 0xFF, int(pts.size()), p);
}

// Every kind of element, the center of mass away from the centroid.
CShape Sample() {
    CShape s;
    s.m_dMassDensity = 3.5;
    s.m_nPolarity = POLARITY_NEGATIVE;
    AddPath(s, PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}});
    std::vector<POINT> twelve;
    for (int k = 0; k < 12; ++k)
        twelve.push_back(POINT{int32_t(std::lround(-150 + 40 * std::cos(k * 0.52359877559))),
                               int32_t(std::lround(60 + 40 * std::sin(k * 0.52359877559)))});
    AddPath(s, PRIM_POLYGON, twelve);
    AddPath(s, PRIM_POLYLINE, {{-50, -50}, {70, -40}, {70, -40}, {90, 10}});
    AddPath(s, PRIM_POLYLINE, {{5, 5}}); // a note, left out
    s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{100, 100}, {30, 30}});
    s.AppendElement(PRIM_FILLED_CIRCLE, 0, 2, new POINT[2]{{-80, -90}, {25, 25}});
    return s;
}

struct Loaded {
    float mass = 0, inertia = 0; // summed over the fixtures, about the body's origin
    json body;
};

// Builds the world from the file as a loader does: polygons through
// b2PolygonShape::Set, circles as they stand.
Loaded LoadIntoWorld(const json& doc, b2World& world) {
    Loaded out;
    out.body = doc.at("body").at(0);
    b2BodyDef def;
    def.type = b2BodyType(out.body.at("type").get<int>());
    def.fixedRotation = out.body.at("fixedRotation").get<bool>();
    b2Body* body = world.CreateBody(&def);
    for (const json& f : out.body.at("fixture")) {
        b2FixtureDef fd;
        fd.density = f.at("density").get<float>();
        fd.friction = f.at("friction").get<float>();
        fd.restitution = f.at("restitution").get<float>();
        b2PolygonShape polygon;
        b2CircleShape circle;
        if (f.contains("circle")) {
            circle.m_p.Set(f["circle"]["center"]["x"].get<float>(),
                           f["circle"]["center"]["y"].get<float>());
            circle.m_radius = f["circle"]["radius"].get<float>();
            fd.shape = &circle;
        } else {
            const json& xs = f.at("polygon").at("vertices").at("x");
            const json& ys = f.at("polygon").at("vertices").at("y");
            b2Vec2 v[b2_maxPolygonVertices];
            EXPECT_EQ(xs.size(), ys.size());
            EXPECT_LE(xs.size(), size_t(b2_maxPolygonVertices));
            for (size_t i = 0; i < xs.size() && i < size_t(b2_maxPolygonVertices); ++i)
                v[i].Set(xs[i].get<float>(), ys[i].get<float>());
            polygon.Set(v, int32(xs.size()));
            fd.shape = &polygon;
        }
        b2MassData md;
        fd.shape->ComputeMass(&md, fd.density);
        out.mass += md.mass;
        out.inertia += md.I;
        body->CreateFixture(&fd);
    }
    return out;
}

void ExpectRelative(double got, double want, const char* what) {
    EXPECT_NEAR(got, want, 1e-5 * std::abs(want)) << what;
}

TEST(Box2DExport, FileLoadsIntoBox2DWithItsOwnMassData) {
    const CPoint origin(320, 240);
    CShape shape = Sample();
    shape.Transform(0, 0, origin.x, origin.y, 0, 1, 1); // held as the document holds it
    QTemporaryDir dir;
    for (double scale : {100.0, 1.0, 37.5, 250.0}) {
        SCOPED_TRACE(scale);
        const QString path = dir.filePath("out.json");
        QString why;
        ASSERT_EQ(ExportBox2DFile(shape, origin, scale, path, &why), ExportResult::Written)
            << why.toStdString();
        std::ifstream in(path.toStdString());
        const json doc = json::parse(in);
        b2World world(b2Vec2(0, -10));
        const Loaded l = LoadIntoWorld(doc, world);
        const PhysicsModel model = BuildPhysicsModel(shape, origin, scale);

        EXPECT_EQ(l.body["type"], 2);
        EXPECT_EQ(l.body["massData-center"], json({{"x", 0}, {"y", 0}}));
        EXPECT_EQ(l.body["customProperties"],
                  json::parse(R"([{"name":"polarity","int":1},{"name":"density","float":3.5}])"));
        EXPECT_EQ(l.body["fixture"].size(), model.fixtures.size());
        EXPECT_EQ(model.fixtures.size(), 2u + 2u + 2u + 32u + 1u);
        ExpectRelative(l.body["massData-mass"].get<double>(), model.mass.mass / (scale * scale),
                       "file mass");
        ExpectRelative(l.mass, l.body["massData-mass"].get<double>(), "Box2D mass");
        ExpectRelative(l.inertia, l.body["massData-I"].get<double>(), "Box2D inertia");

        // The editor's own body builder gives Box2D the same figures.
        b2World other(b2Vec2(0, -10));
        b2Body* body = CreateBox2DBody(other, model, scale, b2Vec2(1, 2), 0.2f, 0);
        ASSERT_NE(body, nullptr);
        ExpectRelative(body->GetMass(), l.mass, "CreateBox2DBody mass");
        ExpectRelative(body->GetInertia(), l.inertia, "CreateBox2DBody inertia");
        EXPECT_EQ(body->GetLocalCenter(), b2Vec2(0, 0));
        for (int step = 0; step < 30; ++step)
            other.Step(1.0f / 60, 8, 3);
        EXPECT_LT(body->GetPosition().y, 2.0f); // it falls
    }
}

TEST(Box2DExport, RandomObjectsNeverTripBox2D) {
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> coord(-300, 300), size(1, 60), kind(0, 3);
    int exported = 0;
    for (int round = 0; round < 200; ++round) {
        CShape s;
        for (int e = 0; e < 6; ++e) {
            const int x = coord(rng), y = coord(rng), r = size(rng);
            switch (kind(rng)) {
            case 0:
                AddPath(s, PRIM_POLYGON, {{x, y}, {x + r, y + r / 3}, {x + r / 2, y + r}});
                break;
            case 1:
                AddPath(s, PRIM_POLYLINE, {{x, y}, {coord(rng), coord(rng)}});
                break;
            case 2:
                s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{x, y}, {r, r}});
                break;
            default:
                s.AppendElement(PRIM_FILLED_CIRCLE, 0, 2, new POINT[2]{{x, y}, {r, r}});
            }
        }
        const double scale = round % 3 == 0 ? 400 : 100;
        const PhysicsModel model = BuildPhysicsModel(s, CPoint(0, 0), scale);
        if (model.HasErrors())
            continue; // tiny outline circles at this scale
        ++exported;
        // Written fixture by fixture, the text is still what one document dumps.
        const std::string text = Box2DJson(model);
        const json doc = json::parse(text);
        ASSERT_EQ(doc.dump(2) + "\n", text);
        b2World world(b2Vec2(0, -10));
        const Loaded l = LoadIntoWorld(doc, world);
        ExpectRelative(l.mass, model.mass.mass / (scale * scale), "mass");
        ExpectRelative(l.inertia, model.mass.inertiaAboutCenterOfMass / std::pow(scale, 4),
                       "inertia");
    }
    EXPECT_GT(exported, 100);
}

TEST(Box2DExport, ObjectsWithErrorsOrBadScalesAreNotWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.json");
    CShape bad;
    AddPath(bad, PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    QString why;
    EXPECT_EQ(ExportBox2DFile(bad, CPoint(0, 0), 100, path, &why), ExportResult::ObjectErrors);
    EXPECT_TRUE(why.startsWith("element 0: error: ")) << why.toStdString();
    CShape small;
    small.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{0, 0}, {1, 1}});
    EXPECT_EQ(ExportBox2DFile(small, CPoint(0, 0), 100, path, &why), ExportResult::ObjectErrors);
    EXPECT_TRUE(why.contains("too small for Box2D")) << why.toStdString();
    EXPECT_EQ(ExportBox2DFile(small, CPoint(0, 0), 20, path, &why), ExportResult::Written)
        << why.toStdString();
    QFile::remove(path);
    CShape fine = Sample();
    EXPECT_EQ(ExportBox2DFile(fine, CPoint(0, 0), 401, path, &why), ExportResult::BadScale);
    EXPECT_EQ(ExportBox2DFile(fine, CPoint(0, 0), 0.5, path, &why), ExportResult::BadScale);
    EXPECT_EQ(ExportBox2DFile(fine, CPoint(0, 0), 100, "/no/such/dir/x.json", &why),
              ExportResult::WriteFailed);
    EXPECT_FALSE(QFile::exists(path));
    b2World world(b2Vec2(0, -10));
    EXPECT_EQ(
        CreateBox2DBody(world, BuildPhysicsModel(bad, CPoint(0, 0)), 100, b2Vec2(0, 0), 0.2f, 0),
        nullptr);
    EXPECT_EQ(world.GetBodyCount(), 0);
}

} // namespace
