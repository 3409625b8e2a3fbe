#pragma once
// The 100,000-element object of the view benchmarks, shared so that the
// physics benchmark measures the very object whose redraw is its yardstick.
#include "document/CMorvetDoc.h"

#include <random>

namespace view_bench {

// Small polygons, polylines and circles spread over the whole window, held
// relative to the center of mass, which the view shows at the window's middle.
inline void FillObject(CMorvetDoc& doc, int width, int height, int elements) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> px(-width / 2 + 10, width / 2 - 30);
    std::uniform_int_distribution<int> py(-height / 2 + 10, height / 2 - 30);
    std::uniform_int_distribution<int> size(2, 20);
    for (int i = 0; i < elements; ++i) {
        const int x = px(rng), y = py(rng), s = size(rng);
        const COLORREF color = RGB(i * 7, i * 13, i * 3);
        switch (i % 4) {
        case 0:
        case 1: {
            auto* pts = new POINT[4]{{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}};
            doc.m_shape.AppendElement(PRIM_POLYGON, color, 4, pts);
            break;
        }
        case 2: {
            auto* pts = new POINT[3]{{x, y}, {x + s, y + s / 2}, {x + s / 2, y + s}};
            doc.m_shape.AppendElement(PRIM_POLYLINE, color, 3, pts);
            break;
        }
        default: {
            auto* pts = new POINT[2]{{x, y}, {s / 2, s / 2}};
            doc.m_shape.AppendElement(PRIM_FILLED_CIRCLE, color, 2, pts);
            break;
        }
        }
    }
}

} // namespace view_bench
