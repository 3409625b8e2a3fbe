#pragma once
// What fuzz_simulate does with one input, shared with the test that replays
// its seeds (crash inputs among them) in every test run: whatever the file
// reader accepts is handed to the simulation, at a scale, floor angle and
// drop taken from the input's last byte, stepped, grabbed and flung far away.
#include "object/CShape.h"
#include "platform/CArchive.h"
#include "platform/CFormatError.h"
#include "simulation/Simulation.h"

#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>

struct SimulatedInput {
    bool read = false;    // the file reader accepted it
    bool started = false; // the simulation took it
    // A refusal says why and leaves no world; a run ends with its body at a
    // finite place and angle.
    bool sound = true;
};

inline SimulatedInput SimulateInput(const uint8_t* data, size_t size) {
    SimulatedInput result;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    CShape shape;
    try {
        CArchive ar(input);
        shape.Serialize(ar);
    } catch (const CFormatError&) {
        return result;
    } catch (const CArchiveException&) {
        return result;
    }
    result.read = true;
    // The last byte picks the settings, so the fuzzer explores them too.
    const uint8_t pick = size ? data[size - 1] : 0;
    SimulationSettings settings;
    settings.unitsPerMetre = (pick & 3) == 0 ? 1 : (pick & 3) == 1 ? 100 : 400;
    settings.floorAngle = double(int(pick >> 2) - 32) * 45.0 / 32.0;
    settings.drop = (pick & 0x80) ? 0 : 100;
    Simulation sim;
    if (!sim.Start(shape, settings)) {
        result.sound = !sim.Errors().isEmpty() && !sim.IsRunning();
        return result;
    }
    result.started = true;
    for (int i = 0; i < 20; ++i)
        sim.Step();
    if (sim.Grab(sim.Position(), 3)) {
        sim.DragTo(QPointF(1e9, -1e9));
        sim.Step();
        sim.Release();
    }
    const SimulationState s = sim.State();
    result.sound = std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.angle);
    return result;
}
