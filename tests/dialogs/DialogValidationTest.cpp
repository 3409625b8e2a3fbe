#include "dialogs/CPropertiesDialog.h"
#include "dialogs/CResizeDialog.h"
#include "dialogs/ModalDriver.h"

#include <QCheckBox>
#include <QLocale>
#include <QRadioButton>

namespace {

struct Case {
    QString typed;
    bool accepted;
    double value;    // what the member holds after an accepted OK
    QString message; // what the refusal says
};

// Opens the dialog, types the text, presses OK; a refusal must keep the dialog
// open with the focus back on the field, where a valid value then gets through.
template <typename Dialog>
void CheckField(const char* field, const Case& c, double Dialog::*member, double fallback) {
    Dialog dialog;
    WhenModal<Dialog>([&](Dialog* d) {
        auto* edit = d->template findChild<QLineEdit*>(field);
        ASSERT_NE(edit, nullptr);
        TypeInto(edit, c.typed);
        if (c.accepted) {
            Click(d, "okButton");
            return;
        }
        EXPECT_EQ(PressOkExpectingRefusal(d), c.message) << c.typed.toStdString();
        EXPECT_TRUE(d->isVisible()) << c.typed.toStdString();
        EXPECT_EQ(d->focusWidget(), edit) << c.typed.toStdString();
        TypeInto(edit, QLocale().toString(fallback));
        Click(d, "okButton");
    });
    EXPECT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.*member, c.accepted ? c.value : fallback) << c.typed.toStdString();
}

struct CLocaleFixture : ::testing::Test {
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

} // namespace

TEST_F(CLocaleFixture, MassDensityBoundsAreInclusive) {
    const QString range = "Please enter a number between 0.1 and 100.";
    for (const Case& c :
         {Case{"0.09", false, 0, range}, Case{"0.1", true, 0.1, {}}, Case{"100", true, 100.0, {}},
          Case{"100.5", false, 0, range}, Case{"", false, 0, "Please enter a number."},
          Case{"abc", false, 0, "Please enter a number."},
          Case{"nan", false, 0, "Please enter a number."}, Case{" 42.5 ", true, 42.5, {}}})
        CheckField<CPropertiesDialog>("massDensity", c, &CPropertiesDialog::m_dMassDensity, 7.0);
}

TEST_F(CLocaleFixture, ResizeFactorBoundsAreInclusive) {
    const QString range = "Please enter a number between 0.05 and 20.";
    for (const Case& c :
         {Case{"0.04", false, 0, range}, Case{"0.05", true, 0.05, {}}, Case{"20", true, 20.0, {}},
          Case{"21", false, 0, range}, Case{"", false, 0, "Please enter a number."}})
        CheckField<CResizeDialog>("factor", c, &CResizeDialog::m_dFactor, 3.0);
}

TEST_F(CLocaleFixture, GermanDecimalCommaAndPointAreBothAccepted) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CheckField<CResizeDialog>("factor", {"2,5", true, 2.5, {}}, &CResizeDialog::m_dFactor, 1.0);
    CheckField<CResizeDialog>("factor", {"2.5", true, 2.5, {}}, &CResizeDialog::m_dFactor, 1.0);
    // A point is a decimal point, never a thousands separator.
    CheckField<CResizeDialog>("factor", {"1.500", true, 1.5, {}}, &CResizeDialog::m_dFactor, 1.0);
    CheckField<CPropertiesDialog>("massDensity",
                                  {"0,05", false, 0, "Please enter a number between 0,1 and 100."},
                                  &CPropertiesDialog::m_dMassDensity, 1.0);
}

TEST_F(CLocaleFixture, PropertiesShowTheirValuesAndDefaultRestoresDefaults) {
    CPropertiesDialog dialog;
    dialog.m_dMassDensity = 3.25;
    dialog.m_nPolarity = 1;
    dialog.m_bMayRotate = 0;
    WhenModal<CPropertiesDialog>([](CPropertiesDialog* d) {
        auto* density = d->findChild<QLineEdit*>("massDensity");
        auto* positive = d->findChild<QRadioButton*>("positive");
        auto* negative = d->findChild<QRadioButton*>("negative");
        auto* rotate = d->findChild<QCheckBox*>("mayRotate");
        EXPECT_EQ(density->text(), "3.25");
        EXPECT_FALSE(positive->isChecked());
        EXPECT_TRUE(negative->isChecked());
        EXPECT_FALSE(rotate->isChecked());
        Click(d, "defaultButton");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(density->text(), "20");
        EXPECT_TRUE(positive->isChecked());
        EXPECT_FALSE(negative->isChecked());
        EXPECT_TRUE(rotate->isChecked());
        QTest::mouseClick(negative, Qt::LeftButton);
        Click(d, "okButton");
    });
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.m_dMassDensity, 20.0);
    EXPECT_EQ(dialog.m_nPolarity, 1);
    EXPECT_EQ(dialog.m_bMayRotate, 1);
}

TEST_F(CLocaleFixture, UnknownPolarityMustBePickedBeforeOk) {
    CPropertiesDialog dialog;
    dialog.m_nPolarity = 7;
    WhenModal<CPropertiesDialog>([](CPropertiesDialog* d) {
        auto* positive = d->findChild<QRadioButton*>("positive");
        auto* negative = d->findChild<QRadioButton*>("negative");
        EXPECT_FALSE(positive->isChecked());
        EXPECT_FALSE(negative->isChecked());
        EXPECT_EQ(PressOkExpectingRefusal(d), "Please enter an integer between 0 and 1.");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->focusWidget(), positive);
        QTest::mouseClick(negative, Qt::LeftButton);
        Click(d, "okButton");
    });
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nPolarity, 1);
}

TEST_F(CLocaleFixture, CancelAndEscapeKeepTheMembers) {
    for (bool escape : {false, true}) {
        CResizeDialog dialog;
        dialog.m_dFactor = 1.0;
        WhenModal<CResizeDialog>([escape](CResizeDialog* d) {
            auto* edit = d->findChild<QLineEdit*>("factor");
            EXPECT_EQ(edit->text(), "1");
            TypeInto(edit, "5");
            if (escape)
                QTest::keyClick(edit, Qt::Key_Escape);
            else
                Click(d, "cancelButton");
        });
        EXPECT_EQ(dialog.DoModal(), QDialog::Rejected);
        EXPECT_DOUBLE_EQ(dialog.m_dFactor, 1.0);
    }
}

TEST_F(CLocaleFixture, EnterInTheFieldPressesOkAndTabFollowsTheResourceOrder) {
    CPropertiesDialog dialog;
    WhenModal<CPropertiesDialog>([](CPropertiesDialog* d) {
        QStringList order;
        QWidget* w = d->findChild<QPushButton*>("okButton");
        for (int i = 0; i < 5; ++i) {
            order << w->objectName();
            w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
        }
        EXPECT_EQ(order, QStringList({"okButton", "cancelButton", "massDensity", "defaultButton",
                                      "mayRotate"}));
        EXPECT_EQ(d->windowTitle(), "Object Properties");
        auto* edit = d->findChild<QLineEdit*>("massDensity");
        TypeInto(edit, "55");
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ASSERT_EQ(dialog.DoModal(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.m_dMassDensity, 55.0);
}
