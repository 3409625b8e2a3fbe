#include "simulation/SimulationRunner.h"

#include <algorithm>

SimulationRunner::Access::Access(SimulationRunner& runner) : m_runner(runner) {
    ++m_runner.m_waiting;
    m_lock = std::unique_lock<std::mutex>(m_runner.m_simulationMutex);
    --m_runner.m_waiting;
}

SimulationRunner::Access::~Access() {
    m_runner.Publish();
}

SimulationRunner::SimulationRunner() : m_thread([this] { Run(); }) {}

SimulationRunner::~SimulationRunner() {
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void SimulationRunner::Run() {
    for (;;) {
        double seconds = 0;
        {
            std::unique_lock<std::mutex> lock(m_timeMutex);
            m_wake.wait(lock, [this] { return m_quit || m_pending > 0; });
            if (m_quit)
                return;
            seconds = m_pending;
            m_pending = 0;
            m_roundUnderWay = true;
        }
        // A call from the drawing thread goes first.
        while (m_waiting.load() > 0 && !m_quit)
            std::this_thread::yield();
        std::lock_guard<std::mutex> lock(m_simulationMutex);
        int steps = 0;
        m_simulation.Advance(seconds, [&] {
            return !m_quit && m_waiting.load() == 0 && steps++ < kMaxStepsPerRound;
        });
        Publish();
        std::lock_guard<std::mutex> time(m_timeMutex);
        m_roundUnderWay = false;
    }
}

bool SimulationRunner::IsIdle() const {
    std::lock_guard<std::mutex> lock(m_timeMutex);
    return m_pending == 0 && !m_roundUnderWay;
}

void SimulationRunner::Publish() {
    SimulationSnapshot s;
    s.running = m_simulation.IsRunning();
    s.state = m_simulation.State();
    s.position = m_simulation.Position();
    s.angle = m_simulation.AngleRadians();
    s.grabbing = m_simulation.IsGrabbing();
    std::lock_guard<std::mutex> lock(m_snapshotMutex);
    m_snapshot = s;
}

SimulationSnapshot SimulationRunner::Snapshot() const {
    std::lock_guard<std::mutex> lock(m_snapshotMutex);
    return m_snapshot;
}

bool SimulationRunner::Start(const CShape& shape, const SimulationSettings& settings) {
    DropTime();
    Access access(*this);
    return m_simulation.Start(shape, settings);
}

void SimulationRunner::Stop() {
    DropTime();
    Access access(*this);
    m_simulation.Stop();
}

void SimulationRunner::Step() {
    Access access(*this);
    m_simulation.Step();
}

void SimulationRunner::AddTime(double seconds) {
    if (!(seconds > 0))
        return;
    {
        std::lock_guard<std::mutex> lock(m_timeMutex);
        m_pending = std::min(m_pending + seconds, kMaxBacklog);
    }
    m_wake.notify_one();
}

void SimulationRunner::DropTime() {
    // Holding the simulation first means the round under way has ended.
    Access access(*this);
    std::lock_guard<std::mutex> lock(m_timeMutex);
    m_pending = 0;
}

void SimulationRunner::SetGravity(double metresPerSecond2) {
    Access access(*this);
    m_simulation.SetGravity(metresPerSecond2);
}

bool SimulationRunner::Grab(QPointF point, double tolerance) {
    Access access(*this);
    return m_simulation.Grab(point, tolerance);
}

void SimulationRunner::DragTo(QPointF point) {
    Access access(*this);
    m_simulation.DragTo(point);
}

void SimulationRunner::Release() {
    Access access(*this);
    m_simulation.Release();
}
