// Windows of one document, each of its own size, show the object about their
// own middles; the document keeps the file's coordinates whatever they do.
#include "ToolTestSupport.h"
#include "platform/CArchive.h"

#include <QImage>
#include <cstdint>
#include <random>

namespace {

std::vector<std::vector<CPoint>> AllPoints(const CShape& s) {
    std::vector<std::vector<CPoint>> all;
    for (const CPrimitive* e : s.m_elements)
        all.emplace_back(e->m_pPoints, e->m_pPoints + e->m_nPoints);
    return all;
}

QByteArray Saved(CMorvetDoc& doc) {
    CArchive ar;
    doc.Serialize(ar);
    return ar.Buffer();
}

// A random object: most coordinates near the center of mass, some anywhere
// in the 32-bit range, circles of every radius and sign.
void FillRandom(CShape& shape, std::mt19937& rng) {
    std::uniform_int_distribution<int32_t> near(-260, 260), anywhere(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> kind(0, 3), count(1, 6), pick(0, 9);
    const auto coordinate = [&] { return pick(rng) < 8 ? near(rng) : anywhere(rng); };
    const int elements = count(rng) + 2;
    for (int i = 0; i < elements; ++i) {
        const int type = kind(rng);
        const COLORREF color = RGB(40 * i, 255 - 30 * i, 90);
        if (type >= PRIM_CIRCLE) {
            const int32_t r = pick(rng) < 8 ? near(rng) : anywhere(rng);
            shape.AppendElement(type, color, 2, new POINT[2]{{coordinate(), coordinate()}, {r, r}});
            continue;
        }
        const int n = count(rng) + 1;
        auto* pts = new POINT[size_t(n)];
        for (int k = 0; k < n; ++k)
            pts[k] = POINT{coordinate(), coordinate()};
        shape.AppendElement(type, color, n, pts);
    }
}

} // namespace

using WindowAnchors = ToolFixture;

TEST_F(WindowAnchors, DrawingInOneWindowAndPaintingAnotherTouchesNoByteOfTheObject) {
    auto big = MakeView(doc);
    big->resize(733, 511);
    big->UpdateWindow();
    ASSERT_EQ(big->Anchor(), CPoint(366, 255));

    // Drawn in the small window, 20 left and above to 30 right and 20 below its cross.
    Use(TOOL_FILLED_RECTANGLE);
    Drag(180, 130, 230, 170);
    ASSERT_EQ(doc.m_shape.GetSize(), 1);
    const std::vector<std::vector<CPoint>> drawn = AllPoints(doc.m_shape);
    EXPECT_EQ(drawn[0], Pts({{-20, -20}, {-20, 20}, {30, 20}, {30, -20}}));
    const QByteArray bytes = Saved(doc);
    const uint64_t stamp = doc.HistoryStamp();
    const int steps = doc.HistorySize();

    // Painted, resized and painted again, in turn.
    for (const QSize size : {QSize(733, 511), QSize(91, 407), QSize(1002, 77)}) {
        big->resize(size);
        big->Invalidate();
        big->UpdateWindow();
        view->Invalidate();
        view->UpdateWindow();
        EXPECT_EQ(AllPoints(doc.m_shape), drawn);
    }
    big->resize(733, 511);
    big->UpdateWindow();
    EXPECT_EQ(Saved(doc), bytes);
    EXPECT_EQ(doc.HistoryStamp(), stamp);
    EXPECT_EQ(doc.HistorySize(), steps);

    // Each window shows it, and hits it, about its own middle.
    EXPECT_EQ(Px(200 + 25, 150 + 15), 0xFFFFFFu);
    EXPECT_EQ(big->Surface().pixel(366 + 25, 255 + 15) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(big->Surface().pixel(366 + 35, 255 + 15) & 0xFFFFFF, 0u);
    view->OnActivateView(false, big.get(), view.get());
    big->OnActivateView(true, big.get(), view.get());
    big->UseTool(TOOL_SELECT);
    QTest::mouseClick(big.get(), Qt::LeftButton, {}, QPoint(366 + 25, 255 + 15));
    EXPECT_EQ(big->Selection(), std::vector<CPrimitive*>({doc.m_shape.m_elements[0]}));
    EXPECT_EQ(AllPoints(doc.m_shape), drawn);
}

// Over many generated objects, some reaching the ends of the coordinate
// range: the document holds exactly what the file holds, a window shows the
// same pixels before and after other windows and its own size changed, and
// saving, opening and saving again gives the same bytes and the same picture.
TEST_F(WindowAnchors, SaveOpenSaveKeepsBytesAndPixelsWhateverTheWindowsDid) {
    std::mt19937 rng(20);
    std::uniform_int_distribution<int> side(1, 900);
    auto other = MakeView(doc);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        doc.OnNewDocument();
        view->OnShapeReplaced();
        doc.m_shape = CShape();
        FillRandom(doc.m_shape, rng);
        const auto generated = AllPoints(doc.m_shape);
        view->Invalidate();
        view->UpdateWindow();
        const QImage first = view->Surface().copy();
        const QByteArray bytes = Saved(doc);

        other->resize(side(rng), side(rng));
        other->Invalidate();
        other->UpdateWindow();
        view->resize(side(rng), side(rng));
        view->UpdateWindow();
        view->resize(400, 300);
        view->UpdateWindow();
        EXPECT_EQ(AllPoints(doc.m_shape), generated);
        EXPECT_TRUE(view->Surface() == first) << "the window's pixels changed";
        ASSERT_EQ(Saved(doc), bytes);

        CMorvetDoc opened;
        opened.OnNewDocument();
        CArchive in(bytes);
        opened.Serialize(in);
        EXPECT_EQ(AllPoints(opened.m_shape), generated);
        EXPECT_EQ(Saved(opened), bytes);
        auto shown = MakeView(opened);
        shown->UpdateWindow();
        EXPECT_TRUE(shown->Surface() == first) << "the opened object shows otherwise";
    }
}
