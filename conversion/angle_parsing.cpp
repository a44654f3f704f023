// Angle text in its three forms: packed DDD.MMSSsss, decimal degrees and D:M:S.
#include "conversion/angle_parsing.h"

#include <charconv>
#include <cmath>

#include "conversion/number_text.h"
#include "engine/packed_angle.h"

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Minutes and seconds of packed text must stay below 60. The digits say so exactly where the
// decimals are written out; exponent forms are split as the engine splits them.
bool PackedBelowSixty(std::string_view text, double packed) {
    if (text.find_first_of("eE") != std::string_view::npos) {
        const PackedParts parts = SplitPacked(packed);
        return std::fabs(parts.M) < 60.0 && std::fabs(parts.S) < 60.0;
    }
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        return true;
    }
    const std::string_view decimals = text.substr(dot + 1);
    const auto digit = [&](std::size_t i) { return i < decimals.size() ? decimals[i] - '0' : 0; };
    return digit(0) * 10 + digit(1) < 60 && digit(2) * 10 + digit(3) < 60;
}

enum class Mark { None, Colon, Degrees, Minutes, Seconds };

// The mark after one number of a D:M:S angle, removed from text.
Mark TakeMark(std::string_view& text) {
    struct Known {
        std::string_view text;
        Mark mark;
    };
    static const Known known[] = {
        {"°", Mark::Degrees}, {"′", Mark::Minutes},  {"″", Mark::Seconds}, {"''", Mark::Seconds},
        {"'", Mark::Minutes}, {"\"", Mark::Seconds}, {":", Mark::Colon},
    };
    for (const Known& k : known) {
        if (text.substr(0, k.text.size()) == k.text) {
            text.remove_prefix(k.text.size());
            return k.mark;
        }
    }
    return Mark::None;
}

Result<double> ParseDms(std::string_view text) {
    double sign = 1.0;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front() == '-' ? -1.0 : 1.0;
        text.remove_prefix(1);
    }
    double parts[3] = {0.0, 0.0, 0.0};
    bool whole[3] = {true, true, true};
    int next = 0; // the unit an unmarked or colon-separated number takes
    bool colons = false;
    bool marks = false;
    while (!text.empty()) {
        std::size_t length = 0;
        bool fraction = false;
        while (length < text.size() && (IsAsciiDigit(text[length]) || text[length] == '.')) {
            fraction = fraction || text[length] == '.';
            ++length;
        }
        double value = 0.0;
        const char* end = text.data() + length;
        const auto [ptr, ec] = std::from_chars(text.data(), end, value);
        if (length == 0 || ptr != end || ec != std::errc()) {
            return Problem{.code = ProblemCode::NotDmsAngle};
        }
        text.remove_prefix(length);
        const Mark mark = TakeMark(text);
        int unit = next;
        if (mark == Mark::Colon) {
            // 30:30 and 30°30′ are two ways of writing; one angle uses one of them.
            if (marks || text.empty()) {
                return Problem{.code = ProblemCode::NotDmsAngle};
            }
            colons = true;
        } else if (mark == Mark::None) {
            if (!text.empty()) {
                return Problem{.code = ProblemCode::NotDmsAngle};
            }
        } else {
            if (colons) {
                return Problem{.code = ProblemCode::NotDmsAngle};
            }
            marks = true;
            unit = mark == Mark::Degrees ? 0 : mark == Mark::Minutes ? 1 : 2;
            if (unit < next) {
                return Problem{.code = ProblemCode::MarksOutOfOrder};
            }
            // 30° 15′ 20″ in one field: a mark ends its number, so a blank after it is no
            // separator (without marks, 30 15 20 stays ambiguous and is refused).
            while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
                text.remove_prefix(1);
            }
        }
        if (unit > 2) {
            return Problem{.code = ProblemCode::NotDmsAngle};
        }
        parts[unit] = value;
        whole[unit] = !fraction;
        next = unit + 1;
    }
    if (next == 0) {
        return Problem{.code = ProblemCode::NotDmsAngle};
    }
    // The form joins whole degrees and whole minutes; seconds carry the fraction.
    if (!whole[0] || !whole[1]) {
        return Problem{.code = ProblemCode::DegreesMinutesNotWhole};
    }
    if (parts[1] >= 60.0 || parts[2] >= 60.0) {
        return Problem{.code = ProblemCode::SixtyOrMore};
    }
    return JoinPacked(sign * parts[0], sign * parts[1], sign * parts[2]);
}

} // namespace

Result<double> ParseAngle(std::string_view text, AngleFormat format) {
    if (format == AngleFormat::Packed) {
        Result<double> packed = ParseNumber(text);
        if (packed && !PackedBelowSixty(text, *packed)) {
            return Problem{.code = ProblemCode::SixtyOrMore};
        }
        return packed;
    }
    if (format == AngleFormat::Degrees) {
        const Result<double> degrees = ParseNumber(text);
        if (!degrees) {
            return degrees;
        }
        return DegreesToPacked(*degrees);
    }
    return ParseDms(text);
}
