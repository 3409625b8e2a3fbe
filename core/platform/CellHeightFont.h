#pragma once
#include <QFont>

class QPaintDevice;

// The face at the size whose character cell (ascent plus descent, as the
// device measures it) is cellHeight units high, as near as a whole pixel size
// comes. A font's pixel size is its em, whose cell is some sixth higher.
QFont CellHeightFont(const QFont& face, int cellHeight, QPaintDevice* device);
