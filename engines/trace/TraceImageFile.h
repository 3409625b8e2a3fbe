#pragma once
#include <QImage>
#include <QString>

// The largest picture Morvet decodes for reference and tracing: 16 million
// pixels (4096 x 4096), at most 32768 pixels on a side. The size is read
// from the file's header and checked before any pixel is decoded, so a file
// that claims absurd dimensions costs no memory.
constexpr qint64 kMaxTracePixels = 4096LL * 4096LL;
constexpr int kMaxTraceSide = 32768;
// The largest picture file read at all, and the largest SVG text, once a
// compressed one is unpacked.
constexpr qint64 kMaxTraceFileBytes = 256LL << 20;
constexpr qint64 kMaxSvgTextBytes = 32LL << 20;

// Reads a PNG, JPEG, BMP or SVG file, turned as its EXIF orientation says.
// A picture cut short, an SVG picture that refers to anything outside its
// file, and one past the bounds above are refused. On failure returns a null
// image and sets error to a sentence without the file name.
QImage ReadTraceImage(const QString& path, QString* error);
