#pragma once
#include "object/CShape.h"
#include "platform/GdiObjects.h"

#include <QPointF>
#include <QWidget>
#include <functional>

class QPainter;
class SimulationRunner;

// Shows a running simulation: the floor, and the object drawn as the editor
// draws it, moved and turned with the body, with the red cross on its center
// of mass and a ring on its centroid. Dragging the body with the left button
// pulls it along; releasing throws it.
//
// The view keeps the scale at which it was fitted and pans only when the body
// would leave it, so motion shows as motion.
class CSimulationCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CSimulationCanvas(QWidget* parent = nullptr);
    ~CSimulationCanvas() override;

    // Shows this simulation (which must outlive the canvas or be replaced by
    // nullptr first), fitting the object, its floor and its drop in view.
    void SetSimulation(SimulationRunner* simulation, const CShape& fileShape);
    // Pans after the body moved, if it has left the middle of the view.
    void FollowBody();
    // Draws the scene as the window shows it.
    void Render(QPainter& painter);

    double Zoom() const { return m_zoom; }
    QPointF SceneToPixel(QPointF scene) const;
    QPointF PixelToScene(QPointF pixel) const;

    // Told when a drag takes hold of the body.
    std::function<void()> onGrab;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Fit();

    SimulationRunner* m_simulation = nullptr;
    CShape m_fileShape;  // the object as in the file: center of mass at 0,0
    CShape m_frameShape; // its copy, turned and placed for the current frame
    double m_zoom = 1.0;
    QPointF m_center; // the scene point at the middle of the view
    CPen m_crossPen{PS_SOLID, 1, RGB(255, 0, 0)};
    CPen m_centroidPen{PS_SOLID, 1, RGB(0, 255, 255)};
};
