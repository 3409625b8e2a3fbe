// The status bar's position and zoom panes follow the pointer and the active
// window's zoom.
#include "AppFixture.h"
#include "app/CLockKeyIndicators.h"
#include "app/CViewPanes.h"
#include "res/CommandIds.h"

#include <QLabel>
#include <QTest>

using ViewPanesTest = AppFixture;

TEST_F(ViewPanesTest, PositionInUnitsFromTheCenterOfMassAndZoomOfTheActiveWindow) {
    ASSERT_TRUE(Start());
    CViewPanes& panes = Frame()->ViewPanes();
    EXPECT_EQ(panes.ZoomPane()->text(), "100 %");
    const CPoint m(View()->width() / 2, View()->height() / 2);
    QTest::mouseMove(View(), QPoint(m.x + 17, m.y - 8));
    Idle();
    EXPECT_EQ(panes.PositionPane()->text(), "17, -8");

    QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(View(), Qt::Key_Equal, Qt::ControlModifier);
    Idle();
    EXPECT_EQ(panes.ZoomPane()->text(), "200 %");
    EXPECT_EQ(panes.PositionPane()->text(), "9, -4") << "8.5 units rounds away from zero";

    // The pane sits before the key indicators.
    const QList<QLabel*> labels = Frame()->findChildren<QLabel*>();
    EXPECT_LT(labels.indexOf(panes.ZoomPane()),
              labels.indexOf(Frame()->LockKeys().Pane(CLockKeyIndicators::Caps)));

    Frame()->ExecuteCommand(ID_WINDOW_NEW);
    Idle();
    EXPECT_EQ(panes.ZoomPane()->text(), "100 %") << "each window has its own zoom";
    Frame()->ExecuteCommand(ID_VIEW_ZOOM_OUT);
    Idle();
    EXPECT_EQ(panes.ZoomPane()->text(), "66.7 %");
}
