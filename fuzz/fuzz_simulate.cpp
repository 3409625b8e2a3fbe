// libFuzzer entry point over the simulation's entry: whatever the file reader
// accepts is handed to the simulation, at a scale and floor angle taken from
// the input, and stepped. Box2D asserts (and so aborts) on anything it cannot
// take; the physics model and the simulation's own checks must keep every
// such object and setting away from it.
#include "object/CShape.h"
#include "platform/CArchive.h"
#include "platform/CFormatError.h"
#include "simulation/Simulation.h"

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    CShape shape;
    try {
        CArchive ar(input);
        shape.Serialize(ar);
    } catch (const CFormatError&) {
        return 0;
    } catch (const CArchiveException&) {
        return 0;
    }
    // The last byte picks the settings, so the fuzzer explores them too.
    const uint8_t pick = size ? data[size - 1] : 0;
    SimulationSettings settings;
    settings.unitsPerMetre = (pick & 3) == 0 ? 1 : (pick & 3) == 1 ? 100 : 400;
    settings.floorAngle = double(int(pick >> 2) - 32) * 45.0 / 32.0;
    settings.drop = (pick & 0x80) ? 0 : 100;
    Simulation sim;
    if (!sim.Start(shape, CPoint(0, 0), settings)) {
        if (sim.Errors().isEmpty() || sim.IsRunning())
            std::abort();
        return 0;
    }
    for (int i = 0; i < 20; ++i)
        sim.Step();
    if (sim.Grab(sim.Position(), 3)) {
        sim.DragTo(QPointF(1e9, -1e9));
        sim.Step();
        sim.Release();
    }
    const SimulationState s = sim.State();
    if (!std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.angle))
        std::abort();
    return 0;
}
