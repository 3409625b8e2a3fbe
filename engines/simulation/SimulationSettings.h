#pragma once
#include <QString>

// What a simulation run is set up with. Lengths are file units, angles degrees
// clockwise on screen (y points down, as in the file), so a positive floor
// angle lowers the floor's right end.
struct SimulationSettings {
    double gravity = 9.81;      // m/s², pulling down the screen
    double floorAngle = 0;      // degrees
    double unitsPerMetre = 100; // file units in one metre
    double friction = 0.2;      // body and floor alike
    double restitution = 0;     // body and floor alike
    double drop = 100;          // from the object's lowest point down to the floor's top

    static constexpr double kMinGravity = 0, kMaxGravity = 100;
    static constexpr double kMaxFloorAngle = 45;
    static constexpr double kMinScale = 1, kMaxScale = 400;
    static constexpr double kMaxFriction = 10, kMaxRestitution = 1;
    static constexpr double kMaxDrop = 100000;
};

// Empty when every setting lies in its range; otherwise what is wrong, naming
// the range. Box2D must never see a value outside them.
QString CheckSimulationSettings(const SimulationSettings& settings);
