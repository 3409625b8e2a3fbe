#include "physics/PolygonRing.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace physics {

std::vector<IPoint> DropRepeats(const std::vector<IPoint>& points) {
    std::vector<IPoint> ring;
    ring.reserve(points.size());
    for (const IPoint& p : points)
        if (ring.empty() || ring.back() != p)
            ring.push_back(p);
    while (ring.size() > 1 && ring.back() == ring.front())
        ring.pop_back();
    return ring;
}

bool AllCollinear(const std::vector<IPoint>& ring) {
    if (ring.size() < 3)
        return true;
    const IPoint& a = ring[0];
    size_t k = 1;
    while (k < ring.size() && ring[k] == a)
        ++k;
    if (k == ring.size())
        return true;
    for (size_t i = k + 1; i < ring.size(); ++i)
        if (Cross(a, ring[k], ring[i]) != 0)
            return false;
    return true;
}

Wide TwiceSignedArea(const std::vector<IPoint>& ring) {
    Wide sum = 0;
    const size_t n = ring.size();
    if (n < 3)
        return 0;
    for (size_t i = 1; i + 1 < n; ++i)
        sum += Cross(ring[0], ring[i], ring[i + 1]);
    return sum;
}

namespace {

// Where edges a-b and c-d meet, if they do; adjacent says that b == c and the
// two only may not fold back over each other.
bool Contact(const IPoint& a, const IPoint& b, const IPoint& c, const IPoint& d, bool adjacent,
             double* x, double* y) {
    if (adjacent) {
        if (Cross(a, b, d) == 0 && Dot(a, b, d) < 0) {
            *x = double(b.x);
            *y = double(b.y);
            return true;
        }
        return false;
    }
    if (std::max(a.x, b.x) < std::min(c.x, d.x) || std::max(c.x, d.x) < std::min(a.x, b.x) ||
        std::max(a.y, b.y) < std::min(c.y, d.y) || std::max(c.y, d.y) < std::min(a.y, b.y))
        return false;
    const Wide d1 = Cross(a, b, c), d2 = Cross(a, b, d);
    const Wide d3 = Cross(c, d, a), d4 = Cross(c, d, b);
    const IPoint* touch = nullptr;
    if (d1 == 0 && OnSegment(a, b, c))
        touch = &c;
    else if (d2 == 0 && OnSegment(a, b, d))
        touch = &d;
    else if (d3 == 0 && OnSegment(c, d, a))
        touch = &a;
    else if (d4 == 0 && OnSegment(c, d, b))
        touch = &b;
    if (touch) {
        *x = double(touch->x);
        *y = double(touch->y);
        return true;
    }
    if (Sign(d1) * Sign(d2) < 0 && Sign(d3) * Sign(d4) < 0) {
        // The crossing lies at a + t (b - a) with t = d3 / (d3 - d4).
        const long double t = (long double)d3 / ((long double)d3 - (long double)d4);
        *x = double((long double)a.x + t * (long double)(b.x - a.x));
        *y = double((long double)a.y + t * (long double)(b.y - a.y));
        return true;
    }
    return false;
}

struct Hit {
    size_t i = SIZE_MAX, j = SIZE_MAX;
    double x = 0, y = 0;
};

// Edge i runs from ring[i] to ring[i + 1]; tests the pair and keeps the first
// contact in edge order, so the answer does not depend on the search.
void TestPair(const std::vector<IPoint>& ring, size_t i, size_t j, Hit& best) {
    if (i > j)
        std::swap(i, j);
    if (i == j || (i > best.i) || (i == best.i && j >= best.j))
        return;
    const size_t n = ring.size();
    double x, y;
    bool hit;
    if (j == i + 1)
        hit = Contact(ring[i], ring[i + 1], ring[j], ring[(j + 1) % n], true, &x, &y);
    else if (i == 0 && j == n - 1)
        hit = Contact(ring[j], ring[0], ring[0], ring[1], true, &x, &y);
    else
        hit = Contact(ring[i], ring[i + 1], ring[j], ring[(j + 1) % n], false, &x, &y);
    if (hit)
        best = Hit{i, j, x, y};
}

// Outlines with many edges bucket them in a grid and test only edges that
// share a cell.
void GridSearch(const std::vector<IPoint>& ring, Hit& best) {
    const size_t n = ring.size();
    int64_t minX = ring[0].x, maxX = minX, minY = ring[0].y, maxY = minY;
    for (const IPoint& p : ring) {
        minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
    }
    const int64_t g = std::max<int64_t>(1, int64_t(std::sqrt(double(n))));
    const auto cellX = [&](int64_t v) {
        return int64_t(Wide(v - minX) * g / Wide(maxX - minX + 1));
    };
    const auto cellY = [&](int64_t v) {
        return int64_t(Wide(v - minY) * g / Wide(maxY - minY + 1));
    };
    std::vector<std::vector<size_t>> cells(size_t(g * g));
    for (size_t e = 0; e < n; ++e) {
        const IPoint& a = ring[e];
        const IPoint& b = ring[(e + 1) % n];
        const int64_t x0 = cellX(std::min(a.x, b.x)), x1 = cellX(std::max(a.x, b.x));
        const int64_t y0 = cellY(std::min(a.y, b.y)), y1 = cellY(std::max(a.y, b.y));
        if (y0 == y1 || x0 == x1) {
            for (int64_t cy = y0; cy <= y1; ++cy)
                for (int64_t cx = x0; cx <= x1; ++cx)
                    cells[size_t(cy * g + cx)].push_back(e);
            continue;
        }
        // A long slanted edge crosses few of the cells of its box: per row of
        // cells, only the columns its line passes through, widened by one cell
        // on each side so that rounding can never leave a cell out.
        const double ax = double(a.x - minX) * double(g) / double(maxX - minX + 1);
        const double ay = double(a.y - minY) * double(g) / double(maxY - minY + 1);
        const double bx = double(b.x - minX) * double(g) / double(maxX - minX + 1);
        const double by = double(b.y - minY) * double(g) / double(maxY - minY + 1);
        for (int64_t cy = y0; cy <= y1; ++cy) {
            const double top = std::max(double(cy), std::min(ay, by));
            const double bottom = std::min(double(cy + 1), std::max(ay, by));
            const double xt = ax + (bx - ax) * (top - ay) / (by - ay);
            const double xb = ax + (bx - ax) * (bottom - ay) / (by - ay);
            const int64_t from = std::max(x0, int64_t(std::floor(std::min(xt, xb))) - 1);
            const int64_t to = std::min(x1, int64_t(std::floor(std::max(xt, xb))) + 1);
            for (int64_t cx = from; cx <= to; ++cx)
                cells[size_t(cy * g + cx)].push_back(e);
        }
    }
    for (const std::vector<size_t>& cell : cells)
        for (size_t a = 0; a < cell.size(); ++a)
            for (size_t b = a + 1; b < cell.size(); ++b)
                TestPair(ring, cell[a], cell[b], best);
}

} // namespace

bool FindSelfContact(const std::vector<IPoint>& ring, double* x, double* y) {
    const size_t n = ring.size();
    if (n < 3)
        return false;
    Hit best;
    if (n <= 48) {
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j)
                TestPair(ring, i, j, best);
    } else {
        GridSearch(ring, best);
    }
    if (best.i == SIZE_MAX)
        return false;
    *x = best.x;
    *y = best.y;
    return true;
}

std::vector<IPoint> NormalizeSimpleRing(const std::vector<IPoint>& ring) {
    const size_t n = ring.size();
    std::vector<IPoint> out;
    out.reserve(n);
    // In a simple outline a straight corner lies between its neighbours, so
    // corners found straight against the original neighbours can all go at once.
    for (size_t i = 0; i < n; ++i)
        if (Cross(ring[(i + n - 1) % n], ring[i], ring[(i + 1) % n]) != 0)
            out.push_back(ring[i]);
    if (TwiceSignedArea(out) < 0)
        std::reverse(out.begin(), out.end());
    return out;
}

bool IsConvexRing(const std::vector<IPoint>& ring) {
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i)
        if (Cross(ring[i], ring[(i + 1) % n], ring[(i + 2) % n]) < 0)
            return false;
    return true;
}

} // namespace physics
