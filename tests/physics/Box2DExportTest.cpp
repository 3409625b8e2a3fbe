// The export read back the way a b2dJson loader reads it, into a real Box2D
// world with its assertions on (Debian builds the library with them; the
// inline ones in its headers are turned on here too): every file written
// loads, and holds the mass data it was written with.
#undef NDEBUG
#include "physics/Box2DExport.h"
#include "physics/Box2DBody.h"
#include "physics/Box2DCheck.h"

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

void ExpectRelative(double got, double want, const char* what) {
    EXPECT_NEAR(got, want, 1e-5 * std::abs(want)) << what;
}

// Reads the file as a b2dJson loader does: the body, then fixture by fixture
// with the file's density (Box2D recomputes the mass data in floats after
// each one that has a density), then the file's massData-*. Box2D stops the
// program on anything it cannot take, so loading at all is the first check.
b2Body* Load(const json& doc, b2World& world) {
    const json& b = doc.at("body").at(0);
    b2BodyDef def;
    def.type = b2BodyType(b.at("type").get<int>());
    def.fixedRotation = b.at("fixedRotation").get<bool>();
    b2Body* body = world.CreateBody(&def);
    for (const json& f : b.at("fixture")) {
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
        body->CreateFixture(&fd);
    }
    b2MassData md;
    md.mass = b.at("massData-mass").get<float>();
    md.center.Set(b.at("massData-center").at("x").get<float>(),
                  b.at("massData-center").at("y").get<float>());
    md.I = b.at("massData-I").get<float>();
    body->SetMassData(&md);
    return body;
}

// The body holds the file's mass data, about its origin.
void ExpectFileMassData(const json& doc, const b2Body* body) {
    const json& b = doc.at("body").at(0);
    EXPECT_EQ(body->GetMass(), b.at("massData-mass").get<float>());
    EXPECT_EQ(body->GetLocalCenter(), b2Vec2(0, 0));
    if (!b.at("fixedRotation").get<bool>()) {
        EXPECT_EQ(body->GetInertia(), b.at("massData-I").get<float>());
    }
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext())
        EXPECT_EQ(f->GetDensity(), 0.0f);
}

// Box2D's own shape formulas, fed the density from the custom properties,
// agree with the mass data (for shapes near the origin: far out, Box2D's
// floats move thin walls' corners by a share of their thickness).
void ExpectShapesSumToFileMassData(const json& doc, const b2Body* body) {
    const json& b = doc.at("body").at(0);
    double density = 0, mass = 0, inertia = 0;
    for (const json& p : b.at("customProperties"))
        if (p.at("name") == "density")
            density = p.at("float").get<double>();
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
        b2MassData md;
        f->GetShape()->ComputeMass(&md, 1.0f);
        mass += density * double(md.mass);
        inertia += density * double(md.I);
    }
    ExpectRelative(mass, b.at("massData-mass").get<double>(), "Box2D's mass");
    ExpectRelative(inertia, b.at("massData-I").get<double>(), "Box2D's inertia");
}

json Exported(const CShape& shape, double scale) {
    const Box2DCheck check = CheckForBox2D(shape, scale);
    EXPECT_TRUE(check.Passed()) << check.errors.join('\n').toStdString();
    return json::parse(Box2DJson(check.model));
}

TEST(Box2DExport, FileLoadsIntoBox2DWithItsOwnMassData) {
    const CShape shape = Sample();
    QTemporaryDir dir;
    for (double scale : {100.0, 1.0, 37.5, 250.0}) {
        SCOPED_TRACE(scale);
        const QString path = dir.filePath("out.json");
        QString why;
        ASSERT_EQ(ExportBox2DFile(shape, scale, path, &why), ExportResult::Written)
            << why.toStdString();
        std::ifstream in(path.toStdString());
        const json doc = json::parse(in);
        b2World world(b2Vec2(0, -10));
        const b2Body* loaded = Load(doc, world);
        ExpectFileMassData(doc, loaded);
        ExpectShapesSumToFileMassData(doc, loaded);
        const PhysicsModel model = BuildPhysicsModel(shape, scale);
        const json& b = doc["body"][0];
        EXPECT_EQ(b["type"], 2);
        EXPECT_EQ(b["massData-center"], json({{"x", 0}, {"y", 0}}));
        EXPECT_EQ(b["customProperties"],
                  json::parse(R"([{"name":"polarity","int":1},{"name":"density","float":3.5}])"));
        EXPECT_EQ(b["fixture"].size(), model.fixtures.size());
        EXPECT_EQ(model.fixtures.size(), 2u + 2u + 2u + 32u + 1u);
        ExpectRelative(b["massData-mass"].get<double>(), model.mass.mass / (scale * scale),
                       "file mass");
        ExpectRelative(b["massData-I"].get<double>(),
                       model.mass.inertiaAboutCenterOfMass / std::pow(scale, 4), "file inertia");

        // The editor's own body builder gives Box2D the same figures.
        b2World other(b2Vec2(0, -10));
        b2Body* body = CreateBox2DBody(other, model, scale, b2Vec2(1, 2), 0.2f, 0);
        ASSERT_NE(body, nullptr);
        EXPECT_EQ(body->GetMass(), loaded->GetMass());
        EXPECT_EQ(body->GetInertia(), loaded->GetInertia());
        EXPECT_EQ(body->GetLocalCenter(), b2Vec2(0, 0));
        for (int step = 0; step < 30; ++step)
            other.Step(1.0f / 60, 8, 3);
        EXPECT_LT(body->GetPosition().y, 2.0f); // it falls
    }
}

// A small circle outline 2000 units away, then a 4000 x 100 filled rectangle
// around the center of mass.
CShape FarRingAndLongBar(bool ringFirst) {
    CShape s;
    if (ringFirst)
        s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{2000, 0}, {5, 5}});
    AddPath(s, PRIM_POLYGON, {{-2000, -50}, {2000, -50}, {2000, 50}, {-2000, 50}});
    if (!ringFirst)
        s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{2000, 0}, {5, 5}});
    return s;
}

TEST(Box2DExport, AFarSmallFixtureNoLongerStopsTheLoader) {
    for (bool ringFirst : {true, false}) {
        const json doc = Exported(FarRingAndLongBar(ringFirst), 100);
        b2World world(b2Vec2(0, -10));
        ExpectFileMassData(doc, Load(doc, world));
    }
    // With the density on every fixture, as the file used to be written, the
    // loader's running sums in floats leave the ring no inertia about its
    // centroid, and Box2D stops: the case above is the one that mattered.
    json withDensity = Exported(FarRingAndLongBar(true), 100);
    for (json& f : withDensity["body"][0]["fixture"])
        f["density"] = 20.0;
    EXPECT_DEATH(
        {
            b2World world(b2Vec2(0, -10));
            Load(withDensity, world);
        },
        "m_I > 0");
}

TEST(Box2DExport, EveryWrittenFileLoadsWithItsMassData) {
    std::mt19937 rng(21);
    std::uniform_int_distribution<int> coord(-300, 300), size(1, 60), kind(0, 3), tiny(2, 12);
    std::uniform_real_distribution<double> angle(0, 6.283185307179586), far(2, 6.5);
    const double scales[] = {1, 20, 100, 250, 400};
    int exported = 0, refused = 0;
    for (int round = 0; round < 400; ++round) {
        CShape s;
        s.m_dMassDensity = round % 5 == 0 ? 0.1 : round % 5 == 1 ? 100 : 20;
        s.m_bMayRotate = round % 7 != 0;
        for (int e = 0; e < 5; ++e) {
            int x = coord(rng), y = coord(rng), r = size(rng);
            // Every other element, the first included, small and far: 100 to
            // 3,000,000 units out.
            if (e % 2 == 0) {
                const double d = std::pow(10.0, far(rng)), a = angle(rng);
                x = int(std::lround(d * std::cos(a)));
                y = int(std::lround(d * std::sin(a)));
                r = tiny(rng);
            }
            switch (kind(rng)) {
            case 0:
                AddPath(s, PRIM_POLYGON, {{x, y}, {x + r, y + r / 3}, {x + r / 2, y + r}});
                break;
            case 1:
                AddPath(s, PRIM_POLYLINE, {{x, y}, {x + r, y - r / 2}});
                break;
            case 2:
                s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{x, y}, {r, r}});
                break;
            default:
                s.AppendElement(PRIM_FILLED_CIRCLE, 0, 2, new POINT[2]{{x, y}, {r, r}});
            }
        }
        const double scale = scales[round % 5];
        const Box2DCheck check = CheckForBox2D(s, scale);
        if (!check.Passed()) {
            ++refused;
            continue;
        }
        ++exported;
        // Written fixture by fixture, the text is still what one document dumps.
        const std::string text = Box2DJson(check.model);
        const json doc = json::parse(text);
        ASSERT_EQ(doc.dump(2) + "\n", text);
        b2World world(b2Vec2(0, -10));
        ExpectFileMassData(doc, Load(doc, world));
        ExpectRelative(doc["body"][0]["massData-mass"].get<double>(),
                       check.model.mass.mass / (scale * scale), "mass");
        if (HasFailure())
            return;
    }
    EXPECT_GT(exported, 150);
    EXPECT_GT(refused, 50);
}

TEST(Box2DExport, ObjectsWithErrorsOrBadScalesAreNotWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("refused.json");
    CShape bad;
    AddPath(bad, PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    QString why;
    EXPECT_EQ(ExportBox2DFile(bad, 100, path, &why), ExportResult::ObjectErrors);
    EXPECT_TRUE(why.startsWith("element 0: error: ")) << why.toStdString();
    CShape small;
    small.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{0, 0}, {1, 1}});
    EXPECT_EQ(ExportBox2DFile(small, 100, path, &why), ExportResult::ObjectErrors);
    EXPECT_TRUE(why.contains("too small for Box2D")) << why.toStdString();
    EXPECT_EQ(ExportBox2DFile(small, 20, path, &why), ExportResult::Written) << why.toStdString();
    QFile::remove(path);
    CShape fine = Sample();
    EXPECT_EQ(ExportBox2DFile(fine, 401, path, &why), ExportResult::BadScale);
    EXPECT_EQ(ExportBox2DFile(fine, 0.5, path, &why), ExportResult::BadScale);
    EXPECT_EQ(ExportBox2DFile(fine, 100, "/no/such/dir/x.json", &why), ExportResult::WriteFailed);
    EXPECT_FALSE(QFile::exists(path));
    b2World world(b2Vec2(0, -10));
    EXPECT_EQ(CreateBox2DBody(world, BuildPhysicsModel(bad), 100, b2Vec2(0, 0), 0.2f, 0), nullptr);
    EXPECT_EQ(world.GetBodyCount(), 0);
}

} // namespace

namespace {

// A small object of every fixture kind, written before the writers shared a
// model: the Box2D text must not move by a byte.
TEST(Box2DExport, TextOfASmallObjectIsPinned) {
    CShape s;
    s.m_dMassDensity = 3.5;
    s.m_bMayRotate = false;
    AddPath(s, PRIM_POLYGON, {{0, 0}, {20, 0}, {20, 80}, {60, 80}, {60, 100}, {0, 100}});
    AddPath(s, PRIM_POLYLINE, {{-50, -50}, {70, -40}});
    s.AppendElement(PRIM_FILLED_CIRCLE, 0, 2, new POINT[2]{{-80, -90}, {25, 25}});
    const Box2DCheck check = CheckForBox2D(s, 37.5);
    ASSERT_TRUE(check.Passed());
    QFile pinned(MORVET_TEST_DATA "/pinned-box2d.json");
    ASSERT_TRUE(pinned.open(QIODevice::ReadOnly));
    EXPECT_EQ(Box2DJson(check.model), pinned.readAll().toStdString());
}

} // namespace
