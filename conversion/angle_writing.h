// Packed angles written as text in the form a conversion writes them.
#pragma once

#include <string>

#include "conversion/settings.h"

// A packed angle written in the given format: decimals of the packed value, of the degrees, or
// of the seconds of D:M:S; negative decimals for the shortest exact text. Minutes and seconds
// that round up to 60 carry into the next unit: the pole is 90.0000000000, never 89.5960000000.
void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals);
