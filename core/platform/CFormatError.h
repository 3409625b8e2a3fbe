#pragma once
#include <stdexcept>
#include <string>

// A file that is not a readable object: the message says what is wrong and where.
class CFormatError : public std::runtime_error {
public:
    explicit CFormatError(const std::string& what) : std::runtime_error(what) {}
};
