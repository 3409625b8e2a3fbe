#include "geometry/RingSweep.h"

#include "geometry/EdgeContact.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <utility>

namespace geometry {
namespace {

// The sweep line moves in (x, y) order, so that vertical edges need no case.
bool Before(const IPoint& a, const IPoint& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
}

struct Segment {
    IPoint left, right; // left comes first in the sweep
};

struct Probe {
    IPoint p;
};

// Bottom to top along the sweep line, for segments it crosses that do not
// meet: the one that started later is placed by its start against the other's
// line. Segments that do meet are reported before their order could matter;
// for them the index only keeps the order strict.
class BelowOrder {
public:
    using is_transparent = void;
    explicit BelowOrder(const std::vector<Segment>* segments) : m_segments(segments) {}

    bool operator()(uint32_t a, uint32_t b) const {
        if (a == b)
            return false;
        const Segment& s = (*m_segments)[a];
        const Segment& t = (*m_segments)[b];
        Wide c;
        if (Before(t.left, s.left))
            c = -Cross(t.left, t.right, s.left);
        else if (Before(s.left, t.left))
            c = Cross(s.left, s.right, t.left);
        else
            c = Cross(s.left, s.right, t.right);
        return c != 0 ? c > 0 : a < b;
    }
    bool operator()(uint32_t a, const Probe& q) const {
        const Segment& s = (*m_segments)[a];
        return Cross(s.left, s.right, q.p) > 0;
    }
    bool operator()(const Probe& q, uint32_t a) const {
        const Segment& s = (*m_segments)[a];
        return Cross(s.left, s.right, q.p) < 0;
    }

private:
    const std::vector<Segment>* m_segments;
};

using EdgePair = std::pair<size_t, size_t>;

class RingSweep {
public:
    explicit RingSweep(const std::vector<IPoint>& ring) : m_ring(ring) {
        const size_t n = ring.size();
        m_segments.reserve(n);
        m_events.reserve(2 * n);
        for (size_t e = 0; e < n; ++e) {
            IPoint a = ring[e], b = ring[(e + 1) % n];
            if (Before(b, a))
                std::swap(a, b);
            m_segments.push_back(Segment{a, b});
            m_events.push_back(Event{a, uint32_t(e), true});
            m_events.push_back(Event{b, uint32_t(e), false});
        }
        std::sort(m_events.begin(), m_events.end(),
                  [](const Event& u, const Event& v) { return Before(u.at, v.at); });
    }

    // Two edges that meet among edges [0, lowEnd) and [from, to], if any.
    std::optional<EdgePair> FindPair(size_t lowEnd, size_t from, size_t to) const {
        const auto taken = [&](size_t e) { return e < lowEnd || (from <= e && e <= to); };
        double x, y;
        const auto meet = [&](uint32_t a, uint32_t b) {
            return EdgesContact(m_ring, a, b, &x, &y);
        };
        using Line = std::set<uint32_t, BelowOrder>;
        Line line{BelowOrder(&m_segments)};
        std::vector<Line::iterator> where(m_segments.size());
        std::vector<uint32_t> ending, starting;
        for (size_t g = 0; g < m_events.size();) {
            const IPoint p = m_events[g].at;
            ending.clear();
            starting.clear();
            for (; g < m_events.size() && m_events[g].at == p; ++g)
                if (taken(m_events[g].edge))
                    (m_events[g].starts ? starting : ending).push_back(m_events[g].edge);
            if (ending.empty() && starting.empty())
                continue;
            // Edges that end at p: only neighbours folding back may share it.
            std::vector<uint32_t>& atP = ending;
            const size_t ended = ending.size();
            atP.insert(atP.end(), starting.begin(), starting.end());
            for (size_t i = 0; i < atP.size(); ++i)
                for (size_t j = i + 1; j < atP.size(); ++j)
                    if (meet(atP[i], atP[j]))
                        return EdgePair(atP[i], atP[j]);
            // Edges that p lies inside of lie together, on p, along the line.
            for (auto it = line.lower_bound(Probe{p}); it != line.end(); ++it) {
                const Segment& s = m_segments[*it];
                if (Cross(s.left, s.right, p) != 0)
                    break;
                if (s.right != p && meet(*it, atP[0]))
                    return EdgePair(*it, atP[0]);
            }
            // Every pair that becomes neighbours along the line is tested.
            for (size_t k = 0; k < ended; ++k) {
                auto it = line.erase(where[atP[k]]);
                if (it != line.begin() && it != line.end() && meet(*std::prev(it), *it))
                    return EdgePair(*std::prev(it), *it);
            }
            for (size_t k = ended; k < atP.size(); ++k) {
                const auto it = line.insert(atP[k]).first;
                where[atP[k]] = it;
                if (it != line.begin() && meet(*std::prev(it), *it))
                    return EdgePair(*std::prev(it), *it);
                if (std::next(it) != line.end() && meet(*it, *std::next(it)))
                    return EdgePair(*it, *std::next(it));
            }
        }
        return std::nullopt;
    }

private:
    struct Event {
        IPoint at;
        uint32_t edge;
        bool starts;
    };
    const std::vector<IPoint>& m_ring;
    std::vector<Segment> m_segments;
    std::vector<Event> m_events;
};

} // namespace

bool FindSelfContactBySweep(const std::vector<IPoint>& ring, double* x, double* y) {
    const size_t n = ring.size();
    if (n < 3)
        return false;
    const RingSweep sweep(ring);
    // The smallest k >= from for which edges [0, lowEnd) and [from, k] hold a
    // meeting pair (n if none), given that [0, lowEnd) holds none: every pair
    // among them then involves edge k. A pair found bounds the search.
    const auto firstToMeet = [&](size_t lowEnd, size_t from) {
        std::optional<EdgePair> pair = sweep.FindPair(lowEnd, from, n - 1);
        if (!pair)
            return n;
        size_t lo = from, hi = std::max(pair->first, pair->second);
        while (lo < hi) {
            const size_t mid = lo + (hi - lo) / 2;
            pair = sweep.FindPair(lowEnd, from, mid);
            if (pair)
                hi = std::max(pair->first, pair->second);
            else
                lo = mid + 1;
        }
        return hi;
    };
    // The first pair in edge order (i, j): edges before the first k that meets
    // an earlier edge meet nothing among themselves, so i is k's first partner
    // or lies further down, met only by an edge after k.
    size_t j = firstToMeet(0, 0);
    if (j == n)
        return false;
    size_t i = 0;
    while (!EdgesContact(ring, i, j, x, y))
        ++i;
    // Edges [0, i) meet nothing before j; each later edge that meets one of
    // them moves the pair down, the first of them to do so for each i.
    for (size_t from = j + 1; from < n && i > 0;) {
        const size_t k = firstToMeet(i, from);
        if (k == n)
            break;
        for (size_t low = 0; low < i; ++low)
            if (EdgesContact(ring, low, k, x, y)) {
                i = low;
                j = k;
                break;
            }
        from = k + 1;
    }
    return EdgesContact(ring, i, j, x, y);
}

} // namespace geometry
