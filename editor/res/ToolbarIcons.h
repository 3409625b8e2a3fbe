#pragma once
#include <QIcon>

// Toolbar button images are 16 by 15 pixels.
constexpr int kToolbarIconWidth = 16;
constexpr int kToolbarIconHeight = 15;

// The button image of a toolbar command, drawn for screens of one and of two
// pixels per unit; a null icon for any other id.
QIcon ToolbarIcon(int commandId);
