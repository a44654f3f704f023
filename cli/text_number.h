// Numbers and angles as text, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

#include "settings.h"

enum class ParseStatus { Ok, NotANumber, NotFinite, NotWhole, SixtyOrMore };

// A whole field as a decimal number: optional sign, digits, fraction, exponent; "inf" and "nan"
// read as numbers that are not finite.
ParseStatus ParseNumber(std::string_view text, double& value);

// An angle in the given format, into a packed angle. D:M:S text (also written with ° ′ ″ or
// ' and ") is joined with JoinPacked, as the desktop form joins its three fields; a leading
// minus applies to every part.
ParseStatus ParseAngle(std::string_view text, AngleFormat format, double& packed);

// value with a fixed number of decimals (never "-0.000"), or the shortest text that reads back
// to the same double when decimals is negative.
void AppendNumber(std::string& out, double value, int decimals);

// A packed angle written in the given format: decimals of the packed value, of the degrees, or
// of the seconds of D:M:S; negative decimals for the shortest exact text.
void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals);
