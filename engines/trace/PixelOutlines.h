#pragma once
#include <opencv2/core/types.hpp>

#include <atomic>
#include <cstdint>
#include <vector>

// One boundary between shape and background, along the pixels' edges.
struct PixelOutline {
    // Corners only, in pixel-corner coordinates (0 to width, 0 to height),
    // starting at the outline's top-left corner. An outer outline runs
    // counter-clockwise on screen (y down), a hole clockwise. Shape pixels
    // that touch only at a corner are one shape, so an outline may pass
    // through such a corner twice.
    std::vector<cv::Point> corners;
    bool hole = false;
    // For an outer outline, the hole it lies in; for a hole, the outer
    // outline whose shape surrounds it. An index into the same list, or -1.
    int parent = -1;
};

struct PixelOutlines {
    std::vector<PixelOutline> outlines; // a parent always comes before its children
    // Outlines found of at least the minimum area; when it passes the
    // limit the search stops there and outlines is left empty.
    int64_t count = 0;
    bool overLimit = false;
    bool stopped = false; // asked to stop; outlines is left empty
};

// Follows every border of the mask's non-zero pixels (8-connected; the
// background 4-connected) once along the pixels' edges, in time that grows
// with the number of pixels, whatever the pattern. Outlines that enclose
// fewer than minArea pixels are left out, and with them everything inside
// them. Stops as soon as more than maxOutlines are kept, or, between rows,
// once stop (when given) is set.
PixelOutlines FindPixelOutlines(const uint8_t* mask, int width, int height, size_t stride,
                                double minArea, int64_t maxOutlines,
                                const std::atomic<bool>* stop = nullptr);
