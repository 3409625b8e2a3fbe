#pragma once
#include <QPixmap>

// Toolbar button images are 16 by 15 pixels.
constexpr int kToolbarIconWidth = 16;
constexpr int kToolbarIconHeight = 15;

// The button image of a toolbar command; a null pixmap for any other id.
QPixmap ToolbarIcon(int commandId);
