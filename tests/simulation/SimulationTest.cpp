// The simulation against closed forms and observations: free fall, sliding
// down a slope, tipping over, walls that fall, repeatability, and nothing
// invalid ever reaching Box2D (which would stop the test program).
#include "simulation/Simulation.h"
#include "object/CShape.h"
#include "physics/Box2DExport.h"
#include "platform/CArchive.h"
#include "platform/CFormatError.h"
#include "simulation/SimulationRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <random>
#include <vector>

namespace {
constexpr double kPi = 3.14159265358979323846;

void Append(CShape& s, int32_t type, std::initializer_list<POINT> pts) {
    auto* copy = new POINT[pts.size()];
    std::copy(pts.begin(), pts.end(), copy);
    s.AppendElement(type, RGB(200, 100, 0), int32_t(pts.size()), copy);
}

// A filled box from (l, t) to (r, b) in file units.
CShape Box(int l, int t, int r, int b, bool mayRotate = true) {
    CShape s;
    Append(s, PRIM_POLYGON, {{l, t}, {r, t}, {r, b}, {l, b}});
    s.m_bMayRotate = mayRotate ? 1 : 0;
    return s;
}

std::vector<SimulationState> RunFor(const CShape& shape, const SimulationSettings& settings,
                                    double seconds) {
    Simulation sim;
    EXPECT_TRUE(sim.Start(shape, settings)) << sim.Errors().join('\n').toStdString();
    std::vector<SimulationState> states;
    for (int i = 0; i < int(std::lround(seconds / Simulation::kStep)); ++i) {
        sim.Step();
        states.push_back(sim.State());
    }
    return states;
}

// The time of the first step at which the fall slows: the floor pushed back.
double LandingTime(const std::vector<SimulationState>& states) {
    for (size_t i = 2; i < states.size(); ++i)
        if (states[i].y - states[i - 1].y < states[i - 1].y - states[i - 2].y)
            return states[i].t;
    return -1;
}
} // namespace

TEST(SimulationTest, FreeFallLandsAfterTheClosedFormTimeWithinTwoSteps) {
    struct Case {
        double drop, scale, gravity;
    };
    for (const Case c : {Case{100, 100, 9.81}, Case{300, 100, 9.81}, Case{50, 25, 9.81},
                         Case{100, 50, 3.7}, Case{400, 400, 20}}) {
        SimulationSettings settings;
        settings.drop = c.drop;
        settings.unitsPerMetre = c.scale;
        settings.gravity = c.gravity;
        const auto states = RunFor(Box(-20, -10, 20, 10), settings, 3);
        const double expected = std::sqrt(2 * (c.drop / c.scale) / c.gravity);
        EXPECT_NEAR(LandingTime(states), expected, 2 * Simulation::kStep)
            << "drop " << c.drop << " at " << c.scale << " units per metre, g " << c.gravity;
        // Before the landing the center of mass falls straight down.
        EXPECT_EQ(states[5].x, 0);
        EXPECT_GT(states[5].y, 0);
    }
    SimulationSettings standard;
    EXPECT_NEAR(std::sqrt(2 * 1.0 / standard.gravity), 0.452, 0.001);
}

TEST(SimulationTest, ABodyThatMayNotRotateSlidesDownA30DegreeFloorWithItsAngleExactlyZero) {
    SimulationSettings settings;
    settings.floorAngle = 30;
    const auto states = RunFor(Box(-30, -10, 30, 10, false), settings, 4);
    for (const SimulationState& s : states)
        ASSERT_EQ(s.angle, 0.0) << "at " << s.t;
    // Down the slope, to the right, with a = g (sin 30° - mu cos 30°) once it
    // slides: from three places half a second apart.
    const double a = settings.gravity * (std::sin(kPi / 6) - settings.friction * std::cos(kPi / 6));
    const auto along = [&](const SimulationState& s) {
        return (s.x * std::cos(kPi / 6) + s.y * std::sin(kPi / 6)) / settings.unitsPerMetre;
    };
    const double h = 0.5;
    const size_t i = 120, j = i + 30, k = j + 30; // from 2 s, well after landing
    const double measured = (along(states[k]) - 2 * along(states[j]) + along(states[i])) / (h * h);
    EXPECT_NEAR(measured, a, 0.03 * a);
    EXPECT_GT(states.back().x, 100);

    // The same body allowed to rotate does turn on the slope.
    const auto free = RunFor(Box(-30, -10, 30, 10, true), settings, 2);
    EXPECT_NE(free.back().angle, 0.0);
}

TEST(SimulationTest, ABodyWithItsCenterOfMassOutsideItsBaseTipsOverAndOneAboveItStands) {
    SimulationSettings settings;
    // A block 20 wide and 40 high whose center of mass lies 20 units right
    // of its right edge: it tips clockwise on screen.
    const auto outside = RunFor(Box(-40, -20, -20, 20), settings, 3);
    double largest = 0;
    for (const SimulationState& s : outside)
        largest = std::max(largest, s.angle);
    EXPECT_GT(largest, 45);
    // Mirrored, it tips the other way.
    const auto mirrored = RunFor(Box(20, -20, 40, 20), settings, 3);
    double smallest = 0;
    for (const SimulationState& s : mirrored)
        smallest = std::min(smallest, s.angle);
    EXPECT_LT(smallest, -45);
    // The center of mass over the middle of the base: it lands and stands
    // (the contact solver rocks it by a fraction of a degree at most).
    for (const SimulationState& s : RunFor(Box(-10, -20, 10, 20), settings, 3))
        ASSERT_LT(std::abs(s.angle), 1) << "at " << s.t;
}

TEST(SimulationTest, AnObjectMadeOnlyOfLinesFallsAndComesToRest) {
    CShape s;
    Append(s, PRIM_POLYLINE, {{-40, -20}, {40, -20}, {40, 20}, {-40, 20}, {-40, -20}});
    Append(s, PRIM_POLYLINE, {{-40, 20}, {40, -20}});
    Append(s, PRIM_CIRCLE, {{0, 0}, {15, 15}});
    SimulationSettings settings;
    const auto states = RunFor(s, settings, 5);
    const SimulationState& last = states.back();
    EXPECT_FALSE(last.awake);
    // It fell the whole drop (less Box2D's contact skin of about two units).
    EXPECT_NEAR(last.y, settings.drop, 3);
    EXPECT_NEAR(last.x, 0, 0.5);
    EXPECT_NEAR(last.angle, 0, 0.1);
}

TEST(SimulationTest, TheSameInputGivesTheSameStatesOnEveryRun) {
    CShape s = Box(-40, -20, -20, 20);
    Append(s, PRIM_FILLED_CIRCLE, {{30, 5}, {12, 12}});
    Append(s, PRIM_POLYLINE, {{-50, 30}, {10, 25}, {60, 40}});
    SimulationSettings settings;
    settings.floorAngle = -12;
    settings.restitution = 0.4;
    const auto first = RunFor(s, settings, 5);
    // Interleaved with another world, which must not disturb it.
    Simulation other, again;
    ASSERT_TRUE(other.Start(Box(-5, -5, 25, 25), settings));
    ASSERT_TRUE(again.Start(s, settings));
    for (const SimulationState& expected : first) {
        other.Step();
        again.Step();
        const SimulationState got = again.State();
        ASSERT_EQ(got.x, expected.x);
        ASSERT_EQ(got.y, expected.y);
        ASSERT_EQ(got.angle, expected.angle);
        ASSERT_EQ(got.awake, expected.awake);
    }
}

TEST(SimulationTest, TheAccumulatorRunsWholeStepsAndDropsWhatItIsRefused) {
    Simulation sim;
    ASSERT_TRUE(sim.Start(Box(-10, -10, 10, 10), SimulationSettings()));
    EXPECT_EQ(sim.Advance(0.5 * Simulation::kStep), 0);
    EXPECT_EQ(sim.Advance(0.5 * Simulation::kStep), 1);
    // Frames of a 144 Hz screen at normal speed: 60 steps in 144 frames.
    int steps = 0;
    for (int i = 0; i < 144; ++i)
        steps += sim.Advance(1.0 / 144);
    EXPECT_EQ(steps, 60);
    int allowed = 3;
    EXPECT_EQ(sim.Advance(1.0, [&] { return allowed-- > 0; }), 3);
    EXPECT_EQ(sim.Advance(0.5 * Simulation::kStep), 0); // the refused time is gone
    EXPECT_EQ(sim.State().steps, 1 + 60 + 3);
}

// The step count once the runner has run all the time it was given.
int SettledSteps(const SimulationRunner& runner) {
    if (!QTest::qWaitFor([&] { return runner.IsIdle(); }, 60000))
        return -1;
    return runner.State().steps;
}

TEST(SimulationTest, TheRunnerStepsOnItsThreadAsTheSimulationDoesAndDropsTheBacklog) {
    const CShape box = Box(-40, -20, -20, 20);
    SimulationRunner runner;
    ASSERT_TRUE(runner.Start(box, SimulationSettings()));
    runner.AddTime(0.2);
    ASSERT_EQ(SettledSteps(runner), 12);
    runner.AddTime(0.25);
    runner.AddTime(0.05); // beyond the backlog's quarter of a second, unless already run
    const int afterBoth = SettledSteps(runner);
    ASSERT_GE(afterBoth, 12 + 15);
    ASSERT_LE(afterBoth, 12 + 18);
    runner.AddTime((30 - afterBoth) * Simulation::kStep);
    ASSERT_EQ(SettledSteps(runner), 30);
    Simulation plain;
    ASSERT_TRUE(plain.Start(box, SimulationSettings()));
    for (int i = 0; i < 30; ++i)
        plain.Step();
    EXPECT_EQ(runner.State().y, plain.State().y);
    EXPECT_EQ(runner.State().angle, plain.State().angle);
    EXPECT_EQ(runner.Position(), plain.Position());

    // More time than it may owe is cut to a quarter of a second.
    runner.AddTime(10);
    EXPECT_EQ(SettledSteps(runner), 30 + 15);
    // Dropped time never runs, and steps asked for directly run at once.
    runner.AddTime(0.2);
    runner.DropTime();
    const int dropped = runner.State().steps;
    EXPECT_EQ(SettledSteps(runner), dropped);
    runner.Step();
    EXPECT_EQ(runner.State().steps, dropped + 1);
    runner.Stop();
    EXPECT_FALSE(runner.IsRunning());
}

TEST(SimulationTest, AnObjectOrSettingsThatCannotBeSimulatedGetNoWorldAndSayWhy) {
    SimulationSettings settings;
    CShape crossing;
    Append(crossing, PRIM_POLYGON, {{0, 0}, {40, 40}, {40, 0}, {0, 40}});
    Simulation sim;
    EXPECT_FALSE(sim.Start(crossing, settings));
    EXPECT_FALSE(sim.IsRunning());
    ASSERT_FALSE(sim.Errors().isEmpty());
    EXPECT_TRUE(sim.Errors()[0].startsWith("element 0:")) << sim.Errors()[0].toStdString();
    sim.Step(); // harmless without a world
    EXPECT_EQ(sim.State().steps, 0);

    EXPECT_FALSE(sim.Start(CShape(), settings)); // nothing with mass
    CShape zeroDensity = Box(0, 0, 10, 10);
    zeroDensity.m_dMassDensity = 0;
    EXPECT_FALSE(sim.Start(zeroDensity, settings));
    // Found by fuzzing: so small a density that the inverse mass overflows.
    for (double density : {std::nan(""), 1e-300, 1e-20, 1e300}) {
        zeroDensity.m_dMassDensity = density;
        EXPECT_FALSE(sim.Start(zeroDensity, settings)) << density;
    }

    for (auto bad : {&SimulationSettings::gravity, &SimulationSettings::floorAngle,
                     &SimulationSettings::unitsPerMetre, &SimulationSettings::friction,
                     &SimulationSettings::restitution, &SimulationSettings::drop})
        for (double value : {std::nan(""), -1e9, 1e9}) {
            SimulationSettings s;
            s.*bad = value;
            EXPECT_FALSE(sim.Start(Box(0, 0, 10, 10), s));
            EXPECT_FALSE(sim.IsRunning());
        }
    // A good start after refusals works as ever.
    EXPECT_TRUE(sim.Start(Box(0, 0, 10, 10), settings));
}

// Every file of the reader's corpus and many generated objects, at the ends
// of the scale's range and of the floor's angle: whatever is accepted runs,
// whatever is not is refused, and Box2D never asserts (which would abort).
TEST(SimulationTest, NothingInvalidReachesBox2DFromTheCorpusOrGeneratedObjects) {
    std::vector<CShape> shapes;
    const QDir corpus(QStringLiteral(MORVET_CORPUS));
    for (const QString& name : corpus.entryList(QDir::Files)) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        CShape shape;
        try {
            CArchive ar(bytes);
            shape.Serialize(ar);
        } catch (const CFormatError&) {
            continue;
        } catch (const CArchiveException&) {
            continue;
        }
        shapes.push_back(std::move(shape));
    }
    ASSERT_GE(shapes.size(), 5u);

    std::mt19937 rng(14);
    std::uniform_int_distribution<int> type(0, 3), count(0, 11), coord(-60, 60), tiny(-2, 2),
        huge(-2000000000, 2000000000), kind(0, 5);
    for (int n = 0; n < 300; ++n) {
        CShape s;
        const int elements = 1 + n % 4;
        for (int e = 0; e < elements; ++e) {
            const int k = kind(rng);
            std::vector<POINT> pts(size_t(count(rng)));
            for (size_t i = 0; i < pts.size(); ++i) {
                auto& d = k == 0 ? tiny : k == 1 ? huge : coord;
                pts[i] = {d(rng), k == 2 ? int32_t(i) * 3 : d(rng)}; // kind 2: collinear
            }
            auto* copy = pts.empty() ? nullptr : new POINT[pts.size()];
            std::copy(pts.begin(), pts.end(), copy);
            s.AppendElement(type(rng), RGB(1, 2, 3), int32_t(pts.size()), copy);
        }
        s.m_bMayRotate = n % 3 != 0;
        s.m_dMassDensity = n % 17 == 0 ? -1.0 : n % 19 == 0 ? 1e300 : 0.5 + n % 7;
        shapes.push_back(std::move(s));
    }

    // Small elements far from the center of mass: in floats, the inertia
    // about the centroid is what is left of two nearly equal large numbers.
    for (int far : {1000, 30000, 1000000, 40000000}) {
        CShape s;
        Append(s, PRIM_FILLED_CIRCLE, {{far, 0}, {2, 2}});
        shapes.push_back(s);
        CShape t;
        Append(t, PRIM_POLYGON, {{far, far}, {far + 3, far}, {far + 3, far + 2}});
        Append(t, PRIM_POLYLINE, {{-far, far}, {-far + 4, far + 1}});
        shapes.push_back(t);
    }

    int started = 0;
    for (const CShape& shape : shapes)
        for (double scale : {1.0, 100.0, 400.0}) {
            SimulationSettings settings;
            settings.unitsPerMetre = scale;
            settings.floorAngle = scale == 1.0 ? -45 : 45;
            Simulation sim;
            if (!sim.Start(shape, settings)) {
                EXPECT_FALSE(sim.Errors().isEmpty());
                continue;
            }
            ++started;
            for (int i = 0; i < 30; ++i)
                sim.Step();
            sim.Grab(sim.Position(), 5);
            sim.DragTo(QPointF(1e12, -1e12));
            sim.Step();
            sim.Release();
            const SimulationState st = sim.State();
            EXPECT_TRUE(std::isfinite(st.x) && std::isfinite(st.y) && std::isfinite(st.angle));
        }
    EXPECT_GT(started, 100);
}

// The simulation takes exactly what the export takes, for the same reasons:
// both ask the one check. Only the drop, the simulation's own, adds a refusal.
TEST(SimulationTest, TheSimulationAndTheExportRefuseTheSameObjectsForTheSameReasons) {
    std::mt19937 rng(18);
    std::uniform_int_distribution<int> kind(0, 3), near(-200, 200), size(1, 40), exponent(2, 9);
    const double densities[] = {20, 0.1, 100, 0, -3, std::nan(""), 1e300, 1e-20, 1e12, 1e17};
    const QString path = QDir::temp().filePath(
        QStringLiteral("morvet-agreement-%1.json").arg(QCoreApplication::applicationPid()));
    int agreedRefusals = 0, agreedRuns = 0;
    for (int n = 0; n < 240; ++n) {
        CShape s;
        for (int e = 0; e < 1 + n % 3; ++e) {
            // Now and then far out: up to a billion units.
            const int d = n % 4 == 0 ? int(std::pow(10.0, exponent(rng))) : 0;
            const int x = near(rng) + d, y = near(rng), r = size(rng);
            switch (kind(rng)) {
            case 0:
                Append(s, PRIM_POLYGON, {{x, y}, {x + r, y}, {x, y + r}});
                break;
            case 1:
                Append(s, PRIM_POLYLINE, {{x, y}, {x + r, y + r}});
                break;
            case 2:
                Append(s, PRIM_CIRCLE, {{x, y}, {r, r}});
                break;
            default:
                Append(s, PRIM_FILLED_CIRCLE, {{x, y}, {r, r}});
            }
        }
        s.m_dMassDensity = densities[size_t(n) % std::size(densities)];
        s.m_bMayRotate = n % 5 != 0;
        for (double scale : {1.0, 100.0, 400.0}) {
            SimulationSettings settings;
            settings.unitsPerMetre = scale;
            settings.drop = 0;
            Simulation sim;
            const bool ran = sim.Start(s, settings);
            QString why;
            const ExportResult exported = ExportBox2DFile(s, scale, path, &why);
            ASSERT_EQ(ran, exported == ExportResult::Written) << why.toStdString();
            if (ran)
                ++agreedRuns;
            else
                ++agreedRefusals;
            EXPECT_EQ(sim.Errors().join('\n'), ran ? QString() : why);
            QFile::remove(path);
        }
    }
    EXPECT_GT(agreedRuns, 150);
    EXPECT_GT(agreedRefusals, 150);

    // The drop alone too far at the largest scale: only a lower drop helps.
    SimulationSettings settings;
    settings.unitsPerMetre = 400;
    settings.drop = SimulationSettings::kMaxDrop;
    Simulation sim;
    ASSERT_FALSE(sim.Start(Box(3950000, 0, 3950010, 10), settings));
    EXPECT_EQ(sim.Errors().join('\n').toStdString(),
              "error: the object and its drop span more than 10000 metres at 400 units per metre, "
              "too far for Box2D's precision; lower the drop.");
}
