#pragma once
// The physics figures and problems as people read them, the same words in
// morvet-tool and in the editor's panel.
#include "physics/PhysicsModel.h"

#include <QString>
#include <QStringList>

// "element 3: error: filled polygon's edges cross or touch at (5, 5)", or for
// the whole object "error: the mass density is not a number".
QString FormatProblem(const PhysicsProblem& problem);

// One "name: value" line per figure, file units, y down.
QStringList FormatMassProperties(const PhysicsModel& model);

// A number as the reports print it: up to 6 significant digits, no "-0".
QString FormatFigure(double value);
