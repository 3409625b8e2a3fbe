#pragma once
// Numbers in the text formats: the shortest text that reads back as the same
// double, so that what an engine loads is what Morvet computed.
#include <string>

std::string ExportNumber(double value);
