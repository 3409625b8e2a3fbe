#pragma once
// The objects every export format is tried on, in file units around the
// center of mass.
#include "object/CShape.h"

#include <string>
#include <vector>

namespace exportobjects {

inline void AddPath(CShape& s, int type, std::vector<POINT> pts) {
    auto* p = new POINT[pts.size()];
    std::copy(pts.begin(), pts.end(), p);
    s.AppendElement(type, 0xFF, int(pts.size()), p);
}

struct Named {
    std::string name;
    CShape shape;
};

// A 100 x 100 square of density 2 around the center of mass: at 50 units per
// metre, 8 kg and 16/3 kg m^2.
inline CShape Square() {
    CShape s;
    s.m_dMassDensity = 2;
    AddPath(s, PRIM_POLYGON, {{-50, -50}, {50, -50}, {50, 50}, {-50, 50}});
    return s;
}

inline std::vector<Named> Objects() {
    std::vector<Named> all;
    all.push_back({"square", Square()});
    {
        // A comb (concave, many convex pieces) and a disc beside it.
        std::vector<POINT> comb{{-100, 40}, {100, 40}, {100, -40}};
        for (int x = 80; x >= -80; x -= 20)
            comb.insert(comb.end(), {{x + 10, -40}, {x + 10, 0}, {x, 0}, {x, -40}});
        comb.push_back({-100, -40});
        CShape s;
        s.m_dMassDensity = 7.5;
        AddPath(s, PRIM_POLYGON, comb);
        s.AppendElement(PRIM_FILLED_CIRCLE, 0, 2, new POINT[2]{{150, 10}, {30, 30}});
        all.push_back({"comb-and-disc", std::move(s)});
    }
    {
        // A U whose center of mass lies in its gap, with a wall across it.
        CShape s;
        s.m_dMassDensity = 20;
        AddPath(s, PRIM_POLYGON,
                {{-60, -80},
                 {-30, -80},
                 {-30, 30},
                 {30, 30},
                 {30, -80},
                 {60, -80},
                 {60, 60},
                 {-60, 60}});
        AddPath(s, PRIM_POLYLINE, {{-40, -100}, {40, -100}});
        all.push_back({"outside", std::move(s)});
    }
    {
        CShape s = Square();
        s.m_bMayRotate = false;
        s.AppendElement(PRIM_CIRCLE, 0, 2, new POINT[2]{{0, 0}, {120, 120}});
        all.push_back({"fixed", std::move(s)});
    }
    return all;
}

// Its edges cross: refused by every format.
inline CShape Crossed() {
    CShape s;
    AddPath(s, PRIM_POLYGON, {{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    return s;
}

} // namespace exportobjects
