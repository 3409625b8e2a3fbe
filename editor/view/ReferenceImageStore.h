#pragma once
#include "document/ReferenceImage.h"

class QSettings;

// Reads the picture at path into ref (scale, offset and opacity are kept).
// On failure ref is unchanged and why says what went wrong.
bool LoadReferenceImage(const QString& path, CReferenceImage& ref, QString* why);

// The settings remember, for each document file, the reference image shown
// with it: the picture's path, scale, offset, opacity, backdrop and whether it
// is hidden. An unloaded ref forgets the entry.
void StoreReferenceImage(QSettings& settings, const QString& documentPath,
                         const CReferenceImage& ref);

// Shows again the reference image remembered for the document file. Returns
// false, with why naming the picture, when one is remembered but cannot be
// read; true when it was loaded or none is remembered.
bool RestoreReferenceImage(QSettings& settings, const QString& documentPath, CReferenceImage& ref,
                           QString* why);
