#pragma once
#include "simulation/Simulation.h"

#include <QLineF>
#include <QPointF>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// Where the body was after the latest step, for whoever draws it.
struct SimulationSnapshot {
    bool running = false;
    SimulationState state;
    QPointF position;
    double angle = 0; // radians, clockwise on screen
    bool grabbing = false;
};

// A Simulation stepped on a thread of its own, so that however long a step
// of a large object takes, the thread that calls it never waits for more
// than the step under way. Time handed to it with AddTime is run in fixed
// steps as soon as it comes due; what the thread cannot keep up with is
// dropped, so the motion slows down instead of falling behind.
//
// Everything else is called from one thread (the one that draws): it waits
// for the step under way, never for a queue of them. Model, FloorTop, Errors
// and Settings change only in Start, on that same thread.
class SimulationRunner {
public:
    SimulationRunner();
    ~SimulationRunner(); // stops the thread and frees the world
    SimulationRunner(const SimulationRunner&) = delete;
    SimulationRunner& operator=(const SimulationRunner&) = delete;

    bool Start(const CShape& shape, const SimulationSettings& settings);
    void Stop();
    // One step now, on the calling thread.
    void Step();
    // Simulated time to run; more than kMaxBacklog waiting is dropped.
    void AddTime(double seconds);
    // Drops the time not yet run; once it returns, no step runs until AddTime.
    void DropTime();
    void SetGravity(double metresPerSecond2);
    bool Grab(QPointF point, double tolerance);
    void DragTo(QPointF point);
    void Release();

    SimulationSnapshot Snapshot() const;
    bool IsRunning() const { return Snapshot().running; }
    SimulationState State() const { return Snapshot().state; }
    QPointF Position() const { return Snapshot().position; }
    double AngleRadians() const { return Snapshot().angle; }
    bool IsGrabbing() const { return Snapshot().grabbing; }
    // No time is waiting and no round is under way: the snapshot is the last
    // one until AddTime or a call from this thread.
    bool IsIdle() const;

    const PhysicsModel& Model() const { return m_simulation.Model(); }
    QLineF FloorTop() const { return m_simulation.FloorTop(); }
    const QStringList& Errors() const { return m_simulation.Errors(); }
    const SimulationSettings& Settings() const { return m_simulation.Settings(); }

    static constexpr double kMaxBacklog = 0.25; // seconds of simulated time
    static constexpr int kMaxStepsPerRound = 16;

private:
    // Holds the simulation for a call from the drawing thread; the stepping
    // thread lets go after the step under way.
    class Access {
    public:
        explicit Access(SimulationRunner& runner);
        ~Access();
        Access(const Access&) = delete;
        Access& operator=(const Access&) = delete;

    private:
        SimulationRunner& m_runner;
        std::unique_lock<std::mutex> m_lock;
    };

    void Run();
    void Publish(); // with m_simulationMutex held

    Simulation m_simulation;
    std::mutex m_simulationMutex;  // the simulation and its world
    std::atomic<int> m_waiting{0}; // calls waiting for m_simulationMutex
    std::atomic<bool> m_quit{false};

    mutable std::mutex m_timeMutex; // m_pending, m_roundUnderWay
    std::condition_variable m_wake;
    double m_pending = 0;
    bool m_roundUnderWay = false; // from taking the time until its snapshot is out

    mutable std::mutex m_snapshotMutex;
    SimulationSnapshot m_snapshot;

    std::thread m_thread;
};
