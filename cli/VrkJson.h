#pragma once
#include "cli/VrkFile.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

// The JSON form of a .vrk file (described in cli/README.md). It carries
// everything needed to rebuild the file byte for byte.
nlohmann::ordered_json VrkToJson(const VrkFile& file);

// Indented text with one element per line, so that a diff of two objects
// shows the elements that changed.
std::string FormatVrkJson(const nlohmann::ordered_json& doc);

// A JSON document that is not a valid object; the message names the member.
class JsonFormError : public std::runtime_error {
public:
    explicit JsonFormError(const std::string& what) : std::runtime_error(what) {}
};

// Rebuilds the file bytes; throws JsonFormError.
QByteArray VrkFromJson(const nlohmann::json& doc);
