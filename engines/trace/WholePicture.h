#pragma once
#include <QByteArray>

// Qt's JPEG and BMP readers hand back a picture cut short as if it were
// whole, its missing rows grey or black, and say nothing. These read the
// file's own structure to tell.

// Whether the JPEG stream's markers lead from its start to its end marker.
// The end marker of a thumbnail inside the header does not count.
bool JpegIsWhole(const QByteArray& bytes);

// Whether an uncompressed BMP holds every row its header promises, or a
// run-length encoded one reaches its end-of-picture code.
bool BmpIsWhole(const QByteArray& bytes);
