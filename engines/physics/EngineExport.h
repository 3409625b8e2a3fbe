#pragma once
// The export in every engine's format, one path for morvet-tool export and
// File > Export.
#include "physics/Box2DExport.h"

#include <QString>

enum class ExportFormat { Box2D, Godot, Phaser, Love };

struct ExportSettings {
    ExportFormat format = ExportFormat::Box2D;
    double unitsPerMetre = kDefaultUnitsPerMetre;
    double pixelsPerUnit = 1; // for the formats whose unit is the pixel
};

constexpr double kMinPixelsPerUnit = 0.01;
constexpr double kMaxPixelsPerUnit = 100;

// By the output's extension: .tscn Godot, .lua LÖVE, anything else Box2D
// (Phaser's files are JSON too, so it is never guessed).
ExportFormat FormatForPath(const QString& path);
bool UsesPixels(ExportFormat format);
// "box2d", "godot", "phaser", "love": the words morvet-tool takes.
QString FormatWord(ExportFormat format);

// As ExportBox2DFile, in the chosen format; the file's base name names the
// body where the format has names.
ExportResult ExportFile(const CShape& shape, const ExportSettings& settings, const QString& path,
                        QString* why);
