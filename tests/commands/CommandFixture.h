#pragma once
#include "document/CMorvetDoc.h"
#include "platform/CCmdUI.h"
#include "view/CMorvetView.h"
#include "view/Clipboard.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <vector>

// A document with one active 400 x 300 view, its anchor at the middle (200, 150).
struct CommandFixture : ::testing::Test {
    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;

    void SetUp() override {
        DestroyClipboardElements();
        doc.OnNewDocument();
        view = OpenView(doc, 400, 300);
    }
    void TearDown() override { DestroyClipboardElements(); }

    static std::unique_ptr<CMorvetView> OpenView(CMorvetDoc& d, int w, int h) {
        auto v = std::make_unique<CMorvetView>(&d);
        v->resize(w, h);
        v->show();
        v->OnActivateView(true, v.get(), nullptr);
        v->UpdateWindow();
        return v;
    }

    // Appended without a snapshot, so each test starts with an empty history;
    // the points are those the document's first window shows.
    static CPrimitive* Add(CMorvetDoc& d, int type, COLORREF color,
                           std::initializer_list<POINT> pts) {
        auto* own = new POINT[pts.size()];
        std::copy(pts.begin(), pts.end(), own);
        d.m_shape.AppendElement(type, color, int32_t(pts.size()), own);
        CPrimitive* added = d.m_shape.m_elements.back();
        for (CViewBase* v : d.Views())
            if (auto* shown = dynamic_cast<CMorvetView*>(v)) {
                const CPoint back = -shown->Anchor();
                MovePrimitive(added, back.x, back.y);
                break;
            }
        return added;
    }
    CPrimitive* Square(int left, int top, int size, COLORREF color = RGB(0, 0, 255)) {
        return Add(
            doc, PRIM_POLYGON, color,
            {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}});
    }
    CPrimitive* Circle(int cx, int cy, int r) {
        return Add(doc, PRIM_CIRCLE, RGB(0, 255, 0), {{cx, cy}, {r, r}});
    }

    static bool Run(CMorvetView& v, int id) { return v.OnCmdMsg(id, nullptr); }
    static CCmdUI Update(CMorvetView& v, int id) {
        CCmdUI ui(id);
        EXPECT_TRUE(v.OnCmdMsg(id, &ui)) << id;
        return ui;
    }
    // The points as a window shows them: a circle's radius is a length.
    static std::vector<POINT> PointsIn(const CMorvetView& v, const CPrimitive* p) {
        CPrimitive shown(*p);
        const CPoint a = v.Anchor();
        MovePrimitive(&shown, a.x, a.y);
        return std::vector<POINT>(shown.m_pPoints, shown.m_pPoints + shown.m_nPoints);
    }
    std::vector<POINT> Points(const CPrimitive* p) const { return PointsIn(*view, p); }
    static std::vector<POINT> Shifted(std::vector<POINT> pts, int dx, int dy) {
        for (POINT& p : pts) {
            p.x += dx;
            p.y += dy;
        }
        return pts;
    }
    QRgb Px(int x, int y) const { return view->Surface().pixel(x, y) & 0xFFFFFF; }
};

inline bool operator==(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}
