#include "document/CMorvetDoc.h"
#include "tools/CShapeTool.h"
#include "tools/CToolSet.h"
#include "view/CMorvetView.h"

#include <QTest>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {
// Writes down every call the view makes, and otherwise behaves as the base tool.
class RecordingTool : public CShapeTool {
public:
    RecordingTool() : CShapeTool(TOOL_SELECT) {}
    void MouseDown(CMorvetView* v, UINT f, const CPoint& p) override {
        log.push_back("down");
        CShapeTool::MouseDown(v, f, p);
    }
    void MouseUp(CMorvetView* v, UINT f, const CPoint& p) override {
        log.push_back("up");
        CShapeTool::MouseUp(v, f, p);
    }
    void MouseDoubleClick(CMorvetView*, UINT, const CPoint&) override { log.push_back("dbl"); }
    void MouseMove(CMorvetView* v, UINT f, const CPoint& p) override {
        log.push_back("move");
        CShapeTool::MouseMove(v, f, p);
    }
    void KeyDown(CMorvetView*, UINT c, UINT, UINT) override { keys.push_back(c); }
    std::vector<std::string> log;
    std::vector<UINT> keys;
};

struct DispatchFixture : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    RecordingTool tool;
    void SetUp() override {
        doc.OnNewDocument();
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(200, 200);
        view->show();
        view->UseTool(&tool);
    }
};
} // namespace

TEST(ToolSet, CodesMapToEightToolsOfTheSetAndUnknownCodesToSelect) {
    CToolSet set, other;
    std::set<CShapeTool*> distinct;
    for (int code = 0; code <= 7; ++code) {
        CShapeTool* t = set.ForType(code);
        EXPECT_EQ(t->m_nToolType, code);
        EXPECT_EQ(t, set.ForType(code));
        distinct.insert(t);
        distinct.insert(other.ForType(code));
    }
    EXPECT_EQ(distinct.size(), 16u) << "no tool is shared between two sets";
    for (int code : {8, 100, -1})
        EXPECT_EQ(set.ForType(code), set.ForType(0));
}

TEST_F(DispatchFixture, InactiveViewIgnoresMouseButStillPassesKeys) {
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(tool.log.empty());
    QTest::keyClick(view.get(), Qt::Key_Left);
    ASSERT_EQ(tool.keys.size(), 1u);
    EXPECT_EQ(tool.keys[0], UINT(VK_LEFT));
}

TEST_F(DispatchFixture, DoubleClickArrivesAsDownUpDoubleUpAndPressTakesCapture) {
    view->OnActivateView(true, view.get(), nullptr);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_TRUE(view->HasCapture());
    EXPECT_EQ(tool.PressPoint(), CPoint(30, 40));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(30, 40));
    EXPECT_FALSE(view->HasCapture());
    QTest::mouseDClick(view.get(), Qt::LeftButton, {}, QPoint(30, 40));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(30, 40));
    const std::vector<std::string> expected{"down", "up", "dbl", "up"};
    EXPECT_EQ(tool.log, expected);
}

TEST_F(DispatchFixture, AltKeysAndF10BelongToTheMenusNotToTheTool) {
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Alt);
    QTest::keyClick(view.get(), Qt::Key_Backspace, Qt::AltModifier);
    QTest::keyClick(view.get(), Qt::Key_F10);
    EXPECT_TRUE(tool.keys.empty());
    // With Ctrl held (AltGr on many keyboards) they are ordinary keys.
    QTest::keyClick(view.get(), Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
    const std::vector<UINT> expected{VK_CONTROL, VK_MENU, UINT('X')};
    EXPECT_EQ(tool.keys, expected);
}

TEST_F(DispatchFixture, TabReachesTheToolInsteadOfMovingFocus) {
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Tab);
    ASSERT_EQ(tool.keys.size(), 1u);
    EXPECT_EQ(tool.keys[0], UINT(VK_TAB));
}

TEST_F(DispatchFixture, ViewsOfDifferentSizesHitWhatTheyShow) {
    view->OnActivateView(true, view.get(), nullptr);
    CMorvetView big(&doc);
    big.resize(600, 400);
    big.show();
    view->UpdateWindow();
    POINT pts[3] = {{100, 100}, {110, 100}, {110, 110}};
    view->LogicalToObject(pts, 3);
    doc.AddElement(PRIM_POLYGON, 0, 3, pts);
    big.UpdateWindow();
    QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(105, 102));
    EXPECT_EQ(doc.ElementAtPoint(CPoint(105, 102), view->Anchor()), doc.m_shape.m_elements[0]);
    EXPECT_EQ(doc.ElementAtPoint(CPoint(305, 202), big.Anchor()), doc.m_shape.m_elements[0]);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(105, 102));
}
