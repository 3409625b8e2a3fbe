#pragma once
// A Lua module for LÖVE (love.physics, Box2D underneath): the metre it was
// written for, the density, the mass data and the pieces, in pixels, y down.
#include "physics/ExportBody.h"

#include <string>

std::string LoveModule(const ExportBody& body, double pixelsPerUnit);
