#include "trace/ImageTracer.h"

#include "trace/TraceImageFile.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstring>

namespace {
// Coordinates must stay well inside 32 bits, so that a polygon's points can
// still be moved and compared without overflow.
constexpr double kMaxCoordinate = 1073741824.0; // 2^30
// Re-tracing at the object's resolution is only needed where units are
// larger than pixels, so it never needs more cells than the picture has.
constexpr int64_t kMaxUnitCells = kMaxTracePixels;

// Which pixels are shape: 255, else 0.
cv::Mat ShapeMask(const QImage& source, const TraceOptions& options, bool& any) {
    const int w = source.width(), h = source.height();
    cv::Mat mask(h, w, CV_8U);
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied;
    QImage image = source;
    if (!premultiplied && source.format() != QImage::Format_ARGB32 &&
        source.format() != QImage::Format_RGB32)
        image = source.convertToFormat(QImage::Format_ARGB32);
    const bool alpha = options.channel == TraceChannel::Alpha;
    const int threshold = options.threshold;
    const bool invert = options.invert;
    uint8_t seen = 0;
    for (int j = 0; j < h; ++j) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
        uint8_t* out = mask.ptr<uint8_t>(j);
        for (int i = 0; i < w; ++i) {
            const QRgb p = row[i];
            const int a = qAlpha(p);
            bool on;
            if (alpha) {
                on = a >= threshold;
            } else {
                // Seen over white paper, as a viewer shows a transparent picture.
                int r = qRed(p), g = qGreen(p), b = qBlue(p);
                if (a != 255) {
                    if (!premultiplied) {
                        r = (r * a + 127) / 255;
                        g = (g * a + 127) / 255;
                        b = (b * a + 127) / 255;
                    }
                    r += 255 - a;
                    g += 255 - a;
                    b += 255 - a;
                }
                const int luminance = (77 * r + 150 * g + 29 * b) >> 8;
                on = invert ? luminance >= threshold : luminance < threshold;
            }
            out[i] = on ? 255 : 0;
            seen |= out[i];
        }
    }
    any = seen != 0;
    return mask;
}

// The mask on a grid of twice the resolution with a border of one empty
// cell: pixel (i, j) covers the closed square of cells 2i+1 .. 2i+3 by
// 2j+1 .. 2j+3. Its even cells are the pixel's corners and edges, so the
// border OpenCV follows on this grid runs along the pixels' edges, and a
// traced area is the area of the pixels, not of their centres.
cv::Mat EdgeCells(const cv::Mat& mask) {
    const int w = mask.cols, h = mask.rows;
    cv::Mat cells = cv::Mat::zeros(2 * h + 3, 2 * w + 3, CV_8U);
    for (int j = 0; j < h; ++j) {
        const uint8_t* shape = mask.ptr<uint8_t>(j);
        uint8_t* row = cells.ptr<uint8_t>(2 * j + 2);
        for (int i = 0; i < w; ++i)
            if (shape[i])
                row[2 * i + 1] = row[2 * i + 2] = row[2 * i + 3] = 255;
    }
    // Odd rows hold the pixels' top and bottom edges: shape if the row above
    // or below is.
    for (int j = 0; j <= h; ++j) {
        const uint8_t* above = cells.ptr<uint8_t>(2 * j);
        const uint8_t* below = cells.ptr<uint8_t>(2 * j + 2);
        uint8_t* edge = cells.ptr<uint8_t>(2 * j + 1);
        for (int k = 0; k < cells.cols; ++k)
            edge[k] = above[k] | below[k];
    }
    return cells;
}

// OpenCV's border cuts a concave corner short by half a cell (an 8-connected
// step); put the corner cell back so the outline stays on the pixels' edges,
// then keep only the corners.
std::vector<cv::Point> EdgeCorners(const std::vector<cv::Point>& contour, const cv::Mat& cells) {
    Ring walk;
    walk.reserve(contour.size() + contour.size() / 4);
    const size_t n = contour.size();
    for (size_t i = 0; i < n; ++i) {
        const cv::Point& a = contour[i];
        const cv::Point& b = contour[(i + 1) % n];
        walk.push_back(POINT{a.x, a.y});
        if (std::abs(b.x - a.x) == 1 && std::abs(b.y - a.y) == 1) {
            const bool viaX = cells.at<uint8_t>(a.y, b.x) != 0;
            walk.push_back(viaX ? POINT{b.x, a.y} : POINT{a.x, b.y});
        }
    }
    DropDegenerateVertices(walk);
    std::vector<cv::Point> corners;
    corners.reserve(walk.size());
    for (const POINT& p : walk)
        corners.emplace_back(p.x, p.y);
    return corners;
}

// Square pixels enclosed, from corners in grid cells (two cells a pixel).
double PixelArea(const std::vector<cv::Point>& corners) {
    return std::fabs(cv::contourArea(corners)) / 4.0;
}

// From grid cells to object units: cell k lies at x0 + (k - 1) / 2 * scale.
class UnitMap {
public:
    UnitMap(double x0, double y0, double scale) : m_scale(scale), m_x0(x0), m_y0(y0) {}
    // Rounds half up on both axes: the same rule for every point keeps the
    // order of coordinates, so a rectilinear outline keeps its shape.
    Ring operator()(const std::vector<cv::Point>& cells) const {
        Ring ring;
        ring.reserve(cells.size());
        for (const cv::Point& c : cells)
            ring.push_back(POINT{Round(m_x0 + 0.5 * (c.x - 1) * m_scale),
                                 Round(m_y0 + 0.5 * (c.y - 1) * m_scale)});
        return ring;
    }
    double Scale() const { return m_scale; }

private:
    static int32_t Round(double v) { return static_cast<int32_t>(std::floor(v + 0.5)); }
    double m_scale, m_x0, m_y0;
};

bool SimpleOutlines(const std::vector<cv::Point>& corners, double epsilon, const UnitMap& toUnits,
                    bool mayRetrace, std::vector<Ring>& out);

// Where units are larger than pixels, rounding to whole units can fold an
// outline onto itself (two edges a pixel apart land on one line). The cells
// of one unit whose middles the folded outline winds around are the shape at
// the object's resolution; trace those again, one cell a unit, where rounding
// is exact.
bool RetraceInUnits(const Ring& ring, double epsilon, std::vector<Ring>& out) {
    int32_t minX = ring[0].x, maxX = minX, minY = ring[0].y, maxY = minY;
    for (const POINT& p : ring) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int64_t w = int64_t(maxX) - minX, h = int64_t(maxY) - minY;
    if (w < 1 || h < 1)
        return true; // thinner than a unit: nothing at the object's resolution
    if (w * h > kMaxUnitCells)
        return false;
    // Winding numbers by rows: each vertical edge adds its direction to the
    // cells to its right.
    std::vector<int32_t> turns(size_t((w + 1) * h), 0);
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const POINT& a = ring[i];
        const POINT& b = ring[(i + 1) % n];
        if (a.x != b.x && a.y != b.y)
            return false; // only the exact, axis-parallel outline comes here
        if (a.x != b.x)
            continue;
        const int dir = b.y > a.y ? 1 : -1;
        for (int64_t y = std::min(a.y, b.y); y < std::max(a.y, b.y); ++y)
            turns[size_t((y - minY) * (w + 1) + (a.x - minX))] += dir;
    }
    cv::Mat mask(int(h), int(w), CV_8U);
    for (int y = 0; y < h; ++y) {
        int32_t winding = 0;
        uint8_t* row = mask.ptr<uint8_t>(y);
        for (int x = 0; x < w; ++x) {
            winding += turns[size_t(y * (w + 1) + x)];
            row[x] = winding != 0 ? 255 : 0;
        }
    }
    const cv::Mat cells = EdgeCells(mask);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(cells, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
    const UnitMap toUnits(minX, minY, 1.0);
    bool all = true;
    for (const std::vector<cv::Point>& contour : contours) {
        const std::vector<cv::Point> corners = EdgeCorners(contour, cells);
        if (corners.size() >= 3)
            all = SimpleOutlines(corners, 2 * epsilon, toUnits, false, out) && all;
    }
    return all;
}

// Simplifies one outer outline as far as the tolerance allows and the
// result stays simple: a tighter tolerance, down to the exact pixel edges,
// when simplifying made edges cross or touch.
// epsilon is in cells.
bool SimpleOutlines(const std::vector<cv::Point>& corners, double epsilon, const UnitMap& toUnits,
                    bool mayRetrace, std::vector<Ring>& out) {
    std::vector<double> tries;
    for (double e = epsilon; e >= 0.5 && tries.size() < 6; e /= 2)
        tries.push_back(e);
    tries.push_back(0.0);
    std::vector<Ring> fallback;
    for (const double e : tries) {
        std::vector<cv::Point> simplified;
        if (e > 0)
            cv::approxPolyDP(corners, simplified, e, true);
        else
            simplified = corners;
        std::vector<Ring> pieces = RepairOutline(toUnits(simplified));
        bool allSimple = !pieces.empty();
        for (const Ring& piece : pieces)
            allSimple = allSimple && IsSimplePolygon(piece);
        if (allSimple) {
            out.insert(out.end(), pieces.begin(), pieces.end());
            return true;
        }
        if (e == 0 && mayRetrace &&
            RetraceInUnits(toUnits(corners), epsilon * toUnits.Scale() / 2, out))
            return true;
        if (e == 0)
            fallback = std::move(pieces);
    }
    // Even the exact edges collapse (units much larger than pixels): keep
    // the pieces that are simple.
    bool all = true;
    for (Ring& piece : fallback) {
        if (IsSimplePolygon(piece))
            out.push_back(std::move(piece));
        else
            all = false;
    }
    return all && !fallback.empty();
}
} // namespace

int TraceResult::VertexCount() const {
    int n = 0;
    for (const Ring& r : outlines)
        n += int(r.size());
    return n;
}

TraceChannel DefaultTraceChannel(const QImage& image) {
    if (!image.hasAlphaChannel())
        return TraceChannel::Luminance;
    const QImage argb = image.format() == QImage::Format_ARGB32 ||
                                image.format() == QImage::Format_ARGB32_Premultiplied
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32);
    for (int j = 0; j < argb.height(); ++j) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(j));
        for (int i = 0; i < argb.width(); ++i)
            if (qAlpha(row[i]) != 255)
                return TraceChannel::Alpha;
    }
    return TraceChannel::Luminance;
}

QString CheckTraceOptions(const QImage& image, const TraceOptions& o) {
    if (image.isNull())
        return QStringLiteral("There is no picture to trace.");
    if (!(o.scale > 0) || !std::isfinite(o.scale))
        return QStringLiteral("The scale must be a number greater than 0.");
    if (!(o.tolerance >= 0) || !std::isfinite(o.tolerance))
        return QStringLiteral("The tolerance must be 0 or more.");
    if (!(o.minArea >= 0) || !std::isfinite(o.minArea))
        return QStringLiteral("The minimum area must be 0 or more.");
    if (o.threshold < 0 || o.threshold > 255)
        return QStringLiteral("The threshold must be from 0 to 255.");
    const double reachX = std::fabs(o.centerX) + 0.5 * image.width() * o.scale + 1;
    const double reachY = std::fabs(o.centerY) + 0.5 * image.height() * o.scale + 1;
    if (!std::isfinite(reachX) || !std::isfinite(reachY) || reachX > kMaxCoordinate ||
        reachY > kMaxCoordinate)
        return QStringLiteral("At this scale and offset the outlines would not fit the "
                              "object's coordinates.");
    return QString();
}

TraceResult TraceImage(const QImage& image, const TraceOptions& options) {
    TraceResult result;
    bool any = false;
    const cv::Mat mask = ShapeMask(image, options, any);
    if (!any)
        return result;
    const cv::Mat cells = EdgeCells(mask);
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> hierarchy;
    // Two levels: outer borders, and the holes directly inside them; a shape
    // inside a hole is an outer border again.
    cv::findContours(cells, contours, hierarchy, cv::RETR_CCOMP, cv::CHAIN_APPROX_NONE);

    const UnitMap toUnits(options.centerX - 0.5 * image.width() * options.scale,
                          options.centerY - 0.5 * image.height() * options.scale, options.scale);
    const double epsilon = 2.0 * options.tolerance / options.scale; // in cells
    const double pixelsPerArea = 1.0 / (options.scale * options.scale);
    std::vector<char> kept(contours.size(), 0);
    for (size_t i = 0; i < contours.size(); ++i) {
        if (hierarchy[i][3] >= 0)
            continue;
        const std::vector<cv::Point> corners = EdgeCorners(contours[i], cells);
        if (corners.size() < 3 || PixelArea(corners) < options.minArea * pixelsPerArea)
            continue;
        kept[i] = 1;
        if (!SimpleOutlines(corners, epsilon, toUnits, true, result.outlines))
            ++result.dropped;
    }
    for (size_t i = 0; i < contours.size(); ++i) {
        const int parent = hierarchy[i][3];
        if (parent < 0 || !kept[size_t(parent)])
            continue;
        const std::vector<cv::Point> corners = EdgeCorners(contours[i], cells);
        if (corners.size() < 3 || PixelArea(corners) < options.minArea * pixelsPerArea)
            continue;
        std::vector<cv::Point> simplified;
        if (epsilon > 0)
            cv::approxPolyDP(corners, simplified, epsilon, true);
        else
            simplified = corners;
        Ring hole = toUnits(simplified);
        DropDegenerateVertices(hole);
        if (hole.empty())
            continue;
        hole.push_back(hole.front());
        result.holes.push_back(std::move(hole));
    }
    return result;
}
