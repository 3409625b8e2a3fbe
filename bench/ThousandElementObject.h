#pragma once
// The 1,000-element benchmark object: filled squares, open triangles and
// filled circles spread over a 640 x 480 window, the same on every run.
#include "object/CShape.h"

#include <random>

inline void FillThousandElementObject(CShape& shape, int width = 640, int height = 480) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> px(width / 2 - 200, width / 2 + 180);
    std::uniform_int_distribution<int> py(height / 2 - 200, height / 2 + 180);
    std::uniform_int_distribution<int> size(4, 30);
    for (int i = 0; i < 1000; ++i) {
        const int x = px(rng), y = py(rng), s = size(rng);
        const COLORREF color = RGB(i * 7, i * 13, i * 3);
        if (i % 4 < 2) {
            auto* pts = new POINT[4]{{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}};
            shape.AppendElement(PRIM_POLYGON, color, 4, pts);
        } else if (i % 4 == 2) {
            auto* pts = new POINT[3]{{x, y}, {x + s, y + s / 2}, {x + s / 2, y + s}};
            shape.AppendElement(PRIM_POLYLINE, color, 3, pts);
        } else {
            auto* pts = new POINT[2]{{x, y}, {s / 2, s / 2}};
            shape.AppendElement(PRIM_FILLED_CIRCLE, color, 2, pts);
        }
    }
}
