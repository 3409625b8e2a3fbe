#include "AppFixture.h"
#include "app/CCommandActions.h"
#include "dialogs/CGridSpacingDialog.h"
#include "dialogs/ModalDriver.h"
#include "view/Grid.h"

#include <QAction>

namespace {

struct GridCommandsTest : AppFixture {
    void TearDown() override {
        AppFixture::TearDown();
        ProgramGrid() = GridSettings();
    }
    QAction* Action(int id) { return Frame()->Actions().Action(id); }
    QVariant Stored(const char* key) {
        QSettings s(SettingsPath(), QSettings::IniFormat);
        return s.value(key);
    }
};

TEST_F(GridCommandsTest, GridIsPerWindowSnapAndSpacingAreProgramWideAndAllAreRemembered) {
    ASSERT_TRUE(Start());
    CMorvetView* first = View();
    EXPECT_FALSE(first->m_bShowGrid);
    EXPECT_FALSE(ProgramGrid().snap);
    EXPECT_EQ(ProgramGrid().spacing, 10);
    Idle();
    EXPECT_FALSE(Action(ID_VIEW_SHOW_GRID)->isChecked());

    QTest::keyClick(first, Qt::Key_G, Qt::ControlModifier);
    Idle();
    EXPECT_TRUE(first->m_bShowGrid);
    EXPECT_TRUE(Action(ID_VIEW_SHOW_GRID)->isChecked());
    first->UpdateWindow();
    const int cx = first->width() / 2, cy = first->height() / 2;
    EXPECT_EQ(first->Surface().pixel(cx + 10, cy + 3) & 0xFFFFFF, 0x404040u);

    // A second window starts as the first was last left, and goes its own way.
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_WINDOW_NEW));
    Idle();
    CMorvetView* second = View();
    ASSERT_NE(second, first);
    EXPECT_TRUE(second->m_bShowGrid);
    QTest::keyClick(second, Qt::Key_G, Qt::ControlModifier);
    Idle();
    EXPECT_FALSE(second->m_bShowGrid);
    EXPECT_FALSE(Action(ID_VIEW_SHOW_GRID)->isChecked());
    EXPECT_TRUE(first->m_bShowGrid);

    QTest::keyClick(second, Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    Idle();
    EXPECT_TRUE(ProgramGrid().snap);
    EXPECT_TRUE(Action(ID_VIEW_SNAP_TO_GRID)->isChecked());

    // Grid Spacing refuses what is not a whole number from 1 to 1000.
    QString refusals;
    WhenModal<CGridSpacingDialog>([&](CGridSpacingDialog* d) {
        auto* edit = d->findChild<QLineEdit*>("spacing");
        EXPECT_EQ(edit->text(), "10");
        for (const char* bad : {"0", "1001", "2.5", "x"}) {
            TypeInto(edit, bad);
            refusals += PressOkExpectingRefusal(d) + "|";
        }
        TypeInto(edit, "25");
        Click(d, "okButton");
    });
    ASSERT_TRUE(Frame()->ExecuteCommand(ID_VIEW_GRID_SPACING));
    EXPECT_EQ(refusals, "Please enter an integer between 1 and 1000.|"
                        "Please enter an integer between 1 and 1000.|"
                        "Please enter an integer.|Please enter an integer.|");
    EXPECT_EQ(ProgramGrid().spacing, 25);
    EXPECT_FALSE(Doc()->IsModified()) << "the grid is no part of the object";

    EXPECT_EQ(Stored("Grid/Show").toBool(), false);
    EXPECT_EQ(Stored("Grid/Snap").toBool(), true);
    EXPECT_EQ(Stored("Grid/Spacing").toInt(), 25);

    // The next run starts with them.
    app.reset();
    ProgramGrid() = GridSettings();
    QSettings(SettingsPath(), QSettings::IniFormat).setValue("Grid/Show", true);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(View()->m_bShowGrid);
    EXPECT_TRUE(ProgramGrid().snap);
    EXPECT_EQ(ProgramGrid().spacing, 25);
}

} // namespace
