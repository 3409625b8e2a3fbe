#pragma once
#include <QIcon>

// The application's icon (32 by 32 and 16 by 16): an object on the black
// canvas with the red center-of-mass cross.
QIcon AppIcon();
// The icon of a document window.
QIcon DocumentIcon();
