#include "trace/ImageTracer.h"

#include "geometry/PolygonRing.h"
#include "trace/PixelOutlines.h"
#include "trace/TraceImageFile.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

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
    if (source.format() == QImage::Format_Grayscale8) {
        // Opaque, and its grey is its luminance: read it as it is instead of
        // widening it to 32 bits first.
        uint8_t seen = 0;
        for (int j = 0; j < h; ++j) {
            const uchar* row = source.constScanLine(j);
            uint8_t* out = mask.ptr<uint8_t>(j);
            for (int i = 0; i < w; ++i) {
                const bool on = options.channel == TraceChannel::Alpha
                                    ? 255 >= options.threshold
                                    : (options.invert ? row[i] >= options.threshold
                                                      : row[i] < options.threshold);
                out[i] = on ? 255 : 0;
                seen |= out[i];
            }
        }
        any = seen != 0;
        return mask;
    }
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

// From pixel corners to object units: corner c lies at x0 + c * scale.
class UnitMap {
public:
    UnitMap(double x0, double y0, double scale) : m_scale(scale), m_x0(x0), m_y0(y0) {}
    // Rounds half up on both axes: the same rule for every point keeps the
    // order of coordinates, so a rectilinear outline keeps its shape.
    Ring operator()(const std::vector<cv::Point>& corners) const {
        Ring ring;
        ring.reserve(corners.size());
        for (const cv::Point& c : corners)
            ring.push_back(POINT{Round(m_x0 + c.x * m_scale), Round(m_y0 + c.y * m_scale)});
        return ring;
    }
    double Scale() const { return m_scale; }

private:
    static int32_t Round(double v) { return static_cast<int32_t>(std::floor(v + 0.5)); }
    double m_scale, m_x0, m_y0;
};

bool SimpleOutlines(const std::vector<cv::Point>& corners, double epsilon, const UnitMap& toUnits,
                    bool hole, bool mayRetrace, std::vector<Ring>& out);

// Where units are larger than pixels, rounding to whole units can fold an
// outline onto itself (two edges a pixel apart land on one line). The cells
// of one unit whose middles the folded outline winds around are the shape at
// the object's resolution; trace those again, one pixel a unit, where
// rounding is exact. epsilon is in units.
bool RetraceInUnits(const Ring& ring, double epsilon, bool hole, std::vector<Ring>& out) {
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
    std::vector<uint8_t> mask(size_t(w * h));
    for (int64_t y = 0; y < h; ++y) {
        int32_t winding = 0;
        for (int64_t x = 0; x < w; ++x) {
            winding += turns[size_t(y * (w + 1) + x)];
            mask[size_t(y * w + x)] = winding != 0;
        }
    }
    const PixelOutlines found =
        FindPixelOutlines(mask.data(), int(w), int(h), size_t(w), 0, kMaxUnitCells);
    const UnitMap toUnits(minX, minY, 1.0);
    bool all = true;
    // A hole's ring may go round shape reaching into it; that shape comes
    // back as a hole of the retraced mask, and its edge is the hole's too.
    for (const PixelOutline& outline : found.outlines)
        if (hole || (!outline.hole && outline.parent < 0))
            all = SimpleOutlines(outline.corners, epsilon, toUnits, hole, false, out) && all;
    return all;
}

// The tolerances to try, in pixels, when simplifying at epsilon pixels
// leaves edges crossing: epsilon, then the powers of two units below it down
// to a quarter of a pixel, then the exact edges. The steps are the same
// whatever was asked, so a larger tolerance tries everything a smaller one
// does and cannot end on a finer outline.
std::vector<double> Tolerances(double epsilon, double scale) {
    std::vector<double> tries;
    if (epsilon >= 0.25)
        tries.push_back(epsilon);
    const double units = epsilon * scale;
    for (double u = std::exp2(std::ceil(std::log2(units)) - 1); u / scale >= 0.25; u /= 2)
        if (u < units)
            tries.push_back(u / scale);
    tries.push_back(0.0);
    return tries;
}

// An outline that the tolerance flattens to a line or a point is still a
// shape: the largest triangle through its farthest corners, the coarsest
// simple polygon there is, the same at every tolerance that flattens it.
std::vector<cv::Point> Triangle(const std::vector<cv::Point>& corners) {
    const auto farthest = [&](const auto& distance) {
        size_t best = 0;
        for (size_t i = 1; i < corners.size(); ++i)
            if (distance(corners[i]) > distance(corners[best]))
                best = i;
        return corners[best];
    };
    const auto from = [](const cv::Point& a) {
        return [a](const cv::Point& p) { return cv::Point2d(p - a).dot(cv::Point2d(p - a)); };
    };
    const cv::Point a = farthest(from(corners[0]));
    const cv::Point b = farthest(from(a));
    const cv::Point c = farthest([&](const cv::Point& p) {
        return std::fabs(double(b.x - a.x) * (p.y - a.y) - double(b.y - a.y) * (p.x - a.x));
    });
    return {a, c, b};
}

// Simplifies one outline as far as the tolerance allows and the result
// stays simple: a tighter tolerance, down to the exact pixel edges, when
// simplifying made edges cross or touch. epsilon is in pixels.
bool SimpleOutlines(const std::vector<cv::Point>& corners, double epsilon, const UnitMap& toUnits,
                    bool hole, bool mayRetrace, std::vector<Ring>& out) {
    const std::vector<double> tries = Tolerances(epsilon, toUnits.Scale());
    std::vector<Ring> fallback;
    for (const double e : tries) {
        std::vector<cv::Point> simplified;
        if (e > 0)
            cv::approxPolyDP(corners, simplified, e, true);
        else
            simplified = corners;
        std::vector<Ring> pieces = RepairOutline(toUnits(simplified), hole);
        if (pieces.empty() && e > 0)
            pieces = RepairOutline(toUnits(Triangle(corners)), hole);
        bool allSimple = !pieces.empty();
        for (const Ring& piece : pieces)
            allSimple = allSimple && IsSimplePolygon(piece);
        if (allSimple) {
            out.insert(out.end(), pieces.begin(), pieces.end());
            return true;
        }
        if (e == 0 && mayRetrace &&
            RetraceInUnits(toUnits(corners), epsilon * toUnits.Scale(), hole, out))
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

double Area(const Ring& ring) {
    return std::fabs(double(geometry::TwiceSignedArea(ring))) / 2;
}

// Keeps the pieces of at least the minimum area; false when none is left.
bool KeepLarge(std::vector<Ring>& pieces, double minArea) {
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [&](const Ring& r) { return Area(r) < minArea; }),
                 pieces.end());
    return !pieces.empty();
}
} // namespace

int TraceResult::VertexCount() const {
    int n = 0;
    for (const Ring& r : outlines)
        n += int(r.size());
    return n;
}

QString TraceProblem(const TraceResult& r) {
    if (!r.error.isEmpty())
        return r.error;
    if (r.stopped)
        return QStringLiteral("Tracing was stopped.");
    if (r.tooMany > 0)
        return QStringLiteral("The picture has more than %1 outlines, too many for one "
                              "physics body; raise the minimum area or change the threshold.")
            .arg(kMaxTraceOutlines);
    if (!r.outlines.empty())
        return QString();
    if (r.dropped > 0)
        return QStringLiteral("No outline could be made a simple polygon.");
    return QStringLiteral("Nothing to trace at this threshold and minimum area.");
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
    // Written so that NaN fails every test.
    if (!(o.scale >= kMinTraceScale && o.scale <= kMaxTraceScale))
        return QStringLiteral("The scale must be from %1 to %2 units per pixel.")
            .arg(kMinTraceScale)
            .arg(kMaxTraceScale);
    if (!(o.tolerance >= 0 && o.tolerance <= kMaxTraceTolerance))
        return QStringLiteral("The tolerance must be from 0 to %1 units.").arg(kMaxTraceTolerance);
    if (!(o.minArea >= 0 && o.minArea <= kMaxTraceMinArea))
        return QStringLiteral("The minimum area must be from 0 to %1 square units.")
            .arg(kMaxTraceMinArea, 0, 'g', 10);
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

namespace {
TraceResult Trace(const QImage& image, const TraceOptions& options, const std::atomic<bool>* stop) {
    TraceResult result;
    bool any = false;
    const cv::Mat mask = ShapeMask(image, options, any);
    if (!any)
        return result;
    const double pixelsPerArea = 1.0 / (options.scale * options.scale);
    const PixelOutlines found =
        FindPixelOutlines(mask.ptr<uint8_t>(0), mask.cols, mask.rows, mask.step[0],
                          options.minArea * pixelsPerArea, kMaxTraceOutlines, stop);
    if (found.stopped) {
        result.stopped = true;
        return result;
    }
    if (found.overLimit) {
        result.tooMany = found.count;
        return result;
    }

    const UnitMap toUnits(options.centerX - 0.5 * image.width() * options.scale,
                          options.centerY - 0.5 * image.height() * options.scale, options.scale);
    const double epsilon = options.tolerance / options.scale; // in pixels
    // Per outer outline: whether it was emitted, or lies inside one that was.
    // A filled polygon already covers everything inside it, islands in its
    // holes included, so those are left out.
    enum : char { Left, Emitted, Covered };
    std::vector<char> state(found.outlines.size(), Left);
    std::vector<std::pair<bool, std::vector<Ring>>> emitted; // hole or not, and its pieces
    for (size_t i = 0; i < found.outlines.size(); ++i) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            TraceResult stopped;
            stopped.stopped = true;
            return stopped;
        }
        const PixelOutline& o = found.outlines[i];
        if (o.hole
                ? state[size_t(o.parent)] != Emitted
                : o.parent >= 0 && state[size_t(found.outlines[size_t(o.parent)].parent)] != Left) {
            state[i] = Covered;
            continue;
        }
        std::vector<Ring> pieces;
        if (!SimpleOutlines(o.corners, epsilon, toUnits, o.hole, true, pieces))
            ++result.dropped;
        // Splitting at corners where pixels touch diagonally can leave
        // pieces below the minimum area.
        if (!KeepLarge(pieces, options.minArea))
            continue;
        if (!o.hole)
            state[i] = Emitted;
        emitted.push_back({o.hole, std::move(pieces)});
    }
    // The last outline found comes first, as tracing has always listed them,
    // so that ordinary pictures give the same files as before.
    for (auto it = emitted.rbegin(); it != emitted.rend(); ++it) {
        if (!it->first) {
            result.outlines.insert(result.outlines.end(), it->second.begin(), it->second.end());
            continue;
        }
        for (Ring& hole : it->second) {
            hole.push_back(hole.front());
            result.holes.push_back(std::move(hole));
        }
    }
    return result;
}
} // namespace

TraceResult TraceImage(const QImage& image, const TraceOptions& options,
                       const std::atomic<bool>* stop) {
    TraceResult result;
    try {
        return Trace(image, options, stop);
    } catch (const std::bad_alloc&) {
        result.error = QStringLiteral("There is not enough memory to trace this picture.");
    } catch (const cv::Exception& e) {
        result.error = QStringLiteral("The image library could not trace this picture (%1).")
                           .arg(QString::fromStdString(e.msg).trimmed());
    }
    return result;
}
