#pragma once
#include "trace/OutlineRepair.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <cstdint>
#include <vector>

// More outlines than a physics body can sensibly hold: a picture that gives
// more (noise, dithering, a fine pattern) is refused instead of traced.
constexpr int64_t kMaxTraceOutlines = 100000;

// The options' bounds, as the editor's dialogs have them.
constexpr double kMinTraceScale = 0.001, kMaxTraceScale = 1000.0; // units per pixel
constexpr double kMaxTraceTolerance = 1000.0;                     // units
constexpr double kMaxTraceMinArea = 1e9;                          // square units

// Which pixels make the shape: the opaque ones, or the dark ones.
enum class TraceChannel { Alpha, Luminance };

struct TraceOptions {
    TraceChannel channel = TraceChannel::Luminance;
    // Alpha: a pixel at least this opaque is shape. Luminance: a pixel darker
    // than this is shape, or, inverted, one at least this light.
    int threshold = 128;
    bool invert = false;
    double tolerance = 1.0; // how far a simplified outline may stray, in units
    double scale = 1.0;     // units per image pixel
    double minArea = 0.0;   // outlines and holes smaller than this (square units) are left out
    // Where the middle of the image lies, in object units relative to the
    // center of mass; x to the right, y downwards as in the image.
    double centerX = 0.0;
    double centerY = 0.0;
};

struct TraceResult {
    // Outer outlines, each a simple polygon (no crossing or touching edges,
    // no three vertices on a line).
    std::vector<Ring> outlines;
    // Holes in them, each a closed polyline (the last point repeats the
    // first), as walls a filled element cannot have.
    std::vector<Ring> holes;
    // Outlines left out because no repair made them simple.
    int dropped = 0;
    // When not 0, nothing was traced: the picture has at least this many
    // outlines of the minimum area, more than kMaxTraceOutlines.
    int64_t tooMany = 0;
    // When not empty, nothing was traced: what went wrong (memory ran out, or
    // the image library refused), as a sentence.
    QString error;
    bool stopped = false; // asked to stop before it was done: nothing traced
    int VertexCount() const;
};

// Why a trace gave nothing to add, or an empty string when it has outlines:
// a refusal, a failure, or nothing at this threshold and minimum area.
QString TraceProblem(const TraceResult& result);

// Alpha when the picture has any pixel that is not fully opaque.
TraceChannel DefaultTraceChannel(const QImage& image);

// Checks the options against the picture: the scale, tolerance and minimum
// area within their bounds, a threshold from 0 to 255, and every traced point
// within the object's coordinate range. Returns an empty string when they
// are fine, else a sentence saying what is wrong.
QString CheckTraceOptions(const QImage& image, const TraceOptions& options);

// Traces the shape's outlines along the pixels' edges, so a traced area is
// the area of the pixels that make it, simplifies each outline to the
// tolerance and repairs it into simple polygons. An outline inside a hole
// of an emitted outline is left out: the filled polygon covers it already.
// The options must pass CheckTraceOptions. Never throws: a failure is
// reported in the result's error. Another thread may set stop to end the
// trace early.
TraceResult TraceImage(const QImage& image, const TraceOptions& options,
                       const std::atomic<bool>* stop = nullptr);
