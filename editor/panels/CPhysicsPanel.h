#pragma once
#include "physics/PhysicsModel.h"

#include <QDockWidget>
#include <QFutureWatcher>
#include <QPointer>
#include <cstdint>

class CMainFrame;
class CMorvetDoc;
class CMorvetView;
class CUnitsPerMetre;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QSettings;

// The "Physics" dock: the active document's mass properties and physics
// problems. It is brought up to date only when the editor is idle and no drag
// holds the mouse, so a drag costs nothing and the figures follow its release.
// The analysis runs on a worker thread on a copy of the object, one at a time;
// the figures shown stay until those of the object as it now stands arrive,
// and a result of an object that changed meanwhile is dropped.
// Double-clicking a problem selects its element in the active window;
// selecting one marks its place there, scrolled into view, until the object
// next changes.
class CPhysicsPanel : public QDockWidget {
    Q_OBJECT
public:
    CPhysicsPanel(CMainFrame& frame, QSettings& settings, CUnitsPerMetre& units);
    ~CPhysicsPanel() override;

    // Shows the panel if it was showing when the program last ran.
    void RestoreVisibility();
    // Called on every idle update of the frame.
    void OnIdle();
    // Shows or hides the panel and remembers the choice.
    void Toggle();
    // The program's scale, which the panel shows and changes.
    double UnitsPerMetre() const;

    // For tests: how often an analysis was started, whether one is under way,
    // and what the panel shows.
    int RebuildCount() const { return m_rebuilds; }
    bool IsAnalysing() const { return m_analysing; }
    bool IsUpToDate() const;
    const PhysicsModel& Model() const { return m_model; }
    QListWidget* Problems() const { return m_problems; }
    QString Figure(int row) const;

signals:
    // The figures and the list now show a finished analysis (or no object).
    void FiguresShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What an analysis is of; equal keys give equal results.
    struct Key {
        const CMorvetDoc* doc = nullptr; // compared only, never followed
        uint64_t fingerprint = 0;
        double unitsPerMetre = 0;
        bool operator==(const Key& o) const {
            return doc == o.doc && fingerprint == o.fingerprint && unitsPerMetre == o.unitsPerMetre;
        }
    };
    Key CurrentKey(CMorvetDoc** doc) const;
    void StartAnalysis(const CMorvetDoc& doc, const Key& key);
    void OnAnalysisFinished();
    void Show(PhysicsModel model, const Key& key);
    void ShowFigures();
    void OnProblemActivated(QListWidgetItem* item);
    void OnProblemSelected(QListWidgetItem* item);
    void ClearPlaceMark();

    CMainFrame& m_frame;
    QSettings& m_settings;
    CUnitsPerMetre& m_units;
    QLabel* m_figures[6] = {};
    QLabel* m_summary = nullptr;
    QDoubleSpinBox* m_scale = nullptr;
    QListWidget* m_problems = nullptr;

    PhysicsModel m_model;
    Key m_shown;   // what m_model is of
    Key m_pending; // what the analysis under way is of
    QFutureWatcher<PhysicsModel> m_analysis;
    // From the start until the panel hears of the end, which comes later
    // than the end itself.
    bool m_analysing = false;
    bool m_stale = true;
    int m_rebuilds = 0;
    QPointer<CMorvetView> m_markedView;
};

// Changes whenever anything the physics depends on changes: the properties,
// the elements and their points relative to the center of mass.
uint64_t PhysicsFingerprint(const CMorvetDoc& doc);
