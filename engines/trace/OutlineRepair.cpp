#include "trace/OutlineRepair.h"

#include <algorithm>
#include <unordered_map>

namespace {
using Wide = __int128;

// Sign of the turn a -> b -> c: > 0 clockwise on screen (y down), 0 straight.
int Orient(const POINT& a, const POINT& b, const POINT& c) {
    const Wide cross = Wide(int64_t(b.x) - a.x) * (int64_t(c.y) - a.y) -
                       Wide(int64_t(b.y) - a.y) * (int64_t(c.x) - a.x);
    return cross > 0 ? 1 : (cross < 0 ? -1 : 0);
}

bool Same(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}

// p is known to lie on the line through a and b.
bool WithinBox(const POINT& a, const POINT& b, const POINT& p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

bool SegmentsMeet(const POINT& p1, const POINT& p2, const POINT& q1, const POINT& q2) {
    const int o1 = Orient(p1, p2, q1), o2 = Orient(p1, p2, q2);
    const int o3 = Orient(q1, q2, p1), o4 = Orient(q1, q2, p2);
    if (o1 != o2 && o3 != o4)
        return true;
    return (o1 == 0 && WithinBox(p1, p2, q1)) || (o2 == 0 && WithinBox(p1, p2, q2)) ||
           (o3 == 0 && WithinBox(q1, q2, p1)) || (o4 == 0 && WithinBox(q1, q2, p2));
}

uint64_t Key(const POINT& p) {
    return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y);
}
} // namespace

long double TwiceSignedArea(const Ring& ring) {
    Wide sum = 0;
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const POINT& a = ring[i];
        const POINT& b = ring[(i + 1) % n];
        sum += Wide(a.x) * b.y - Wide(b.x) * a.y;
    }
    return static_cast<long double>(sum);
}

void DropDegenerateVertices(Ring& ring) {
    Ring kept;
    kept.reserve(ring.size());
    for (const POINT& p : ring) {
        for (;;) {
            if (!kept.empty() && Same(kept.back(), p))
                break;
            // Straight through or back along the same line: the middle point
            // adds nothing, or is the tip of a spike of no width.
            if (kept.size() >= 2 && Orient(kept[kept.size() - 2], kept.back(), p) == 0) {
                kept.pop_back();
                continue;
            }
            kept.push_back(p);
            break;
        }
    }
    // The same two rules across the seam between the last point and the first.
    size_t first = 0;
    for (bool changed = true; changed && kept.size() - first >= 3;) {
        changed = false;
        const size_t n = kept.size();
        if (Same(kept[first], kept[n - 1]) || Orient(kept[n - 2], kept[n - 1], kept[first]) == 0) {
            kept.pop_back();
            changed = true;
        } else if (Orient(kept[n - 1], kept[first], kept[first + 1]) == 0) {
            ++first;
            changed = true;
        }
    }
    if (kept.size() - first < 3) {
        ring.clear();
        return;
    }
    ring.assign(kept.begin() + std::ptrdiff_t(first), kept.end());
}

std::vector<Ring> RepairOutline(const Ring& input, bool keepReversed) {
    Ring ring = input;
    DropDegenerateVertices(ring);
    const long double whole = TwiceSignedArea(ring);
    std::vector<Ring> out;
    if (ring.empty() || whole == 0)
        return out;

    // Walk the outline; on coming back to a point already on the path, the
    // stretch since then is a loop of its own and is cut off there.
    std::vector<Ring> pieces;
    std::unordered_map<uint64_t, size_t> at;
    Ring path;
    for (const POINT& p : ring) {
        const auto it = at.find(Key(p));
        if (it == at.end()) {
            at.emplace(Key(p), path.size());
            path.push_back(p);
            continue;
        }
        const size_t start = it->second;
        pieces.emplace_back(path.begin() + std::ptrdiff_t(start), path.end());
        for (size_t i = start + 1; i < path.size(); ++i)
            at.erase(Key(path[i]));
        path.resize(start + 1);
    }
    pieces.push_back(std::move(path));

    for (Ring& piece : pieces) {
        // Cutting can leave a new spike or straight vertex at the cut.
        DropDegenerateVertices(piece);
        if (piece.empty())
            continue;
        const long double area = TwiceSignedArea(piece);
        if (area != 0 && (keepReversed || (area > 0) == (whole > 0)))
            out.push_back(std::move(piece));
    }
    return out;
}

bool IsSimplePolygon(const Ring& ring) {
    const size_t n = ring.size();
    if (n < 3 || TwiceSignedArea(ring) == 0)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (Same(ring[i], ring[(i + 1) % n]) ||
            Orient(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) == 0)
            return false;
    if (n == 3)
        return true;

    // Sweep the edges from left to right; only edges whose x ranges overlap
    // can meet.
    struct Edge {
        int32_t minX, maxX, minY, maxY;
        size_t index;
    };
    std::vector<Edge> edges(n);
    for (size_t i = 0; i < n; ++i) {
        const POINT& a = ring[i];
        const POINT& b = ring[(i + 1) % n];
        edges[i] = {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y),
                    i};
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.minX < r.minX; });
    for (size_t k = 0; k < n; ++k) {
        const Edge& e = edges[k];
        for (size_t m = k + 1; m < n && edges[m].minX <= e.maxX; ++m) {
            const Edge& f = edges[m];
            if (f.maxY < e.minY || f.minY > e.maxY)
                continue;
            const size_t i = e.index, j = f.index;
            // Neighbours share a vertex; that they do not fold back onto each
            // other was checked above.
            if ((i + 1) % n == j || (j + 1) % n == i)
                continue;
            if (SegmentsMeet(ring[i], ring[(i + 1) % n], ring[j], ring[(j + 1) % n]))
                return false;
        }
    }
    return true;
}
