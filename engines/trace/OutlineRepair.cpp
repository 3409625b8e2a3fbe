#include "trace/OutlineRepair.h"

#include "geometry/PolygonRing.h"

#include <algorithm>
#include <unordered_map>

namespace {
// Sign of the turn a -> b -> c: > 0 clockwise on screen (y down), 0 straight.
int Orient(const POINT& a, const POINT& b, const POINT& c) {
    return geometry::Sign(
        geometry::Cross(geometry::Exact(a), geometry::Exact(b), geometry::Exact(c)));
}

bool Same(const POINT& a, const POINT& b) {
    return a.x == b.x && a.y == b.y;
}

uint64_t Key(const POINT& p) {
    return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y);
}
} // namespace

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
    const geometry::Wide whole = geometry::TwiceSignedArea(ring);
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
        const geometry::Wide area = geometry::TwiceSignedArea(piece);
        if (area != 0 && (keepReversed || (area > 0) == (whole > 0)))
            out.push_back(std::move(piece));
    }
    return out;
}

bool IsSimplePolygon(const Ring& ring) {
    std::vector<geometry::IPoint> exact;
    exact.reserve(ring.size());
    for (const POINT& p : ring)
        exact.push_back(geometry::Exact(p));
    return geometry::IsStrictlySimple(exact);
}
