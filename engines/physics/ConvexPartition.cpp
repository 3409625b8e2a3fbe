#include "physics/ConvexPartition.h"
#include "geometry/PolygonRing.h"
#include "physics/GeosTriangulation.h"

#include <algorithm>
#include <unordered_map>

namespace physics {

using namespace geometry;

namespace {

// Ear clipping with exact predicates. An ear's triangle may hold no other
// remaining point, not even on its border, so no diagonal runs through a
// vertex. Fine for the small outlines editing makes; large ones go to GEOS.
bool EarClip(const std::vector<IPoint>& ring, std::vector<std::array<int, 3>>& triangles) {
    const int n = int(ring.size());
    std::vector<int> prev(static_cast<size_t>(n)), next(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        prev[size_t(i)] = (i + n - 1) % n;
        next[size_t(i)] = (i + 1) % n;
    }
    const auto isEar = [&](int v) {
        const int u = prev[size_t(v)], w = next[size_t(v)];
        const IPoint &a = ring[size_t(u)], &b = ring[size_t(v)], &c = ring[size_t(w)];
        if (Cross(a, b, c) <= 0)
            return false;
        const int64_t lx = std::min({a.x, b.x, c.x}), hx = std::max({a.x, b.x, c.x});
        const int64_t ly = std::min({a.y, b.y, c.y}), hy = std::max({a.y, b.y, c.y});
        for (int p = next[size_t(w)]; p != u; p = next[size_t(p)]) {
            const IPoint& q = ring[size_t(p)];
            if (q.x < lx || q.x > hx || q.y < ly || q.y > hy)
                continue;
            if (Cross(a, b, q) >= 0 && Cross(b, c, q) >= 0 && Cross(c, a, q) >= 0)
                return false;
        }
        return true;
    };
    triangles.clear();
    triangles.reserve(size_t(n));
    int remaining = n, v = 0, sinceLastEar = 0;
    while (remaining > 3) {
        if (isEar(v)) {
            const int u = prev[size_t(v)], w = next[size_t(v)];
            triangles.push_back({u, v, w});
            next[size_t(u)] = w;
            prev[size_t(w)] = u;
            --remaining;
            v = u;
            sinceLastEar = 0;
            continue;
        }
        v = next[size_t(v)];
        if (++sinceLastEar > remaining) {
            // What is left has no ear: it must be flat, or the input was not simple.
            std::vector<IPoint> rest;
            int p = v;
            for (int k = 0; k < remaining; ++k, p = next[size_t(p)])
                rest.push_back(ring[size_t(p)]);
            if (TwiceSignedArea(rest) != 0)
                return false;
            return true;
        }
    }
    const int u = prev[size_t(v)], w = next[size_t(v)];
    if (Cross(ring[size_t(u)], ring[size_t(v)], ring[size_t(w)]) > 0)
        triangles.push_back({u, v, w});
    return true;
}

// Checks that triangles cover ring exactly once: every triangle turns the
// right way, every outline edge is used once in its own direction, every
// other edge twice in opposite directions, and the areas add up exactly.
bool IsTriangulationOf(const std::vector<IPoint>& ring,
                       const std::vector<std::array<int, 3>>& triangles) {
    const int64_t n = int64_t(ring.size());
    std::unordered_map<int64_t, int> directed; // from * n + to -> uses
    directed.reserve(triangles.size() * 4);
    Wide area = 0;
    for (const auto& t : triangles) {
        const Wide a = Cross(ring[size_t(t[0])], ring[size_t(t[1])], ring[size_t(t[2])]);
        if (a <= 0)
            return false;
        area += a;
        for (int k = 0; k < 3; ++k)
            if (++directed[int64_t(t[size_t(k)]) * n + t[size_t((k + 1) % 3)]] > 1)
                return false;
    }
    if (area != TwiceSignedArea(ring))
        return false;
    for (const auto& [key, uses] : directed) {
        const int64_t from = key / n, to = key % n;
        const bool outline = to == (from + 1) % n;
        if (!outline && directed.find(to * n + from) == directed.end())
            return false;
        if (outline && directed.find(to * n + from) != directed.end())
            return false;
    }
    int64_t outlineUses = 0;
    for (int64_t i = 0; i < n; ++i)
        outlineUses += directed.count(i * n + (i + 1) % n);
    return outlineUses == n;
}

int FindEdge(const std::vector<int>& piece, int from, int to) {
    const int m = int(piece.size());
    for (int k = 0; k < m; ++k)
        if (piece[size_t(k)] == from && piece[size_t((k + 1) % m)] == to)
            return k;
    return -1;
}

int Root(std::vector<int>& parent, int t) {
    while (parent[size_t(t)] != t)
        t = parent[size_t(t)] = parent[size_t(parent[size_t(t)])];
    return t;
}

} // namespace

bool Triangulate(const std::vector<IPoint>& ring, std::vector<std::array<int, 3>>& triangles) {
    constexpr size_t kGeosFrom = 200;
    // Ear clipping takes up to cubic time: beyond this it would hang the editor.
    constexpr size_t kEarClipUpTo = 4000;
    if (ring.size() >= kGeosFrom && TriangulateWithGeos(ring, triangles) &&
        IsTriangulationOf(ring, triangles))
        return true;
    if (ring.size() > kEarClipUpTo) {
        triangles.clear();
        return false;
    }
    return EarClip(ring, triangles);
}

bool PartitionConvex(const std::vector<IPoint>& ring, int maxCorners,
                     std::vector<std::vector<int>>& pieces) {
    pieces.clear();
    const int n = int(ring.size());
    if (n < 3 || maxCorners < 3)
        return false;
    if (IsConvexRing(ring)) {
        // A fan of runs of corners from corner 0, maxCorners corners each.
        for (int start = 1; start + 1 < n; start += maxCorners - 2) {
            std::vector<int> piece{0};
            for (int k = start; k < n && k < start + maxCorners - 1; ++k)
                piece.push_back(k);
            pieces.push_back(std::move(piece));
        }
        return true;
    }
    std::vector<std::array<int, 3>> triangles;
    if (!Triangulate(ring, triangles) || triangles.empty())
        return false;
    const int tcount = int(triangles.size());
    std::vector<std::vector<int>> piece(static_cast<size_t>(tcount));
    std::vector<int> parent(static_cast<size_t>(tcount));
    std::unordered_map<int64_t, int> owner; // directed edge -> triangle
    owner.reserve(size_t(tcount) * 4);
    for (int t = 0; t < tcount; ++t) {
        const auto& tri = triangles[size_t(t)];
        piece[size_t(t)] = {tri[0], tri[1], tri[2]};
        parent[size_t(t)] = t;
        for (int k = 0; k < 3; ++k)
            owner[int64_t(tri[size_t(k)]) * n + tri[size_t((k + 1) % 3)]] = t;
    }
    // Each diagonal once, from its lower-numbered end, in triangle order.
    for (int t = 0; t < tcount; ++t) {
        const auto& tri = triangles[size_t(t)];
        for (int k = 0; k < 3; ++k) {
            const int a = tri[size_t(k)], b = tri[size_t((k + 1) % 3)];
            const auto other = owner.find(int64_t(b) * n + a);
            if (other == owner.end() || other->second < t)
                continue;
            const int p = Root(parent, t), q = Root(parent, other->second);
            if (p == q)
                continue;
            std::vector<int>&P = piece[size_t(p)], &Q = piece[size_t(q)];
            const int ia = FindEdge(P, a, b), ib = FindEdge(Q, b, a);
            if (ia < 0 || ib < 0)
                continue; // the edge lost an end to a straight corner
            // Walk P from b round to a, then Q from a round to b, without the ends.
            const int pm = int(P.size()), qm = int(Q.size());
            std::vector<int> merged;
            merged.reserve(size_t(pm + qm));
            for (int s = 0; s < pm; ++s)
                merged.push_back(P[size_t((ia + 1 + s) % pm)]);
            for (int s = 1; s < qm - 1; ++s)
                merged.push_back(Q[size_t((ib + 1 + s) % qm)]);
            const int m = int(merged.size());
            // a sits at m - (qm - 2) - 1 = pm - 1, b at 0.
            const auto turn = [&](int at) {
                return Cross(ring[size_t(merged[size_t((at + m - 1) % m)])],
                             ring[size_t(merged[size_t(at)])],
                             ring[size_t(merged[size_t((at + 1) % m)])]);
            };
            const Wide ta = turn(pm - 1), tb = turn(0);
            if (ta < 0 || tb < 0)
                continue;
            const int corners = m - (ta == 0) - (tb == 0);
            if (corners > maxCorners)
                continue;
            std::vector<int> result;
            result.reserve(size_t(corners));
            for (int s = 0; s < m; ++s)
                if (!((s == pm - 1 && ta == 0) || (s == 0 && tb == 0)))
                    result.push_back(merged[size_t(s)]);
            parent[size_t(q)] = p;
            P = std::move(result);
            Q.clear();
        }
    }
    for (int t = 0; t < tcount; ++t)
        if (parent[size_t(t)] == t)
            pieces.push_back(std::move(piece[size_t(t)]));
    return true;
}

} // namespace physics
