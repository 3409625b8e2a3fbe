#include "trace/PixelOutlines.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
// Headings on screen, y down; a left turn is three right turns.
enum Heading { East, South, West, North };
constexpr int kStepX[4] = {1, 0, -1, 0};
constexpr int kStepY[4] = {0, 1, 0, -1};

// The mask with a border of background, so every pixel around a corner of
// the picture can be read without a bounds check.
class Grid {
public:
    Grid(const uint8_t* mask, int w, int h, size_t stride)
        : m_w(w), m_h(h), m_stride(size_t(w) + 2), m_cells(m_stride * (size_t(h) + 2), 0),
          m_edges(static_cast<int*>(std::calloc((size_t(w) + 1) * size_t(h), sizeof(int))),
                  &std::free) {
        if (!m_edges)
            throw std::bad_alloc();
        for (int y = 0; y < h; ++y) {
            const uint8_t* in = mask + size_t(y) * stride;
            uint8_t* out = &m_cells[(size_t(y) + 1) * m_stride + 1];
            for (int x = 0; x < w; ++x)
                out[x] = in[x] != 0;
        }
    }
    int Width() const { return m_w; }
    int Height() const { return m_h; }
    // Pixel (x, y), for x from -1 to width and y from -1 to height.
    bool Shape(int x, int y) const {
        return m_cells[size_t(y + 1) * m_stride + size_t(x + 1)] != 0;
    }
    // The four pixels around corner (x, y): bit 0 above left, 1 above right,
    // 2 below left, 3 below right.
    int Around(int x, int y) const {
        const uint8_t* p = &m_cells[size_t(y) * m_stride + size_t(x)];
        return p[0] | p[1] << 1 | p[m_stride] << 2 | p[m_stride + 1] << 3;
    }
    // One more than the outline the vertical edge left of pixel (x, y)
    // belongs to; 0 for none. Zero-filled by calloc, so a search that stops
    // early never touches most of it.
    int& EdgeOwner(int x, int y) {
        return m_edges.get()[size_t(y) * (size_t(m_w) + 1) + size_t(x)];
    }

private:
    int m_w, m_h;
    size_t m_stride;
    std::vector<uint8_t> m_cells;
    std::unique_ptr<int, decltype(&std::free)> m_edges;
};

// Whether the edge leaving a corner along the heading has shape on its
// right and background on its left, from the pixels around the corner.
constexpr bool Border(int around, int heading) {
    const bool aboveLeft = around & 1, aboveRight = around & 2, belowLeft = around & 4,
               belowRight = around & 8;
    switch (heading) {
    case East:
        return belowRight && !aboveRight;
    case South:
        return belowLeft && !belowRight;
    case West:
        return aboveLeft && !belowLeft;
    default:
        return aboveRight && !aboveLeft;
    }
}

// The heading to leave a corner by, arriving along a heading with the given
// pixels around it: a left turn if it is a border, else straight on, else
// right. Where two shape pixels meet only at a corner the left turn crosses
// over to the other pixel: that is what makes diagonal neighbours one shape.
struct Turns {
    int8_t next[4][16] = {};
    constexpr Turns() {
        for (int heading = 0; heading < 4; ++heading)
            for (int around = 0; around < 16; ++around) {
                const int left = (heading + 3) % 4, right = (heading + 1) % 4;
                next[heading][around] = int8_t(Border(around, left)      ? left
                                               : Border(around, heading) ? heading
                                                                         : right);
            }
    }
};
constexpr Turns kTurns;

// Walks one outline from the directed edge (x0, y0, heading0) until it comes
// back to it, with the shape on the right. Fills corners (a buffer kept
// between outlines) in walking order, each where the heading changes on
// arrival, marks its vertical edges with tag and returns twice the signed
// area enclosed.
int64_t Walk(Grid& grid, int x0, int y0, int heading0, int tag, std::vector<cv::Point>& corners) {
    corners.clear();
    int64_t twiceArea = 0;
    int x = x0, y = y0, heading = heading0;
    do {
        if (heading == South)
            grid.EdgeOwner(x, y) = tag;
        else if (heading == North)
            grid.EdgeOwner(x, y - 1) = tag;
        const int nx = x + kStepX[heading], ny = y + kStepY[heading];
        twiceArea += int64_t(x) * ny - int64_t(nx) * y;
        x = nx;
        y = ny;
        const int next = kTurns.next[heading][grid.Around(x, y)];
        if (next != heading)
            corners.emplace_back(x, y);
        heading = next;
    } while (x != x0 || y != y0 || heading != heading0);
    return twiceArea;
}
} // namespace

PixelOutlines FindPixelOutlines(const uint8_t* mask, int width, int height, size_t stride,
                                double minArea, int64_t maxOutlines,
                                const std::atomic<bool>* stop) {
    PixelOutlines found;
    Grid grid(mask, width, height, stride);
    // Per outline met: whether it is a hole, its parent's id, and where it
    // went in the list (-1 when too small to keep).
    struct Seen {
        bool hole;
        int parent, kept;
    };
    std::vector<Seen> seen;
    std::vector<cv::Point> corners;
    for (int y = 0; y < height; ++y) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            found.stopped = true;
            found.outlines.clear();
            return found;
        }
        int last = -1; // the outline whose edge the row crossed last
        for (int x = 0; x <= width; ++x) {
            const bool inside = grid.Shape(x, y);
            if (grid.Shape(x - 1, y) == inside)
                continue;
            const int owner = grid.EdgeOwner(x, y);
            if (owner > 0) {
                last = owner - 1;
                continue;
            }
            // The first edge of a new outline in raster order. Entering
            // shape: an outer outline, lying in the hole the row was in.
            // Leaving shape: a hole of the shape the row was in.
            const int id = int(seen.size());
            int parent;
            if (inside)
                parent =
                    last < 0 ? -1 : (seen[size_t(last)].hole ? last : seen[size_t(last)].parent);
            else
                parent = seen[size_t(last)].hole ? seen[size_t(last)].parent : last;
            // An outer outline starts up the left edge of its top-left pixel,
            // a hole down the right edge of the shape pixel left of it.
            const int64_t area = std::abs(inside ? Walk(grid, x, y + 1, North, id + 1, corners)
                                                 : Walk(grid, x, y, South, id + 1, corners)) /
                                 2;
            last = id;
            const bool parentKept = parent < 0 || seen[size_t(parent)].kept >= 0;
            int kept = -1;
            if (parentKept && double(area) >= minArea && !corners.empty()) {
                if (++found.count > maxOutlines) {
                    found.overLimit = true;
                    found.outlines.clear();
                    return found;
                }
                // Start at the top-left corner, as raster order met it, and
                // turn the way a border follower on screen does.
                if (!inside)
                    std::rotate(corners.rbegin(), corners.rbegin() + 1, corners.rend());
                std::reverse(corners.begin() + 1, corners.end());
                kept = int(found.outlines.size());
                PixelOutline outline;
                outline.corners = corners;
                outline.hole = !inside;
                outline.parent = parent < 0 ? -1 : seen[size_t(parent)].kept;
                found.outlines.push_back(std::move(outline));
            }
            seen.push_back({!inside, parent, kept});
        }
    }
    return found;
}
