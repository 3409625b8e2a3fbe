#pragma once
#include "object/CShape.h"

#include <array>
#include <cstdint>
#include <string>

// What `morvet-tool info` reports about an object.
struct ShapeInfo {
    std::array<int, 4> byType{}; // indexed by the element type code
    int unknownTypes = 0;
    int64_t totalPoints = 0;
    bool hasBox = false;
    // Relative to the center of mass, right and bottom inclusive, as the
    // elements' bounding rectangles are.
    int64_t left = 0, top = 0, right = 0, bottom = 0;
};

ShapeInfo Summarize(const CShape& shape);
std::string FormatInfo(const CShape& shape, const ShapeInfo& info);
