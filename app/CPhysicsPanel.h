#pragma once
#include "physics/PhysicsModel.h"

#include <QDockWidget>
#include <QPointer>
#include <cstdint>

class CMainFrame;
class CMorvetDoc;
class CMorvetView;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QSettings;

// The "Physics" dock: the active document's mass properties and physics
// problems. It is brought up to date only when the editor is idle and no drag
// holds the mouse, so a drag costs nothing and the figures follow its release.
// Double-clicking a problem selects its element in the active window;
// selecting one marks its place there until the object next changes.
class CPhysicsPanel : public QDockWidget {
    Q_OBJECT
public:
    CPhysicsPanel(CMainFrame& frame, QSettings& settings);

    // Shows the panel if it was showing when the program last ran.
    void RestoreVisibility();
    // Called on every idle update of the frame.
    void OnIdle();
    // Shows or hides the panel and remembers the choice.
    void Toggle();
    // The scale of the Box2D checks and of File > Export, remembered.
    double UnitsPerMetre() const;

    // For tests: how often the figures were computed, and what they are.
    int RebuildCount() const { return m_rebuilds; }
    const PhysicsModel& Model() const { return m_model; }
    QListWidget* Problems() const { return m_problems; }
    QString Figure(int row) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Rebuild(CMorvetDoc* doc, uint64_t fingerprint);
    void ShowFigures();
    void OnProblemActivated(QListWidgetItem* item);
    void OnProblemSelected(QListWidgetItem* item);
    void ClearPlaceMark();

    CMainFrame& m_frame;
    QSettings& m_settings;
    QLabel* m_figures[6] = {};
    QLabel* m_summary = nullptr;
    QDoubleSpinBox* m_scale = nullptr;
    QListWidget* m_problems = nullptr;

    PhysicsModel m_model;
    CMorvetDoc* m_docSeen = nullptr; // compared only, never followed
    uint64_t m_fingerprint = 0;
    bool m_stale = true;
    int m_rebuilds = 0;
    QPointer<CMorvetView> m_markedView;
};

// Changes whenever anything the physics depends on changes: the properties,
// the elements and their points relative to the center of mass.
uint64_t PhysicsFingerprint(const CMorvetDoc& doc);
