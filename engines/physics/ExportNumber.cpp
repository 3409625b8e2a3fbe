#include "physics/ExportNumber.h"

#include <charconv>

std::string ExportNumber(double value) {
    if (value == 0)
        return "0"; // never "-0"
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}
