#pragma once
#include "document/CMorvetDoc.h"
#include "tools/CBoxShapeTool.h"
#include "tools/CPathTool.h"
#include "tools/CPickTool.h"
#include "view/CMorvetView.h"

#include <QTest>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

// Drives the tools through real mouse and key events on a shown, active view of
// 400x300, whose anchor is therefore (200,150) and whose logical coordinates are
// its client coordinates. Add and PointsOf speak in those coordinates; the
// document holds them less the anchor.
struct ToolFixture : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;

    void SetUp() override {
        doc.OnNewDocument();
        view = MakeView(doc);
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
    }
    void TearDown() override {
        if (QWidget* grabber = QWidget::mouseGrabber())
            grabber->releaseMouse();
        view.reset();
    }

    static std::unique_ptr<CMorvetView> MakeView(CMorvetDoc& d) {
        auto v = std::make_unique<CMorvetView>(&d);
        v->resize(400, 300);
        v->show();
        v->UpdateWindow();
        return v;
    }

    void Use(int toolType) { view->UseTool(toolType); }

    // Appends an element without recording history, as if it had been loaded.
    CPrimitive* Add(int type, std::initializer_list<POINT> pts, COLORREF c = RGB(255, 255, 255)) {
        POINT* own = new POINT[pts.size()];
        std::copy(pts.begin(), pts.end(), own);
        doc.m_shape.AppendElement(type, c, int32_t(pts.size()), own);
        const CPoint back = -view->Anchor();
        MovePrimitive(doc.m_shape.m_elements.back(), back.x, back.y);
        return doc.m_shape.m_elements.back();
    }

    void Press(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mousePress(view.get(), Qt::LeftButton, m, QPoint(x, y));
    }
    void Release(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::mouseRelease(view.get(), Qt::LeftButton, m, QPoint(x, y));
    }
    void Move(int x, int y) { QTest::mouseMove(view.get(), QPoint(x, y)); }
    void Click(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Press(x, y, m);
        Release(x, y, m);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        Press(x0, y0);
        Move(x1, y1);
        Release(x1, y1);
    }
    // What a real double click delivers.
    void DoubleClick(int x, int y, Qt::KeyboardModifiers m = Qt::NoModifier) {
        Press(x, y, m);
        Release(x, y, m);
        QTest::mouseDClick(view.get(), Qt::LeftButton, m, QPoint(x, y));
        Release(x, y, m);
    }
    void Key(Qt::Key key) { QTest::keyClick(view.get(), key); }

    QRgb Px(int x, int y) const { return view->Surface().pixel(x, y) & 0xFFFFFF; }

    // The points as the view shows them: a circle's radius is a length.
    std::vector<CPoint> PointsOf(const CPrimitive* e) const {
        CPrimitive shown(*e);
        const CPoint a = view->Anchor();
        MovePrimitive(&shown, a.x, a.y);
        return std::vector<CPoint>(shown.m_pPoints, shown.m_pPoints + shown.m_nPoints);
    }
    CPrimitive* Last() const { return doc.m_shape.m_elements.back(); }
};

inline void PrintTo(const CPoint& p, std::ostream* os) {
    *os << "(" << p.x << "," << p.y << ")";
}

inline std::vector<CPoint> Pts(std::initializer_list<CPoint> pts) {
    return std::vector<CPoint>(pts);
}
