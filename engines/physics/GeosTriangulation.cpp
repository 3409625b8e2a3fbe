#include "physics/GeosTriangulation.h"

#include <cmath>
#include <geos_c.h>
#include <memory>
#include <unordered_map>

namespace physics {

using geometry::Cross;

namespace {

void Silent(const char*, void*) {}

// One GEOS context per thread: contexts are not shared between threads.
GEOSContextHandle_t Context() {
    struct Holder {
        GEOSContextHandle_t h = GEOS_init_r();
        Holder() {
            GEOSContext_setNoticeMessageHandler_r(h, Silent, nullptr);
            GEOSContext_setErrorMessageHandler_r(h, Silent, nullptr);
        }
        ~Holder() { GEOS_finish_r(h); }
    };
    thread_local Holder holder;
    return holder.h;
}

struct PointHash {
    size_t operator()(const std::pair<int64_t, int64_t>& p) const {
        return std::hash<int64_t>()(p.first * 0x9E3779B97F4A7C15LL ^ p.second);
    }
};

} // namespace

bool TriangulateWithGeos(const std::vector<IPoint>& ring,
                         std::vector<std::array<int, 3>>& triangles) {
    triangles.clear();
    const unsigned n = unsigned(ring.size());
    if (n < 3)
        return false;
    GEOSContextHandle_t h = Context();
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, n + 1, 2);
    if (!seq)
        return false;
    for (unsigned i = 0; i <= n; ++i)
        GEOSCoordSeq_setXY_r(h, seq, i, double(ring[i % n].x), double(ring[i % n].y));
    GEOSGeometry* shell = GEOSGeom_createLinearRing_r(h, seq); // takes seq
    if (!shell)
        return false;
    GEOSGeometry* polygon = GEOSGeom_createPolygon_r(h, shell, nullptr, 0); // takes shell
    if (!polygon)
        return false;
    const auto freeGeom = [h](GEOSGeometry* g) { GEOSGeom_destroy_r(h, g); };
    std::unique_ptr<GEOSGeometry, decltype(freeGeom)> owned(polygon, freeGeom);
    std::unique_ptr<GEOSGeometry, decltype(freeGeom)> result(
        GEOSConstrainedDelaunayTriangulation_r(h, polygon), freeGeom);
    if (!result)
        return false;

    std::unordered_map<std::pair<int64_t, int64_t>, int, PointHash> index;
    index.reserve(n * 2);
    for (unsigned i = 0; i < n; ++i)
        index.emplace(std::make_pair(ring[i].x, ring[i].y), int(i));
    const int count = GEOSGetNumGeometries_r(h, result.get());
    if (count <= 0)
        return false;
    triangles.reserve(size_t(count));
    for (int t = 0; t < count; ++t) {
        const GEOSGeometry* tri = GEOSGetGeometryN_r(h, result.get(), t);
        const GEOSGeometry* outline = tri ? GEOSGetExteriorRing_r(h, tri) : nullptr;
        const GEOSCoordSequence* cs = outline ? GEOSGeom_getCoordSeq_r(h, outline) : nullptr;
        unsigned size = 0;
        if (!cs || !GEOSCoordSeq_getSize_r(h, cs, &size) || size != 4)
            return false;
        std::array<int, 3> corner{};
        for (unsigned k = 0; k < 3; ++k) {
            double x = 0, y = 0;
            if (!GEOSCoordSeq_getXY_r(h, cs, k, &x, &y) || !(std::fabs(x) < 0x1p62) ||
                !(std::fabs(y) < 0x1p62))
                return false;
            const auto found = index.find(std::make_pair(int64_t(x), int64_t(y)));
            if (found == index.end() || double(found->first.first) != x ||
                double(found->first.second) != y)
                return false;
            corner[k] = found->second;
        }
        if (Cross(ring[size_t(corner[0])], ring[size_t(corner[1])], ring[size_t(corner[2])]) < 0)
            std::swap(corner[1], corner[2]);
        triangles.push_back(corner);
    }
    return true;
}

} // namespace physics
