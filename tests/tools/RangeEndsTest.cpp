// Objects whose coordinates lie at the ends of the 32-bit range, as a file may
// hold them, go through everything a user does with them in the editor: two
// windows of different sizes showing them, drawing, hit tests, dragging,
// arrow keys, a grabbed vertex, paste, placing the center of mass, saving.
// Every pure move there and back restores every point, and saving gives back
// the very bytes opened. Under the sanitizer build any overflow on the way
// stops the test.
#include "res/CommandIds.h"
#include "tools/ToolTestSupport.h"
#include "view/Clipboard.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <limits>

namespace {
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

void Put(QByteArray& b, int32_t v) {
    b.append(reinterpret_cast<const char*>(&v), sizeof v);
}

constexpr COLORREF kBlue = RGB(0x40, 0x80, 0xFF), kGreen = RGB(0x20, 0xC0, 0x10);

QByteArray Record(int32_t type, std::initializer_list<POINT> pts, COLORREF color = kBlue) {
    QByteArray b;
    Put(b, type);
    Put(b, int32_t(color));
    Put(b, int32_t(pts.size()));
    for (const POINT& p : pts) {
        Put(b, p.x);
        Put(b, p.y);
    }
    return b;
}

std::vector<std::vector<CPoint>> AllPoints(const CShape& s) {
    std::vector<std::vector<CPoint>> out;
    for (const CPrimitive* e : s.m_elements)
        out.emplace_back(e->m_pPoints, e->m_pPoints + e->m_nPoints);
    return out;
}
} // namespace

struct RangeEnds : ToolFixture {
    QTemporaryDir dir;
    QByteArray file;
    std::unique_ptr<CMorvetView> other;

    void SetUp() override {
        DestroyClipboardElements();
        const double density = 20.0;
        Put(file, 1); // format word
        file.append(reinterpret_cast<const char*>(&density), sizeof density);
        Put(file, POLARITY_POSITIVE);
        Put(file, 1); // may rotate
        Put(file, 7); // elements
        file +=
            Record(PRIM_POLYLINE, {{2147483600, 0}, {2147483640, 5}, {kMax, kMin}, {kMin, kMax}});
        file += Record(PRIM_POLYGON, {{-2147483600, -2147483640}, {10, 10}, {kMin, kMin}});
        file += Record(PRIM_CIRCLE, {{kMax, kMin}, {kMax, 0}});
        file += Record(PRIM_FILLED_CIRCLE, {{kMin, kMax}, {kMin, kMin}});
        // Reaches from the far left end to x = 247 in the window.
        file += Record(PRIM_FILLED_CIRCLE, {{-2147483600, 40}, {kMax, kMax}}, kGreen);
        file += Record(PRIM_FILLED_CIRCLE, {{-60, 0}, {-20, -20}});
        file += Record(PRIM_POLYGON, {{0, -5}, {10, -5}, {10, 5}, {0, 5}});
        QFile out(dir.filePath("ends.vrk"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        ASSERT_TRUE(doc.OnOpenDocument(out.fileName())) << doc.LastError().toStdString();
        view = MakeView(doc);
        // A second window of another size moves the object to its own middle.
        other = MakeView(doc);
        other->resize(333, 211);
        other->UpdateWindow();
        view->OnActivateView(true, view.get(), nullptr);
        view->Invalidate();
        view->UpdateWindow();
    }
    void TearDown() override {
        other.reset();
        ToolFixture::TearDown();
        DestroyClipboardElements();
    }

    QByteArray Saved(const char* name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(doc.OnSaveDocument(path)) << doc.LastError().toStdString();
        QFile in(path);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }
};

TEST_F(RangeEnds, PureMovesThereAndBackRestoreEveryPointAndSavingTheBytesOpened) {
    const CPoint anchor = view->Anchor();
    ASSERT_EQ(anchor, CPoint(200, 150));
    const auto placed = AllPoints(doc.m_shape);
    // Shown about (200, 150), wrapping past the ends.
    EXPECT_EQ(placed[0][0] + anchor, CPoint(-2147483496, 150));
    EXPECT_EQ(placed[0][2] + anchor, CPoint(kMin + 199, kMin + 150));
    EXPECT_EQ(Px(150, 150), 0x4080FFu) << "a negative radius draws as render draws it";
    EXPECT_EQ(Px(100, 40), 0x20C010u) << "a circle of radius 2^31 - 1 draws";
    EXPECT_EQ(Px(300, 40), 0u);
    EXPECT_EQ(Saved("untouched.vrk"), file);

    // Hit tests run over every vertex of the one selected element.
    Click(205, 150);
    ASSERT_EQ(view->Selection().size(), 1u);
    Key(Qt::Key_Tab);
    ASSERT_EQ(view->Selection().front(), doc.m_shape.m_elements.front());
    Click(100, 100);

    // Dragging everything and back, then arrow keys and back.
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_SELECT_ALL, nullptr));
    Drag(205, 150, 242, 173);
    EXPECT_NE(AllPoints(doc.m_shape), placed);
    Drag(242, 173, 205, 150);
    EXPECT_EQ(AllPoints(doc.m_shape), placed);
    for (Qt::Key k :
         {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up})
        Key(k);
    EXPECT_EQ(AllPoints(doc.m_shape), placed);

    // A grabbed vertex at the corner of the range, moved past it and back.
    CPrimitive* ends = doc.m_shape.m_elements.front();
    view->SelectElement(ends, false);
    ends->m_pPoints[2] = POINT{kMax, kMax};
    doc.GrabVertex({0, 2});
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(CPoint(ends->m_pPoints[2]), CPoint(kMin, kMin));
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(CPoint(ends->m_pPoints[2]), CPoint(kMax, kMax));
    ends->m_pPoints[2] = placed[0][2];
    doc.ReleaseGrabbedVertex();

    // Paste lands 20 units on, wrapping as the machine's arithmetic does.
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_COPY, nullptr));
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_PASTE, nullptr));
    const CPrimitive* pasted = Last();
    ASSERT_EQ(pasted->m_nPoints, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CPoint(pasted->m_pPoints[i]),
                  CPoint(WrapAdd(placed[0][size_t(i)].x, 20), WrapAdd(placed[0][size_t(i)].y, 20)));
    ASSERT_TRUE(view->OnCmdMsg(ID_EDIT_UNDO, nullptr));
    view->UpdateWindow();

    // Placing the center of mass one way and back.
    Use(TOOL_MASS_CENTER);
    Click(230, 171);
    Click(170, 129);
    EXPECT_EQ(AllPoints(doc.m_shape), placed);

    EXPECT_EQ(Saved("moved.vrk"), file);
}
