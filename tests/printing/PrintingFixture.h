#pragma once
#include "document/CMorvetDoc.h"
#include "view/CMorvetView.h"
#include "view/CPrintJob.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A document titled Object1 in a 400 x 300 view, and the shared printer on
// Letter paper with half-inch margins: at 96 units per inch the printable area
// starts at (48, 48) and the page renders as 816 x 1056 pixels.
struct PrintingFixture : ::testing::Test {
    static constexpr int kMargin = 48;
    static constexpr int kPageWidth = 816;
    static constexpr int kPageHeight = 1056;

    CMorvetDoc doc;
    std::unique_ptr<CMorvetView> view;
    QTemporaryDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QPrinter* printer = CPrintJob::SharedPrinter();
        printer->setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                           QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch));
        doc.OnNewDocument();
        doc.SetTitle("Object1");
        view = std::make_unique<CMorvetView>(&doc);
        view->resize(400, 300);
        view->show();
        view->OnActivateView(true, view.get(), nullptr);
        view->UpdateWindow();
    }
    // In the window's logical units, about its middle (200, 150).
    void AddRectangle(int l, int t, int r, int b, COLORREF fill) {
        POINT pts[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
        view->LogicalToObject(pts, 4);
        doc.AddElement(PRIM_POLYGON, fill, 4, pts);
        view->UpdateWindow();
    }
    QString Path(const char* name) const { return dir.filePath(name); }
};
