// Angles as text in the form a conversion reads them, into packed angles.
#pragma once

#include <string_view>

#include "conversion/settings.h"
#include "engine/problem.h"

// An angle in the given format, as a packed angle. Packed text whose minutes or seconds reach
// 60 is refused (SixtyOrMore). D:M:S text is 30:30:15, or marked 30°30′15″ (also ' and " or
// ''), where each mark says what its number is (30°15″ has no minutes), marks go from degrees to
// seconds (else MarksOutOfOrder) and may be followed by blanks; an unmarked last number is the
// unit after the one before it. Text that is none of these is NotDmsAngle; degrees and minutes
// with a fraction are DegreesMinutesNotWhole. The parts are joined with JoinPacked, as the
// desktop form joins its three fields; a leading minus applies to every part.
Result<double> ParseAngle(std::string_view text, AngleFormat format);
