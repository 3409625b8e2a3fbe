#pragma once
// Godot 4's text scene (format=3): a RigidBody2D with the object's mass data
// and one CollisionShape2D per piece. Godot's unit is the pixel, y down.
#include "physics/ExportBody.h"

#include <string>

// name becomes the root node's (characters Godot refuses in node names are
// replaced by "_"). pixelsPerUnit: pixels per file unit.
std::string GodotScene(const ExportBody& body, const std::string& name, double pixelsPerUnit);
