// Every engine format, read back the way its engine reads it: the Godot scene
// against the text scene grammar, the LÖVE module and the Phaser file in their
// own engines where these are installed. What each holds must give back the
// object's mass, center of mass and inertia.
#include "physics/EngineExport.h"
#include "ExportObjects.h"
#include "physics/Box2DCheck.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

namespace {

using namespace exportobjects;
using nlohmann::json;
constexpr double kPi = 3.14159265358979323846;

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void ExpectRelative(double got, double want, const char* what, double tol = 1e-9) {
    EXPECT_NEAR(got, want, tol * std::abs(want)) << what;
}

// Area, first moments and polar moment about the origin of what the pieces
// cover, overlaps counted in full.
struct Sums {
    double area = 0, x = 0, y = 0, polar = 0;
    void Polygon(const std::vector<QPointF>& v) {
        double twice = 0, px = 0, py = 0, pj = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            const QPointF a = v[i], b = v[(i + 1) % v.size()];
            const double c = a.x() * b.y() - b.x() * a.y();
            twice += c;
            px += (a.x() + b.x()) * c / 6;
            py += (a.y() + b.y()) * c / 6;
            pj += c *
                  (a.x() * a.x() + a.x() * b.x() + b.x() * b.x() + a.y() * a.y() + a.y() * b.y() +
                   b.y() * b.y()) /
                  12;
        }
        // Either winding: each piece's sums take the sign of its area.
        const double sign = twice < 0 ? -1 : 1;
        area += sign * twice / 2;
        x += sign * px;
        y += sign * py;
        polar += sign * pj;
    }
    void Circle(double cx, double cy, double r) {
        const double a = kPi * r * r;
        area += a;
        x += a * cx;
        y += a * cy;
        polar += a * (r * r / 2 + cx * cx + cy * cy);
    }
};

bool StrictlyConvex(const std::vector<QPointF>& v) {
    int sign = 0;
    for (size_t i = 0; i < v.size(); ++i) {
        const QPointF a = v[i], b = v[(i + 1) % v.size()], c = v[(i + 2) % v.size()];
        const double cross = (b.x() - a.x()) * (c.y() - b.y()) - (b.y() - a.y()) * (c.x() - b.x());
        const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
        if (s == 0 || (sign != 0 && s != sign))
            return false;
        sign = s;
    }
    return true;
}

std::vector<double> Numbers(const QString& list) {
    std::vector<double> out;
    for (const QString& n : list.split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        out.push_back(n.trimmed().toDouble(&ok));
        EXPECT_TRUE(ok) << n.toStdString();
    }
    return out;
}

// What a Godot 4 scene holds, read by the text scene grammar: a descriptor,
// then sub-resources, then nodes, each a header of key="value" words over
// "key = value" lines.
struct GodotBody {
    double mass = 0, inertia = 0;
    bool lockRotation = false, customCenterAtOrigin = false;
    Sums sums;
};

GodotBody ReadGodot(const QString& text, double* pieces) {
    GodotBody out;
    const QStringList lines = text.split('\n');
    EXPECT_TRUE(lines[0].startsWith("[gd_scene ")) << lines[0].toStdString();
    const QRegularExpression header(R"(^\[(\w+)((?: \w+=(?:"[^"]*"|\d+))*)\]$)");
    const QRegularExpression word(R"( (\w+)=("[^"]*"|\d+))");
    const QRegularExpression property(R"(^(\w+) = (.+)$)");
    std::map<QString, QString> shapes; // id -> the value of its one property
    std::set<QString> referenced, nodeNames;
    QString section, kind, id, lastKey;
    int steps = 0, nodes = 0, subResources = 0;
    QPointF position;
    auto endNode = [&] {
        if (section != "node" || kind != "CollisionShape2D")
            return;
        const QString& shape = shapes[id];
        if (shape.startsWith("PackedVector2Array(")) {
            const std::vector<double> n = Numbers(shape.mid(19).chopped(1));
            EXPECT_EQ(n.size() % 2, 0u);
            std::vector<QPointF> v;
            for (size_t i = 0; i + 1 < n.size(); i += 2)
                v.emplace_back(n[i] + position.x(), n[i + 1] + position.y());
            EXPECT_GE(v.size(), 3u);
            EXPECT_LE(v.size(), 8u);
            EXPECT_TRUE(StrictlyConvex(v));
            out.sums.Polygon(v);
        } else {
            out.sums.Circle(position.x(), position.y(), shape.toDouble());
        }
        ++*pieces;
    };
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const auto h = header.match(line);
        if (h.hasMatch()) {
            endNode();
            section = h.captured(1);
            std::map<QString, QString> words;
            for (auto it = word.globalMatch(h.captured(2)); it.hasNext();) {
                const auto w = it.next();
                words[w.captured(1)] = w.captured(2).remove('"');
            }
            kind = words["type"];
            position = QPointF();
            if (section == "gd_scene") {
                EXPECT_EQ(words["format"], "3");
                steps = words["load_steps"].toInt();
            } else if (section == "sub_resource") {
                EXPECT_EQ(nodes, 0) << "sub-resources come before the nodes";
                id = words["id"];
                EXPECT_TRUE(shapes.emplace(id, QString()).second) << "id twice";
                ++subResources;
            } else {
                EXPECT_EQ(section, "node");
                EXPECT_EQ(nodes == 0, !words.count("parent")) << "one root, first";
                EXPECT_TRUE(nodeNames.insert(words["name"]).second) << "sibling names differ";
                ++nodes;
            }
            continue;
        }
        const auto p = property.match(line);
        EXPECT_TRUE(p.hasMatch()) << line.toStdString();
        if (!p.hasMatch())
            return out;
        const QString key = p.captured(1), value = p.captured(2);
        if (section == "sub_resource") {
            EXPECT_TRUE(key == (kind == "CircleShape2D" ? "radius" : "points"));
            shapes[id] = value;
        } else if (section == "node" && kind == "RigidBody2D") {
            if (key == "mass")
                out.mass = value.toDouble();
            else if (key == "inertia")
                out.inertia = value.toDouble();
            else if (key == "lock_rotation")
                out.lockRotation = value == "true";
            else if (key == "center_of_mass")
                out.customCenterAtOrigin = value == "Vector2(0, 0)";
            else
                EXPECT_EQ(line, "center_of_mass_mode = 1");
        } else if (key == "position") {
            EXPECT_TRUE(value.startsWith("Vector2(")) << value.toStdString();
            const std::vector<double> n = Numbers(value.mid(8).chopped(1));
            EXPECT_EQ(n.size(), 2u);
            if (n.size() == 2)
                position = QPointF(n[0], n[1]);
        } else {
            const QRegularExpression sub(R"re(^SubResource\("([^"]+)"\)$)re");
            const auto m = sub.match(value);
            EXPECT_TRUE(key == "shape" && m.hasMatch()) << line.toStdString();
            id = m.captured(1);
            EXPECT_TRUE(shapes.count(id)) << "unknown sub-resource";
            EXPECT_TRUE(referenced.insert(id).second) << "one shape per node";
        }
    }
    endNode();
    EXPECT_EQ(steps, subResources + 1);
    EXPECT_EQ(referenced.size(), shapes.size()) << "every sub-resource is used";
    return out;
}

double LuaNumber(const QString& text, const QString& key) {
    const auto m = QRegularExpression("\\b" + key + " = ([-0-9.e+]+)").match(text);
    EXPECT_TRUE(m.hasMatch()) << key.toStdString();
    return m.captured(1).toDouble();
}

const ExportFormat kFormats[] = {ExportFormat::Box2D, ExportFormat::Godot, ExportFormat::Phaser,
                                 ExportFormat::Love};

TEST(EngineExport, ASquaresMassAndInertiaInEachEnginesUnits) {
    QTemporaryDir dir;
    // 8 kg and 16/3 kg m^2; at 50 units per metre and 2 pixels per unit a
    // metre is 100 pixels.
    const double mass = 8, inertiaPx = 16.0 / 3 * 100 * 100;
    const ExportSettings godot{ExportFormat::Godot, 50, 2};
    QString why;
    ASSERT_EQ(ExportFile(Square(), godot, dir.filePath("sq.tscn"), &why), ExportResult::Written);
    double pieces = 0;
    const GodotBody g = ReadGodot(Read(dir.filePath("sq.tscn")), &pieces);
    ExpectRelative(g.mass, mass, "Godot mass");
    ExpectRelative(g.inertia, inertiaPx, "Godot inertia");
    ExpectRelative(g.sums.area, 200 * 200, "Godot area");

    ASSERT_EQ(ExportFile(Square(), {ExportFormat::Love, 50, 2}, dir.filePath("sq.lua"), &why),
              ExportResult::Written);
    const QString lua = Read(dir.filePath("sq.lua"));
    EXPECT_EQ(LuaNumber(lua, "meter"), 100);
    EXPECT_EQ(LuaNumber(lua, "density"), 2); // kg per square metre
    ExpectRelative(LuaNumber(lua, "mass"), mass, "LÖVE mass");
    ExpectRelative(LuaNumber(lua, "inertia"), inertiaPx, "LÖVE inertia");

    ASSERT_EQ(ExportFile(Square(), {ExportFormat::Phaser, 50, 2}, dir.filePath("sq.json"), &why),
              ExportResult::Written);
    const json m = json::parse(Read(dir.filePath("sq.json")).toStdString()).at("sq");
    EXPECT_EQ(m.at("type"), "fromPhysicsEditor");
    // Matter's mass is the fixture's density times its area in square pixels.
    ExpectRelative(m["fixtures"][0]["density"].get<double>() * 200 * 200, mass, "Matter mass");
    ExpectRelative(m["morvet"]["mass"].get<double>(), mass, "Matter mass for the loader");
    ExpectRelative(m["morvet"]["inertia"].get<double>(), inertiaPx, "Matter inertia");
}

TEST(EngineExport, GodotScenesHoldTheObjectsMassCenterAndInertia) {
    QTemporaryDir dir;
    for (const Named& o : Objects()) {
        SCOPED_TRACE(o.name);
        for (double scale : {100.0, 37.5})
            for (double k : {1.0, 0.25, 3.0}) {
                const QString path = dir.filePath(QString::fromStdString(o.name) + ".tscn");
                QString why;
                ASSERT_EQ(ExportFile(o.shape, {ExportFormat::Godot, scale, k}, path, &why),
                          ExportResult::Written)
                    << why.toStdString();
                const PhysicsModel model = BuildPhysicsModel(o.shape, scale);
                double pieces = 0;
                const GodotBody g = ReadGodot(Read(path), &pieces);
                EXPECT_EQ(pieces, double(model.fixtures.size()));
                EXPECT_TRUE(g.customCenterAtOrigin);
                EXPECT_EQ(g.lockRotation, !o.shape.m_bMayRotate);
                const double pxPerMetre = scale * k;
                ExpectRelative(g.mass, model.mass.mass / (scale * scale), "mass");
                // The pieces, read with the density the mass gives them, have
                // the user's center of mass where Morvet puts it and the
                // inertia the scene states.
                const double density = g.mass / g.sums.area;
                ExpectRelative(g.sums.area, model.mass.area * k * k, "area");
                EXPECT_NEAR(g.sums.x / g.sums.area, model.mass.centroid.x() * k, 1e-9 * k * 200);
                EXPECT_NEAR(g.sums.y / g.sums.area, model.mass.centroid.y() * k, 1e-9 * k * 200);
                ExpectRelative(density * g.sums.polar, g.inertia, "inertia from the pieces");
                ExpectRelative(g.inertia,
                               model.mass.inertiaAboutCenterOfMass / std::pow(scale, 4) *
                                   pxPerMetre * pxPerMetre,
                               "inertia");
                if (HasFailure())
                    return;
            }
    }
}

TEST(EngineExport, AnObjectWithErrorsOrABadSettingIsWrittenInNoFormat) {
    QTemporaryDir dir;
    for (ExportFormat f : kFormats) {
        SCOPED_TRACE(FormatWord(f).toStdString());
        const QString path = dir.filePath("refused");
        QString why;
        EXPECT_EQ(ExportFile(Crossed(), {f, 100, 1}, path, &why), ExportResult::ObjectErrors);
        EXPECT_TRUE(why.startsWith("element 0: error: ")) << why.toStdString();
        EXPECT_EQ(ExportFile(Square(), {f, 401, 1}, path, &why), ExportResult::BadScale);
        if (UsesPixels(f)) {
            EXPECT_EQ(ExportFile(Square(), {f, 100, 0.001}, path, &why), ExportResult::BadScale);
            EXPECT_EQ(ExportFile(Square(), {f, 100, 101}, path, &why), ExportResult::BadScale);
        }
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(FormatForPath("a/b.TSCN"), ExportFormat::Godot);
    EXPECT_EQ(FormatForPath("b.lua"), ExportFormat::Love);
    EXPECT_EQ(FormatForPath("b.json"), ExportFormat::Box2D);
}

// LÖVE itself runs the example in docs/ over each exported module and prints
// the body's mass, inertia and local center.
TEST(EngineExport, LoveBuildsTheBodyWithTheObjectsMassData) {
    const QString love = QStandardPaths::findExecutable("love");
    if (love.isEmpty())
        GTEST_SKIP()
            << "LÖVE is not installed (Debian's love; scripts/install-deps.sh installs it)";
    for (const Named& o : Objects()) {
        SCOPED_TRACE(o.name);
        QTemporaryDir dir;
        for (const char* file : {"main.lua", "conf.lua"})
            ASSERT_TRUE(
                QFile::copy(QStringLiteral(MORVET_TEST_DATA "/../../docs/love-example/") + file,
                            dir.filePath(file)));
        const double scale = 40, k = 1.5, pxPerMetre = scale * k;
        QString why;
        ASSERT_EQ(
            ExportFile(o.shape, {ExportFormat::Love, scale, k}, dir.filePath("object.lua"), &why),
            ExportResult::Written);
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SDL_VIDEODRIVER", "dummy");
        env.insert("SDL_AUDIODRIVER", "dummy");
        run.setProcessEnvironment(env);
        run.start(love, {dir.path()});
        ASSERT_TRUE(run.waitForFinished(60000));
        const QStringList got = QString::fromUtf8(run.readAllStandardOutput()).split(' ');
        ASSERT_EQ(got.size(), 4) << run.readAllStandardError().toStdString();
        const PhysicsModel model = BuildPhysicsModel(o.shape, scale);
        const double inertia =
            o.shape.m_bMayRotate
                ? model.mass.inertiaAboutCenterOfMass / std::pow(scale, 4) * pxPerMetre * pxPerMetre
                : 0; // Box2D keeps none for a fixed body
        ExpectRelative(got[0].toDouble(), model.mass.mass / (scale * scale), "LÖVE's mass", 1e-5);
        EXPECT_NEAR(got[1].toDouble(), inertia, 1e-5 * inertia) << "LÖVE's inertia";
        EXPECT_EQ(got[2].toDouble(), 0);
        EXPECT_EQ(got[3].trimmed().toDouble(), 0);
    }
}

// Phaser 3's own parser builds the body from each exported file under Node,
// the loader in docs/ gives it Morvet's figures, and every part is convex.
TEST(EngineExport, PhaserBuildsTheBodyAndTheLoaderGivesItTheObjectsMassData) {
    const QString node = QStandardPaths::findExecutable("node");
    const QString modules = QStringLiteral(MORVET_BINARY_DIR "/engine-packages/node_modules");
    if (node.isEmpty() || !QFile::exists(modules + "/phaser/package.json"))
        GTEST_SKIP() << "Node.js or the pinned phaser package is missing "
                        "(scripts/install-deps.sh, then scripts/install-engine-packages.sh BUILD)";
    for (const Named& o : Objects()) {
        SCOPED_TRACE(o.name);
        QTemporaryDir dir;
        const double scale = 80, k = 2.5, pxPerMetre = scale * k;
        const QString path = dir.filePath(QString::fromStdString(o.name) + ".json");
        QString why;
        ASSERT_EQ(ExportFile(o.shape, {ExportFormat::Phaser, scale, k}, path, &why),
                  ExportResult::Written);
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NODE_PATH", modules);
        run.setProcessEnvironment(env);
        run.start(node, {MORVET_TEST_DATA "/../physics/matter-check.js", path,
                         MORVET_TEST_DATA "/../../docs/morvet-matter.js",
                         QString::fromStdString(o.name)});
        ASSERT_TRUE(run.waitForFinished(60000));
        const QByteArray out = run.readAllStandardOutput();
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        const json got = json::parse(out.toStdString());
        const PhysicsModel model = BuildPhysicsModel(o.shape, scale);
        const double mass = model.mass.mass / (scale * scale);
        EXPECT_EQ(got["parts"], model.fixtures.size());
        EXPECT_TRUE(got["convex"].get<bool>());
        const bool discs = std::any_of(model.fixtures.begin(), model.fixtures.end(),
                                       [](const PhysicsFixture& f) { return f.isCircle; });
        if (!discs) // Matter draws a disc as a polygon of at most 25 sides
            ExpectRelative(got["matterMass"].get<double>(), mass, "Matter's own mass");
        ExpectRelative(got["mass"].get<double>(), mass, "mass");
        if (o.shape.m_bMayRotate)
            ExpectRelative(got["inertia"].get<double>(),
                           model.mass.inertiaAboutCenterOfMass / std::pow(scale, 4) * pxPerMetre *
                               pxPerMetre,
                           "inertia");
        else
            EXPECT_EQ(got["inertia"].dump(), "null"); // Infinity in JSON
        EXPECT_NEAR(got["x"].get<double>(), 0, 1e-9 * pxPerMetre);
        EXPECT_NEAR(got["y"].get<double>(), 0, 1e-9 * pxPerMetre);
    }
}

} // namespace
