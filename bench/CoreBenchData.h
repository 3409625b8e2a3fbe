#pragma once
// The object the core benchmarks share: 10,000 polygons of 100 points each,
// 1,000,000 points, 8,120,024 bytes in the .vrk layout (24 + 10,000 * 812).
#include "object/CShape.h"
#include "platform/CArchive.h"

#include <QByteArray>

namespace core_bench {

constexpr int kPolygons = 10000;
constexpr int kPointsPerPolygon = 100;
constexpr int64_t kPoints = int64_t(kPolygons) * kPointsPerPolygon;

inline CShape MakeLargeObject() {
    CShape s;
    for (int e = 0; e < kPolygons; ++e) {
        auto* pts = new POINT[kPointsPerPolygon];
        for (int i = 0; i < kPointsPerPolygon; ++i)
            pts[i] = POINT{(e % 100) * 10 + i, (e / 100) * 10 - i};
        s.AppendElement(PRIM_POLYGON, RGB(e & 0xFF, 0x80, 0x40), kPointsPerPolygon, pts);
    }
    return s;
}

// One shared instance; benchmarks that change it must leave it as they found it.
inline CShape& LargeObject() {
    static CShape s = MakeLargeObject();
    return s;
}

inline const QByteArray& LargeFile() {
    static const QByteArray bytes = [] {
        CArchive ar;
        LargeObject().Serialize(ar);
        return ar.Buffer();
    }();
    return bytes;
}

} // namespace core_bench
