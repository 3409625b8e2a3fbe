#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
QRgb Px(const CMorvetView& v, int x, int y) {
    return v.Surface().pixel(x, y) & 0xFFFFFF;
}

struct ViewFixture : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    void SetUp() override {
        doc.OnNewDocument();
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(400, 300);
        view->show();
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
    }
};
} // namespace

TEST_F(ViewFixture, NewDocumentIsBlackWithRedCrossAtCentre) {
    EXPECT_EQ(Px(*view, 10, 10), 0x000000u);
    EXPECT_EQ(Px(*view, 200, 150), 0xFF0000u);
    EXPECT_EQ(Px(*view, 194, 144), 0xFF0000u);
    EXPECT_EQ(Px(*view, 205, 155), 0xFF0000u);
    // Lines leave out their end point.
    EXPECT_EQ(Px(*view, 206, 156), 0x000000u);
    EXPECT_EQ(Px(*view, 206, 144), 0xFF0000u);
    EXPECT_EQ(Px(*view, 195, 155), 0xFF0000u);
    EXPECT_EQ(Px(*view, 194, 156), 0x000000u);
    EXPECT_EQ(Px(*view, 201, 150), 0x000000u);
    EXPECT_EQ(doc.m_origin, CPoint(200, 150));
}
