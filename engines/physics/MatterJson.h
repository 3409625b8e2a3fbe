#pragma once
// The JSON layout that Phaser 3's PhysicsEditorParser builds a Matter body
// from, in pixels, y down. Phaser puts the body on Matter's centroid and
// Matter sums the parts' inertias without moving them to that centroid, so
// the file also carries, under "morvet", what docs/morvet-matter.js sets
// afterwards: the mass, the inertia about the center of mass, and where the
// first piece's centre lies from that center.
#include "physics/ExportBody.h"

#include <string>

std::string MatterJson(const ExportBody& body, const std::string& name, double pixelsPerUnit);
