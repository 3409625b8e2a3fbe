#include "PdfPages.h"
#include "PrintingFixture.h"
#include "view/CPrintInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
bool Dark(QRgb c) {
    return qRed(c) < 64 && qGreen(c) < 64 && qBlue(c) < 64;
}
bool White(QRgb c) {
    return qRed(c) > 192 && qGreen(c) > 192 && qBlue(c) > 192;
}
// Whether some pixel within one unit of (x, y) passes the test: the printed
// lines are one unit wide and the renderer may round them either way.
template <typename Pred> bool Near(const QImage& img, int x, int y, Pred pred) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (pred(img.pixel(x + dx, y + dy)))
                return true;
    return false;
}
bool RowDark(const QImage& img, int y, int from, int to) {
    for (int x = from; x < to; ++x)
        if (!Dark(img.pixel(x, y)))
            return false;
    return true;
}
QRect DarkBounds(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (Dark(img.pixel(x, y)))
                r |= QRect(x, y, 1, 1);
    return r;
}
} // namespace

using PrintPages = PrintingFixture;

TEST_F(PrintPages, PdfHasTitlePageAndDrawingPageLaidOutUnderTheHeader) {
    AddRectangle(100, 80, 180, 140, RGB(0, 0, 255));
    POINT line[3] = {{250, 60}, {350, 60}, {350, 100}};
    view->LogicalToObject(line, 3);
    doc.AddElement(PRIM_POLYLINE, RGB(0, 0, 0), 3, line);
    POINT circle[2] = {{300, 220}, {20, 0}};
    view->LogicalToObject(circle, 1);
    doc.AddElement(PRIM_CIRCLE, RGB(0, 0, 0), 2, circle);
    view->UpdateWindow();

    const QString pdf = Path("out.pdf");
    QString error;
    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), pdf, &error)) << error.toStdString();
    ASSERT_EQ(PdfPages::Count(pdf), 2);
    EXPECT_EQ(PdfPages::Text(pdf, 1), "Object1");
    EXPECT_EQ(PdfPages::Text(pdf, 2), "Object1");

    // Page 1: nothing but the title, large, centred, about an inch below the
    // printable area's top.
    const QImage title = PdfPages::Image(pdf, 1);
    ASSERT_EQ(title.size(), QSize(kPageWidth, kPageHeight));
    const QRect text = DarkBounds(title);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_NEAR(text.center().x(), kPageWidth / 2, 4);
    EXPECT_GE(text.top(), kMargin + 100);
    EXPECT_LT(text.bottom(), kMargin + 100 + 100);
    EXPECT_GT(text.height(), 40);

    // Page 2: header text, the rule under it, 25 units of white, then the
    // drawing on black down to the printable area's bottom.
    const QImage page = PdfPages::Image(pdf, 2);
    int rule = -1;
    for (int y = kMargin; y < 300 && rule < 0; ++y)
        if (RowDark(page, y, kMargin + 1, kPageWidth - kMargin - 1))
            rule = y;
    ASSERT_GT(rule, kMargin + 35 + 5) << "no rule under a header of some height";
    const QRect header = DarkBounds(page.copy(0, 0, kPageWidth, rule - 1));
    EXPECT_GE(header.top(), kMargin + 25);
    EXPECT_LT(header.left(), kMargin + 3);
    const int h = rule - kMargin - 35;
    EXPECT_LE(header.bottom(), kMargin + 25 + h);
    for (int y = rule + 2; y < rule + 24; ++y)
        EXPECT_FALSE(RowDark(page, y, kMargin + 1, kPageWidth - kMargin - 1)) << y;
    const int top = rule + 25;
    EXPECT_TRUE(RowDark(page, top + 1, kMargin + 1, kMargin + 90));
    EXPECT_TRUE(Dark(page.pixel(kPageWidth - kMargin - 2, kPageHeight - kMargin - 2)));
    EXPECT_TRUE(White(page.pixel(kPageWidth - kMargin + 2, kPageHeight - kMargin - 2)));

    // The window's top-left corner lies on the drawing area's: the view's
    // coordinates carry over unit for unit.
    const auto at = [&](int x, int y) { return page.pixel(kMargin + x, top + y); };
    EXPECT_TRUE(Near(page, kMargin + 100, top + 80, White));
    EXPECT_TRUE(Near(page, kMargin + 140, top + 80, White));
    EXPECT_EQ(at(140, 110) & 0xFFFFFF, 0x0000FFu);
    EXPECT_TRUE(Dark(at(95, 110)));
    EXPECT_TRUE(Near(page, kMargin + 300, top + 60, White));
    EXPECT_TRUE(Near(page, kMargin + 350, top + 80, White));
    EXPECT_TRUE(Near(page, kMargin + 300, top + 200, White));
    EXPECT_TRUE(Dark(at(300, 220)));
    EXPECT_TRUE(Near(page, kMargin + 200, top + 150,
                     [](QRgb c) { return qRed(c) > 192 && qGreen(c) < 64 && qBlue(c) < 64; }));
}

TEST_F(PrintPages, PrintingLeavesTheObjectAsItWas) {
    AddRectangle(100, 80, 180, 140, RGB(0, 255, 0));
    ASSERT_TRUE(doc.OnSaveDocument(Path("before.vrk")));
    const int snapshots = doc.HistorySize();

    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), Path("out.pdf"), nullptr));
    const POINT* p = doc.m_shape.m_elements[0]->m_pPoints;
    EXPECT_EQ(p[0].x, 100 - 200);
    EXPECT_EQ(p[0].y, 80 - 150);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.HistorySize(), snapshots);

    // A save in between writes the same coordinates relative to the origin.
    ASSERT_TRUE(doc.OnSaveDocument(Path("between.vrk")));
    QFile before(Path("before.vrk")), between(Path("between.vrk"));
    ASSERT_TRUE(before.open(QIODevice::ReadOnly) && between.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), between.readAll());

    view->UpdateWindow();
    EXPECT_EQ(p[0].x, 100 - 200);
    EXPECT_EQ(p[0].y, 80 - 150);
    EXPECT_EQ(view->Surface().pixel(140, 110) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(PrintPages, UnwritableOutputIsReportedAndLeavesNoFile) {
    AddRectangle(100, 80, 180, 140, RGB(0, 255, 0));
    const QString pdf = Path("missing/out.pdf");
    QString error;
    EXPECT_FALSE(CPrintJob::PrintToPdf(view.get(), pdf, &error));
    EXPECT_TRUE(error.contains("missing")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_FALSE(CPrintJob::PrintToPdf(view.get(), QString(), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(PrintPages, APrintoutIsNeverWrittenOverTheDocumentsOwnFile) {
    AddRectangle(100, 80, 180, 140, RGB(0, 255, 0));
    const QString file = Path("object.vrk");
    ASSERT_TRUE(doc.OnSaveDocument(file));
    doc.SetPathName(file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray original = saved.readAll();
    saved.close();

    QString error;
    EXPECT_FALSE(CPrintJob::PrintToPdf(view.get(), file, &error));
    EXPECT_TRUE(error.contains("object.vrk")) << error.toStdString();

    // As the print dialog leaves it when the file is typed as its output.
    QPrinter* printer = CPrintJob::SharedPrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    CPrintInfo info;
    EXPECT_FALSE(CPrintJob::Print(view.get(), true, &info));
    EXPECT_TRUE(info.m_strError.contains("object.vrk")) << info.m_strError.toStdString();
    printer->setOutputFormat(QPrinter::NativeFormat);

    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), original);
}

TEST_F(PrintPages, TitleHasA75UnitCellAndTheGridNeverPrints) {
    AddRectangle(100, 80, 180, 140, RGB(0, 0, 255));
    const QString plain = Path("plain.pdf");
    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), plain, nullptr));

    // A reader's box around the title word spans the font's cell: ascent and
    // descent, in points of 1/72 inch.
    const QString words = PdfPages::Run("pdftotext", {"-bbox", "-f", "1", "-l", "1", plain, "-"});
    const QRegularExpressionMatch m =
        QRegularExpression(R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">Object1<)re")
            .match(words);
    ASSERT_TRUE(m.hasMatch()) << words.toStdString();
    const double cell = (m.captured(2).toDouble() - m.captured(1).toDouble()) * 96.0 / 72.0;
    EXPECT_NEAR(cell, 75.0, 1.0);

    // The grid is the window's, never the printout's.
    view->m_bShowGrid = true;
    view->Invalidate();
    view->UpdateWindow();
    ASSERT_EQ(view->Surface().pixel(210, 150) & 0xFFFFFF, 0x404040u);
    const QString gridded = Path("gridded.pdf");
    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), gridded, nullptr));
    EXPECT_EQ(PdfPages::Image(gridded, 2), PdfPages::Image(plain, 2));
    EXPECT_EQ(PdfPages::Image(gridded, 1), PdfPages::Image(plain, 1));
}

// Printing keeps its own mapping: a window zoomed and scrolled prints the same
// pages as at 100 %.
TEST_F(PrintPages, AZoomedAndScrolledWindowPrintsWhatItPrintsAt100Percent) {
    AddRectangle(100, 80, 180, 140, RGB(0, 0, 255));
    POINT circle[2] = {{300, 220}, {20, 0}};
    view->LogicalToObject(circle, 1);
    doc.AddElement(PRIM_CIRCLE, RGB(0, 0, 0), 2, circle);
    view->UpdateWindow();
    const QString plain = Path("plain.pdf"), zoomed = Path("zoomed.pdf");
    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), plain, nullptr));
    view->SetZoom(CZoom{3, 1}, CPoint(40, 30));
    view->ScrollBy(-17, 23);
    view->UpdateWindow();
    ASSERT_TRUE(CPrintJob::PrintToPdf(view.get(), zoomed, nullptr));
    EXPECT_EQ(PdfPages::Image(zoomed, 2), PdfPages::Image(plain, 2));
    EXPECT_FALSE(DarkBounds(PdfPages::Image(zoomed, 2)).isEmpty());
}
