#pragma once
#include <QCursor>

// The tools' cursors: IDC_DRAWCROSS (crosshair, hot spot 16,16) and
// IDC_MASSCENTER (diagonal cross, hot spot 14,15), IDC_EDITVERTICES (a handle's
// square, hot spot 16,16); anything else is the arrow.
QCursor LoadToolCursor(int cursorId);
