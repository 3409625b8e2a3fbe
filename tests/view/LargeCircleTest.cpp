// Circles on the editor's canvas, from radii the raster engine draws itself up
// to the end of the coordinate range, with positive and negative radius: the
// pixels follow the closed form wherever the curve crosses the window.
#include "document/CMorvetDoc.h"
#include "support/CirclePixels.h"
#include "view/CMorvetView.h"

#include <gtest/gtest.h>
#include <limits>

TEST(LargeCircles, DrawOnTheCanvasAsTheirClosedFormWhateverTheRadiusAndItsSign) {
    CMorvetDoc doc;
    doc.OnNewDocument();
    CMorvetView view(&doc);
    view.resize(400, 300);
    view.show();
    view.UpdateWindow();
    ASSERT_EQ(view.Anchor(), CPoint(200, 150));
    const QRect cross(193, 143, 15, 15);
    const int64_t radii[] = {200,   40000,   65536,     65537,
                             80000, 1000000, 1LL << 30, std::numeric_limits<int32_t>::max()};
    for (const int64_t r : radii)
        for (const bool filled : {false, true})
            for (const int sign : {1, -1})
                for (const bool vertical : {true, false}) {
                    // The right edge at x = 260, or the bottom edge at y = 190.
                    const int64_t cx = vertical ? 260 - r : 200, cy = vertical ? 150 : 190 - r;
                    SCOPED_TRACE(testing::Message()
                                 << "radius " << sign * r << (filled ? " filled" : "")
                                 << (vertical ? " right edge" : " bottom edge"));
                    doc.m_shape = CShape();
                    const int32_t radius = int32_t(sign * r);
                    auto* pts =
                        new POINT[2]{{int32_t(cx - 200), int32_t(cy - 150)}, {radius, radius}};
                    doc.m_shape.AppendElement(filled ? PRIM_FILLED_CIRCLE : PRIM_CIRCLE,
                                              RGB(0, 0, 255), 2, pts);
                    view.Invalidate();
                    view.UpdateWindow();
                    EXPECT_EQ(morvet_test::CircleMismatch(view.Surface(), cx, cy, r, filled,
                                                          0x0000FF, cross),
                              "");
                }
}
