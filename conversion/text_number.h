// Numbers and angles as text, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

#include "conversion/settings.h"

enum class ParseStatus { Ok, NotANumber, NotFinite, NotWhole, SixtyOrMore, MarksOutOfOrder };

// A whole field as a decimal number: optional sign, digits, fraction, exponent; "inf" and "nan"
// read as numbers that are not finite. A value too small for a double reads as zero.
ParseStatus ParseNumber(std::string_view text, double& value);

// An angle in the given format, into a packed angle. Packed text whose minutes or seconds reach
// 60 is refused. D:M:S text is 30:30:15, or marked 30°30′15″ (also ' and " or ''), where each
// mark says what its number is (30°15″ has no minutes), marks go from degrees to seconds and
// may be followed by blanks; an unmarked last number is the unit after the one before it. The parts
// are joined with JoinPacked, as the desktop form joins its three fields; a leading minus applies
// to every part.
ParseStatus ParseAngle(std::string_view text, AngleFormat format, double& packed);

// value with a fixed number of decimals (never "-0.000"), or the shortest text that reads back
// to the same double when decimals is negative.
void AppendNumber(std::string& out, double value, int decimals);

// A packed angle written in the given format: decimals of the packed value, of the degrees, or
// of the seconds of D:M:S; negative decimals for the shortest exact text. Minutes and seconds
// that round up to 60 carry into the next unit: the pole is 90.0000000000, never 89.5960000000.
void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals);

// text in single quotes for a message: at most 40 bytes, cut between UTF-8 characters, with
// control characters and backslashes escaped so that the message stays one readable line.
void AppendQuoted(std::string& out, std::string_view text);
