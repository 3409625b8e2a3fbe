// The reference image under the object, and tracing it, on a real view.
#include "CommandFixture.h"
#include "dialogs/CReferenceImageDialog.h"
#include "dialogs/CTraceImageDialog.h"
#include "dialogs/ModalDriver.h"
#include "res/CommandIds.h"
#include "support/ElementArea.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QSpinBox>
#include <cmath>

namespace {
// 300 x 300, black on white: a disc (radius 60) left of the middle and a
// ring (radii 70 and 35) right of it.
QImage DiscAndRing() {
    QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(75, 150), 60, 60);
    QPainterPath ring;
    ring.addEllipse(QPointF(220, 150), 70, 70);
    ring.addEllipse(QPointF(220, 150), 35, 35);
    p.drawPath(ring);
    return image;
}

QImage Solid(int w, int h, QColor color) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// 60 x 40 and transparent: a green frame three pixels wide along its edges
// and a black disc of radius 10 in its middle, as a dark sprite is drawn.
QImage DarkSprite() {
    QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 200, 0));
    p.drawRect(0, 0, 60, 3);
    p.drawRect(0, 37, 60, 3);
    p.drawRect(0, 0, 3, 40);
    p.drawRect(57, 0, 3, 40);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(30, 20), 10, 10);
    return image;
}

// Where the board's two colours and the frame's green show on an image.
struct Backdrop {
    QRect light, green;
    int white = 0, grey = 0, blackInside = 0;
};

Backdrop FindBackdrop(const QImage& image) {
    Backdrop b;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) & 0xFFFFFF;
            if (c == 0xFFFFFFu || c == 0xCCCCCCu) {
                b.light |= QRect(x, y, 1, 1);
                (c == 0xFFFFFFu ? b.white : b.grey) += 1;
            } else if (c == 0x00C800u) {
                b.green |= QRect(x, y, 1, 1);
            }
        }
    for (int y = b.green.top() + 3; y < b.green.bottom() - 3; ++y)
        for (int x = b.green.left() + 3; x < b.green.right() - 3; ++x)
            b.blackInside += (image.pixel(x, y) & 0xFFFFFF) == 0;
    return b;
}

using morvet_test::ElementArea;

// Replaces a spin box's text as a user does: select all, type, Enter.
void TypeInto(QAbstractSpinBox* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
}

struct ReferenceImageTest : CommandFixture {
    void Show(const QImage& image, double scale = 1, double dx = 0, double dy = 0,
              int opacity = 100) {
        doc.m_reference = CReferenceImage();
        doc.m_reference.path = "picture.png";
        doc.m_reference.image = image;
        doc.m_reference.scale = scale;
        doc.m_reference.offsetX = dx;
        doc.m_reference.offsetY = dy;
        doc.m_reference.opacity = opacity;
        doc.UpdateAllViews(nullptr);
        view->UpdateWindow();
    }

    // What the view draws on a printer's white page.
    QImage PrintedPage() const {
        QImage page(400, 300, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        CDC dc(&painter, true);
        view->OnPrepareDC(&dc);
        view->OnDraw(&dc);
        return page;
    }
};
} // namespace

TEST_F(ReferenceImageTest, DrawnUnderTheObjectAtItsScaleOffsetAndOpacityButNeverPrinted) {
    // 100 x 60 red pixels at one unit each, centred on the center of mass (200, 150).
    Show(Solid(100, 60, Qt::red));
    EXPECT_EQ(Px(151, 121), 0xFF0000u);
    EXPECT_EQ(Px(249, 179), 0xFF0000u);
    EXPECT_EQ(Px(149, 121), 0u);
    EXPECT_EQ(Px(151, 119), 0u);
    EXPECT_EQ(Px(250, 150), 0u);

    // Two units a pixel, its middle 30 right of and 10 above the center of mass.
    Show(Solid(100, 60, Qt::red), 2, 30, -10);
    EXPECT_EQ(Px(131, 81), 0xFF0000u);
    EXPECT_EQ(Px(328, 198), 0xFF0000u);
    EXPECT_EQ(Px(129, 81), 0u);
    EXPECT_EQ(Px(131, 79), 0u);

    // Half opacity over the black canvas; an element covers the picture.
    Show(Solid(100, 60, Qt::red), 1, 0, 0, 50);
    EXPECT_NEAR(qRed(Px(160, 130)), 128, 2);
    Square(210, 130, 20);
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(Px(220, 140), 0x0000FFu);

    // Hidden: the canvas as it was without it.
    ASSERT_TRUE(Run(*view, ID_VIEW_HIDE_REFERENCE_IMAGE));
    EXPECT_TRUE(Update(*view, ID_VIEW_HIDE_REFERENCE_IMAGE).m_nCheck == 1);
    view->UpdateWindow();
    EXPECT_EQ(Px(160, 130), 0u);
    ASSERT_TRUE(Run(*view, ID_VIEW_HIDE_REFERENCE_IMAGE));
    view->UpdateWindow();
    EXPECT_NE(Px(160, 130), 0u);

    // Printing draws the object only.
    const QImage page = PrintedPage();
    const QRgb printed = page.pixel(160, 130) & 0xFFFFFF;
    EXPECT_TRUE(printed == 0 || printed == 0xFFFFFF) << std::hex << printed;
}

TEST_F(ReferenceImageTest, TraceDialogPreviewsAndOkAddsOnePolygonPerOutlineAsOneStep) {
    EXPECT_FALSE(Update(*view, ID_OBJECT_TRACE_IMAGE).m_bEnabled);
    Show(DiscAndRing(), 1, 10, 0, 40);
    EXPECT_TRUE(Update(*view, ID_OBJECT_TRACE_IMAGE).m_bEnabled);
    doc.m_color = RGB(10, 200, 30);

    WhenModal<CTraceImageDialog>([](CTraceImageDialog* d) {
        auto* summary = d->findChild<QLabel*>("summary");
        auto* holes = d->findChild<QLabel*>("holes");
        auto* preview = d->findChild<QWidget*>("preview");
        auto* threshold = d->findChild<QSpinBox*>("threshold");
        auto* tolerance = d->findChild<QDoubleSpinBox*>("tolerance");
        auto* addHoles = d->findChild<QCheckBox*>("addHoles");
        auto* ok = d->findChild<QPushButton*>("okButton");
        ASSERT_TRUE(summary && holes && preview && threshold && tolerance && addHoles && ok);
        // Tracing runs beside the interface; wait for each trace to end.
        const auto settled = [d] { return QTest::qWaitFor([d] { return !d->IsTracing(); }); };
        ASSERT_TRUE(settled());
        EXPECT_EQ(tolerance->value(), 1.0);
        EXPECT_TRUE(summary->text().startsWith("2 polygons, ")) << summary->text().toStdString();
        EXPECT_TRUE(holes->text().contains("1 hole")) << holes->text().toStdString();
        const auto greenPixels = [preview] {
            const QImage shot = preview->grab().toImage();
            int n = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    n += shot.pixel(x, y) == qRgb(0, 230, 0);
            return n;
        };
        EXPECT_GT(greenPixels(), 100);

        // Nothing is darker than 0: nothing to add, and the preview is bare.
        TypeInto(threshold, "0");
        ASSERT_TRUE(settled());
        EXPECT_TRUE(summary->text().startsWith("Nothing to trace"));
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_EQ(greenPixels(), 0);

        // A coarser tolerance, fewer vertices.
        TypeInto(threshold, "128");
        ASSERT_TRUE(settled());
        const int fine = summary->text().section(", ", 1).section(' ', 0, 0).toInt();
        TypeInto(tolerance, "4");
        ASSERT_TRUE(settled());
        const int coarse = summary->text().section(", ", 1).section(' ', 0, 0).toInt();
        EXPECT_LT(coarse, fine);
        EXPECT_GE(coarse, 8);

        QTest::mouseClick(addHoles, Qt::LeftButton, {}, QPoint(5, addHoles->height() / 2));
        EXPECT_TRUE(addHoles->isChecked());
        EXPECT_TRUE(summary->text().contains("1 hole polyline"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    ASSERT_TRUE(Run(*view, ID_OBJECT_TRACE_IMAGE));

    ASSERT_EQ(doc.m_shape.GetSize(), 3);
    const double pi = std::acos(-1.0);
    const CPrimitive* disc = doc.m_shape.m_elements[0];
    const CPrimitive* ring = doc.m_shape.m_elements[1];
    if (disc->m_pPoints[0].x > ring->m_pPoints[0].x)
        std::swap(disc, ring);
    const CPrimitive* hole = doc.m_shape.m_elements[2];
    EXPECT_EQ(disc->m_nType, PRIM_POLYGON);
    EXPECT_EQ(ring->m_nType, PRIM_POLYGON);
    EXPECT_EQ(hole->m_nType, PRIM_POLYLINE);
    for (const CPrimitive* e : doc.m_shape.m_elements)
        EXPECT_EQ(e->m_crColor, RGB(10, 200, 30));
    // Tolerance 4 on radii of 35 to 70: within 3 % of the drawn areas.
    EXPECT_NEAR(ElementArea(disc), pi * 60 * 60, 0.03 * pi * 60 * 60);
    EXPECT_NEAR(ElementArea(ring) - ElementArea(hole), pi * (70 * 70 - 35 * 35),
                0.03 * pi * (70 * 70 - 35 * 35));
    // Where the picture is shown: its middle 10 right of the center of mass,
    // so the disc's centre (75, 150) of the picture lies at (-65, 0).
    CRect box;
    GetPrimitiveRect(disc, &box);
    EXPECT_NEAR((box.left + box.right) / 2.0, -65, 2);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 0, 2);
    EXPECT_TRUE(doc.IsModified());
    // The green fill shows in the window, over the picture.
    view->UpdateWindow();
    EXPECT_EQ(Px(view->Anchor().x - 65, view->Anchor().y), 0x0AC81Eu);

    ASSERT_TRUE(Run(*view, ID_EDIT_UNDO));
    EXPECT_EQ(doc.m_shape.GetSize(), 0);
    ASSERT_TRUE(Run(*view, ID_EDIT_REDO));
    EXPECT_EQ(doc.m_shape.GetSize(), 3);

    // Cancel adds nothing.
    WhenModal<CTraceImageDialog>([](CTraceImageDialog* d) { Click(d, "cancelButton"); });
    ASSERT_TRUE(Run(*view, ID_OBJECT_TRACE_IMAGE));
    EXPECT_EQ(doc.m_shape.GetSize(), 3);
}

TEST_F(ReferenceImageTest, TraceDialogOpensAtOnceStopsAndOkAddsTheFinishedTrace) {
    // Big and speckled, so that a trace takes a good while: a disc in dots
    // at 30 %, most of them too small to keep.
    QImage image(2000, 2000, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QRandomGenerator rng(19);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rng.bounded(10) < 3)
                image.setPixel(x, y, qRgb(0, 0, 0));
    {
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(1000, 1000), 400, 400);
    }
    Show(image);
    auto options = std::make_shared<TraceOptions>();
    WhenModal<CTraceImageDialog>([options](CTraceImageDialog* d) {
        auto* busy = d->findChild<QWidget*>("busy");
        auto* stop = d->findChild<QPushButton*>("stopButton");
        auto* minArea = d->findChild<QDoubleSpinBox*>("minArea");
        auto* summary = d->findChild<QLabel*>("summary");
        auto* ok = d->findChild<QPushButton*>("okButton");
        ASSERT_TRUE(busy && stop && minArea && summary && ok);
        // The dialog is up and answering while the first trace still runs.
        EXPECT_TRUE(d->IsTracing());
        EXPECT_TRUE(busy->isVisible());
        EXPECT_FALSE(ok->isEnabled());
        QTest::mouseClick(stop, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([d] { return !d->IsTracing(); }));
        EXPECT_FALSE(busy->isVisible());
        EXPECT_FALSE(ok->isEnabled());
        EXPECT_TRUE(summary->text().contains("stopped")) << summary->text().toStdString();

        TypeInto(minArea, "5000");
        EXPECT_TRUE(d->IsTracing());
        ASSERT_TRUE(QTest::qWaitFor([d] { return !d->IsTracing(); }, 60000));
        ASSERT_TRUE(ok->isEnabled()) << summary->text().toStdString();
        *options = d->Options();
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    ASSERT_TRUE(Run(*view, ID_OBJECT_TRACE_IMAGE));

    // What OK added is the finished trace of the options shown.
    const TraceResult traced = TraceImage(image, *options);
    ASSERT_EQ(options->minArea, 5000);
    ASSERT_FALSE(traced.outlines.empty());
    ASSERT_EQ(size_t(doc.m_shape.GetSize()), traced.outlines.size());
    for (size_t i = 0; i < traced.outlines.size(); ++i) {
        const CPrimitive* e = doc.m_shape.m_elements[int(i)];
        ASSERT_EQ(size_t(e->m_nPoints), traced.outlines[i].size());
        EXPECT_EQ(e->m_pPoints[0].x, traced.outlines[i][0].x);
        EXPECT_EQ(e->m_pPoints[0].y, traced.outlines[i][0].y);
    }
}

TEST_F(ReferenceImageTest, DialogSetsScaleOffsetOpacityAndRemoves) {
    Show(Solid(100, 60, Qt::red), 1, 0, 0, 50);
    WhenModal<CReferenceImageDialog>([](CReferenceImageDialog* d) {
        TypeInto(d->findChild<QDoubleSpinBox*>("scale"), "2");
        TypeInto(d->findChild<QDoubleSpinBox*>("offsetX"), "30");
        TypeInto(d->findChild<QDoubleSpinBox*>("offsetY"), "-10");
        TypeInto(d->findChild<QSpinBox*>("opacity"), "100");
        EXPECT_TRUE(d->findChild<QLabel*>("fileName")->text().contains("100 x 60"));
        Click(d, "okButton");
    });
    ASSERT_TRUE(Run(*view, ID_VIEW_REFERENCE_IMAGE));
    EXPECT_EQ(doc.m_reference.scale, 2.0);
    EXPECT_EQ(doc.m_reference.offsetX, 30.0);
    EXPECT_EQ(doc.m_reference.offsetY, -10.0);
    EXPECT_EQ(doc.m_reference.opacity, 100);
    view->UpdateWindow();
    EXPECT_EQ(Px(131, 81), 0xFF0000u);
    EXPECT_EQ(Px(129, 81), 0u);
    EXPECT_FALSE(doc.IsModified()); // the picture is not part of the object

    WhenModal<CReferenceImageDialog>([](CReferenceImageDialog* d) { Click(d, "removeButton"); });
    ASSERT_TRUE(Run(*view, ID_VIEW_REFERENCE_IMAGE));
    EXPECT_FALSE(doc.m_reference.IsLoaded());
    EXPECT_FALSE(Update(*view, ID_VIEW_HIDE_REFERENCE_IMAGE).m_bEnabled);
    EXPECT_FALSE(Update(*view, ID_OBJECT_TRACE_IMAGE).m_bEnabled);
    view->UpdateWindow();
    EXPECT_EQ(Px(131, 81), 0u);
}

TEST_F(ReferenceImageTest, FollowsZoomAndScrolling) {
    // 100 x 60 units about the center of mass (200, 150): at zoom z and
    // scroll s a unit u shows at 200 + s + z (u - 200).
    Show(Solid(100, 60, Qt::red));
    for (const CZoom z : {CZoom{2, 1}, CZoom{1, 2}, CZoom{3, 1}}) {
        SCOPED_TRACE(z.Value());
        view->SetZoom(z, CPoint(200, 150));
        view->ScrollBy(7, -5);
        view->UpdateWindow();
        const CPoint s = view->ScrollOffset();
        const int left = int(std::lround(200 + s.x - 50 * z.Value()));
        const int top = int(std::lround(150 + s.y - 30 * z.Value()));
        const int right = int(std::lround(200 + s.x + 50 * z.Value()));
        const int bottom = int(std::lround(150 + s.y + 30 * z.Value()));
        EXPECT_EQ(Px(left + 1, top + 1), 0xFF0000u);
        EXPECT_EQ(Px(right - 2, bottom - 2), 0xFF0000u);
        EXPECT_EQ(Px(left - 2, top + 1), 0u);
        EXPECT_EQ(Px(left + 1, top - 2), 0u);
        if (right + 1 < 400) {
            EXPECT_EQ(Px(right + 1, bottom - 2), 0u);
        }
        view->ResetZoom();
    }
}

TEST_F(ReferenceImageTest, ADarkPictureShowsOverACheckerboardWithinItsRectangleOnly) {
    Show(DarkSprite(), 1.5, 17, -9);
    ASSERT_TRUE(doc.m_reference.backdrop) << "on for a new picture";
    for (const CZoom z : {CZoom{1, 1}, CZoom{2, 1}, CZoom{1, 2}, CZoom{3, 1}, CZoom{5, 4}}) {
        SCOPED_TRACE(z.Value());
        view->SetZoom(z, CPoint(200, 150));
        view->ScrollBy(7, -5);
        view->UpdateWindow();
        const Backdrop b = FindBackdrop(view->Surface());
        EXPECT_GT(b.white, 20);
        EXPECT_GT(b.grey, 20);
        EXPECT_GT(b.blackInside, 20) << "the silhouette shows";
        EXPECT_TRUE(b.green.contains(b.light)) << "no square outside the picture";
        // A scroll moves the pixels and redraws the uncovered strip only:
        // the squares must meet without a seam.
        const QImage scrolled = view->Surface().copy();
        view->Invalidate(true);
        view->UpdateWindow();
        EXPECT_TRUE(scrolled == view->Surface());
        view->ResetZoom();
    }

    // At half opacity the board fades with the picture; the silhouette stays black.
    Show(DarkSprite(), 1.5, 17, -9, 50);
    int halfWhite = 0, halfGrey = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb c = Px(x, y);
            halfWhite += c == 0x808080u || c == 0x7F7F7Fu;
            halfGrey += c == 0x666666u;
        }
    EXPECT_GT(halfWhite, 20);
    EXPECT_GT(halfGrey, 20);
    EXPECT_EQ(Px(200 + 17, 150 - 9 + 8), 0u);

    // Without the board the transparent pixels show the canvas, as ever;
    // and the board is never printed.
    doc.m_reference.backdrop = false;
    doc.UpdateAllViews(nullptr);
    view->UpdateWindow();
    EXPECT_EQ(Px(200 + 17 - 40, 150 - 9), 0u);
    doc.m_reference.backdrop = true;
    const QImage page = PrintedPage();
    EXPECT_EQ(FindBackdrop(page).grey, 0);
}

TEST_F(ReferenceImageTest, DialogShowsItsValuesWhileOpenAndCancelPutsBackTheOldOnes) {
    Show(DarkSprite(), 1.2345, 0, 0, 100);
    doc.m_reference.backdrop = false;
    doc.m_reference.hidden = true;
    doc.UpdateAllViews(nullptr);
    view->UpdateWindow();
    const QImage before = view->Surface().copy();
    const CReferenceImage old = doc.m_reference;

    WhenModal<CReferenceImageDialog>([this](CReferenceImageDialog* d) {
        // Shown as soon as the dialog opens, at its own scale.
        view->UpdateWindow();
        EXPECT_EQ(Px(200, 150 - 24), 0x00C800u);
        EXPECT_EQ(Px(200, 150 - 26), 0u);
        TypeInto(d->findChild<QDoubleSpinBox*>("scale"), "2");
        view->UpdateWindow();
        EXPECT_EQ(Px(200, 150 - 39), 0x00C800u);
        auto* backdrop = d->findChild<QCheckBox*>("backdrop");
        ASSERT_TRUE(backdrop && !backdrop->isChecked());
        QTest::mouseClick(backdrop, Qt::LeftButton, {}, QPoint(5, backdrop->height() / 2));
        view->UpdateWindow();
        EXPECT_GT(FindBackdrop(view->Surface()).white, 100);
        Click(d, "cancelButton");
    });
    ASSERT_TRUE(Run(*view, ID_VIEW_REFERENCE_IMAGE));
    EXPECT_EQ(doc.m_reference.scale, old.scale);
    EXPECT_EQ(doc.m_reference.backdrop, old.backdrop);
    EXPECT_EQ(doc.m_reference.hidden, old.hidden);
    EXPECT_EQ(doc.m_reference.opacity, old.opacity);
    EXPECT_EQ(doc.m_reference.offsetX, old.offsetX);
    EXPECT_EQ(doc.m_reference.offsetY, old.offsetY);
    EXPECT_EQ(doc.m_reference.path, old.path);
    view->UpdateWindow();
    EXPECT_TRUE(before == view->Surface());

    // OK keeps the board.
    WhenModal<CReferenceImageDialog>([](CReferenceImageDialog* d) {
        auto* backdrop = d->findChild<QCheckBox*>("backdrop");
        QTest::mouseClick(backdrop, Qt::LeftButton, {}, QPoint(5, backdrop->height() / 2));
        Click(d, "okButton");
    });
    ASSERT_TRUE(Run(*view, ID_VIEW_REFERENCE_IMAGE));
    EXPECT_TRUE(doc.m_reference.backdrop);
    EXPECT_FALSE(doc.m_reference.hidden);
    view->UpdateWindow();
    EXPECT_GT(FindBackdrop(view->Surface()).white, 100);
}
