// On a screen of two pixels per unit (run with QT_SCALE_FACTOR=2): the
// toolbar's images are drawn for it, and in the editor's window and the
// simulation window the center-of-mass cross and every line are as wide as
// the object's outlines, without gaps.
#include "app/AppFixture.h"
#include "panels/CSimulationCanvas.h"
#include "panels/CSimulationWindow.h"
#include "simulation/SimulationRunner.h"

#include <QAbstractButton>
#include <QToolBar>
#include <cmath>
#include <vector>

namespace {
QImage Plain(const QImage& image) {
    QImage plain = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    plain.setDevicePixelRatio(1);
    return plain;
}

int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// Whether the opaque pixels of icon appear unchanged somewhere in shot.
bool Shows(const QImage& shot, const QImage& icon) {
    for (int oy = 0; oy + icon.height() <= shot.height(); ++oy)
        for (int ox = 0; ox + icon.width() <= shot.width(); ++ox) {
            bool same = true;
            for (int y = 0; y < icon.height() && same; ++y)
                for (int x = 0; x < icon.width() && same; ++x)
                    same = qAlpha(icon.pixel(x, y)) < 255 ||
                           shot.pixel(ox + x, oy + y) == icon.pixel(x, y);
            if (same)
                return true;
        }
    return false;
}

// The lengths of the runs of one colour along a row of device pixels.
std::vector<int> Runs(const QImage& image, int y, int x0, int x1, QRgb colour) {
    std::vector<int> runs;
    int run = 0;
    for (int x = std::max(x0, 0); x <= std::min(x1, image.width() - 1); ++x) {
        if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run)
        runs.push_back(run);
    return runs;
}

// An object with the center of mass at its middle: a green box and, right of
// it, a white vertical polyline, both given in units from the center of mass.
void AddObject(CMorvetDoc* doc) {
    const POINT box[4] = {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}};
    doc->AddElement(PRIM_POLYGON, RGB(0, 200, 0), 4, box);
    const POINT line[2] = {{60, -30}, {60, 30}};
    doc->AddElement(PRIM_POLYLINE, RGB(0, 200, 0), 2, line);
    doc->m_shape.m_bMayRotate = 0;
    doc->UpdateAllViews(nullptr);
}

// In a picture at ratio device pixels per pixel, with the cross at centre and
// the object at zoom: each arm of the cross, the box's left edge and every row
// of the polyline are ratio device pixels wide.
void ExpectEvenWidths(const QImage& shot, QPointF centre, double zoom, int ratio) {
    const int cx = int(std::lround(centre.x() * ratio)), cy = int(std::lround(centre.y() * ratio));
    const std::vector<int> arms =
        Runs(shot, cy - 4 * ratio, cx - 8 * ratio, cx + 8 * ratio, 0xFF0000);
    EXPECT_EQ(arms, std::vector<int>({ratio, ratio})) << "the cross";
    const int boxLeft = int(std::lround((centre.x() - 20 * zoom) * ratio));
    const std::vector<int> edge =
        Runs(shot, cy + 2 * ratio, boxLeft - 3 * ratio, boxLeft + 2 * ratio, 0xFFFFFF);
    EXPECT_EQ(edge, std::vector<int>({ratio})) << "the box's outline";
    const int lineX = int(std::lround((centre.x() + 60 * zoom) * ratio));
    const int top = int(std::lround((centre.y() - 28 * zoom) * ratio));
    const int bottom = int(std::lround((centre.y() + 28 * zoom) * ratio));
    int rows = 0;
    for (int y = top; y <= bottom; ++y) {
        const std::vector<int> line = Runs(shot, y, lineX - 4 * ratio, lineX + 4 * ratio, 0xFFFFFF);
        rows += line == std::vector<int>({ratio});
    }
    EXPECT_EQ(rows, bottom - top + 1) << "every row of the polyline, at the cross's width";
}
} // namespace

using ScreenScaleTest = AppFixture;

TEST_F(ScreenScaleTest, ToolbarImagesHavePixelsOfTheirOwnForTheScreen) {
    ASSERT_TRUE(Start());
    ASSERT_EQ(Frame()->devicePixelRatio(), 2) << "run with QT_SCALE_FACTOR=2";
    int shown = 0, redrawn = 0;
    for (QAction* action : Frame()->ToolBar()->actions()) {
        if (action->icon().isNull())
            continue;
        SCOPED_TRACE(action->toolTip().toStdString());
        const QImage one = Plain(action->icon().pixmap(QSize(16, 15), 1.0).toImage());
        const QImage two = Plain(action->icon().pixmap(QSize(16, 15), 2.0).toImage());
        ASSERT_EQ(one.size(), QSize(16, 15));
        ASSERT_EQ(two.size(), QSize(32, 30));
        // Not the small image enlarged: smoothing blurs every edge, and
        // enlarging pixel for pixel keeps the steps of every slanted line.
        EXPECT_GT(
            Differing(two, one.scaled(32, 30, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)), 8);
        redrawn += Differing(two, one.scaled(32, 30)) > 8;
        // And the button shows it as drawn.
        auto* button = qobject_cast<QAbstractButton*>(Frame()->ToolBar()->widgetForAction(action));
        ASSERT_TRUE(button);
        if (button->isEnabled()) {
            EXPECT_TRUE(Shows(Plain(button->grab().toImage()), two));
            ++shown;
        }
    }
    EXPECT_GE(shown, 10);
    EXPECT_GE(redrawn, 12);
}

TEST_F(ScreenScaleTest, CrossAndLinesAreAsWideAsTheOutlinesInBothWindows) {
    ASSERT_TRUE(Start());
    CMorvetDoc* doc = Doc();
    AddObject(doc);
    View()->UpdateWindow();
    ASSERT_EQ(View()->devicePixelRatio(), 2) << "run with QT_SCALE_FACTOR=2";
    {
        SCOPED_TRACE("editor");
        ExpectEvenWidths(Plain(View()->grab().toImage()),
                         QPointF(View()->Anchor().x, View()->Anchor().y), 1.0, 2);
    }

    QTest::keyClick(View(), Qt::Key_T, Qt::ControlModifier);
    CSimulationWindow* w = CSimulationWindow::Find(doc);
    ASSERT_TRUE(w);
    QTest::keyClick(w->Canvas(), Qt::Key_Space);
    ASSERT_FALSE(w->IsPlaying());
    SCOPED_TRACE("simulation");
    const QPointF at = w->Canvas()->SceneToPixel(w->GetSimulation().Position());
    // The body lands on whole pixels as the canvas truncates it.
    ExpectEvenWidths(Plain(w->Canvas()->grab().toImage()), QPointF(int(at.x()), int(at.y())),
                     w->Canvas()->Zoom(), 2);
}
