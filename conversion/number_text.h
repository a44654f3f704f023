// Numbers as text, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

#include "engine/problem.h"

// A whole field as a decimal number: optional sign, digits, fraction, exponent. Refuses text
// that is no number (NotANumber) and "inf", "nan" or a value too large for a double
// (NotFinite); a value too small for a double reads as zero.
Result<double> ParseNumber(std::string_view text);

// value in fixed notation with a fixed number of decimals (never "-0.000"), or, when decimals
// is negative, the shortest fixed-notation text that reads back to the same double.
void AppendNumber(std::string& out, double value, int decimals);
