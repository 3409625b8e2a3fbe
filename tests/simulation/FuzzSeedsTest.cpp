// The simulation's fuzz entry over its seeds in every test run: crash inputs
// found by fuzzing stay among them, and each must be refused with a reason or
// run with its body at a finite place.
#include "fuzz/SimulateInput.h"
#include "physics/Box2DLimits.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QByteArray Seed(const QString& name) {
    QFile f(QDir(QStringLiteral(MORVET_CORPUS)).filePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

SimulatedInput Simulate(const QByteArray& bytes) {
    return SimulateInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
}

TEST(SimulationFuzzSeeds, EverySeedIsRefusedWithAReasonOrStaysFinite) {
    const QStringList names = QDir(QStringLiteral(MORVET_CORPUS)).entryList(QDir::Files);
    ASSERT_GE(names.size(), 10);
    int started = 0;
    for (const QString& name : names) {
        const SimulatedInput run = Simulate(Seed(name));
        EXPECT_TRUE(run.sound) << name.toStdString();
        started += run.started;
    }
    EXPECT_GE(started, 2);
}

// Found by fuzzing: a wall 17408 units long of density 3.7e20 at 400 units
// per metre (4e19 kg), grabbed and pulled towards (1e9, -1e9). The mouse
// joint's effective mass then has a determinant below the smallest float and
// the body flew off to infinity. Up to the largest mass the checks accept,
// the same pull stays finite; beyond it the object is refused.
TEST(SimulationFuzzSeeds, ADenseWallFlungFarStaysFiniteUpToTheLargestMassAccepted) {
    QByteArray bytes = Seed(QStringLiteral("simulate-dense-wall-flung-at-400.vrk"));
    const SimulatedInput crash = Simulate(bytes);
    EXPECT_TRUE(crash.read);
    EXPECT_FALSE(crash.started);
    EXPECT_TRUE(crash.sound);

    // One wall from (2, 17408) to (0, 0), one unit thick.
    const double kilogramsPerDensity = std::hypot(2.0, 17408.0) / (400.0 * 400.0);
    const double largest = physics::kMaxBox2DMass / kilogramsPerDensity;
    for (double density : {largest * 0.999, largest * 0.1, largest * 1e-6, 20.0, 1e-4}) {
        qToLittleEndian(density, bytes.data() + 4);
        const SimulatedInput run = Simulate(bytes);
        EXPECT_TRUE(run.started && run.sound) << density;
    }
    for (double density : {largest * 1.001, 3.7e20}) {
        qToLittleEndian(density, bytes.data() + 4);
        const SimulatedInput run = Simulate(bytes);
        EXPECT_TRUE(!run.started && run.sound) << density;
    }
}

} // namespace
