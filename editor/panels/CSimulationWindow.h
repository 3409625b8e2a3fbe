#pragma once
#include "simulation/SimulationSettings.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <memory>

class CMorvetDoc;
class CSimulationCanvas;
class CUnitsPerMetre;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class SimulationRunner;

// "Simulation - <title>": the document's object falling onto a floor, beside
// the editor. One per document; it closes with its document, and closing it
// stops the simulation and frees everything. Restart reads the object again,
// so changes made in the editor meanwhile take part.
//
// Space (play or pause), Right (one step) and Home (restart) work wherever the
// focus is in the window, even in a number field.
class CSimulationWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the document's simulation, or brings its open one to the front.
    // An object that cannot be simulated opens nothing: a message lists why.
    // units is the program's scale, which must outlive the window; its field
    // here changes it for the whole program.
    static CSimulationWindow* Open(CMorvetDoc* pDoc, QWidget* parent, CUnitsPerMetre& units);
    static CSimulationWindow* Find(const CMorvetDoc* pDoc);
    // Closes the document's simulation, if one is open.
    static void CloseFor(const CMorvetDoc* pDoc);

    ~CSimulationWindow() override;

    // Builds the world anew from the document's current object and settings;
    // false, with the reasons shown in the window, when it cannot be simulated.
    bool Restart();
    void Play();
    void Pause();
    void TogglePlay();
    // Pauses, then advances one step of 1/60 s.
    void StepOnce();

    bool IsPlaying() const { return m_timer.isActive(); }
    const SimulationRunner& GetSimulation() const { return *m_simulation; }
    SimulationRunner& GetSimulation() { return *m_simulation; }
    CSimulationCanvas* Canvas() const { return m_canvas; }
    SimulationSettings Settings() const;
    double Speed() const;
    const QStringList& Errors() const { return m_errors; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CSimulationWindow(CMorvetDoc* pDoc, QWidget* parent, CUnitsPerMetre& units);
    void BuildControls();
    void OnFrame();
    void ShowState();

    CMorvetDoc* m_pDocument;
    CUnitsPerMetre& m_units;
    std::unique_ptr<SimulationRunner> m_simulation;
    QStringList m_errors;
    QTimer m_timer;
    QElapsedTimer m_clock;

    CSimulationCanvas* m_canvas = nullptr;
    QPushButton* m_playButton = nullptr;
    QComboBox* m_speed = nullptr;
    QDoubleSpinBox* m_gravity = nullptr;
    QSpinBox* m_floorAngle = nullptr;
    QDoubleSpinBox* m_scale = nullptr;
    QDoubleSpinBox* m_friction = nullptr;
    QDoubleSpinBox* m_restitution = nullptr;
    QSpinBox* m_drop = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_position = nullptr;
    QLabel* m_angle = nullptr;
    QLabel* m_sleep = nullptr;
    QLabel* m_problems = nullptr;
};
