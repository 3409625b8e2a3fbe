#pragma once
// Writes an object as one dynamic Box2D body in the JSON layout that Box2D
// scene editors write and the b2dJson loader reads.
#include "physics/PhysicsModel.h"

#include <QString>
#include <string>

struct ExportBody;

constexpr double kBox2DFriction = 0.2; // Box2D's defaults
constexpr double kBox2DRestitution = 0;

// The JSON text of a model without errors: fixtures in metres with y up and
// of density 0; the body's mass data (the object's density read per square
// metre) with its centre at the user's center of mass, set once by the
// loader after the fixtures; the density in the body's custom properties.
std::string Box2DJson(const PhysicsModel& model);
std::string Box2DJson(const ExportBody& exported);

enum class ExportResult { Written, BadScale, ObjectErrors, WriteFailed };

// What morvet-tool export and File > Export share: refuses an object that
// CheckForBox2D refuses (why lists its errors, one a line, each
// "element N: error: message" or "error: message"), otherwise writes the file
// safely (why says what went wrong). Nothing is written unless the result is
// Written.
ExportResult ExportBox2DFile(const CShape& shape, double unitsPerMetre, const QString& path,
                             QString* why);

// Whether a scale is one the export takes (1 to 400 units per metre).
bool IsExportScale(double unitsPerMetre);
