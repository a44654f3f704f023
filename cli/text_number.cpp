// Locale-independent number and angle text, on std::from_chars and std::to_chars.
#include "text_number.h"

#include <charconv>
#include <cmath>

#include "packed_angle.h"

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The signs and units that may follow each part of a D:M:S angle.
std::string_view SkipAngleMark(std::string_view text) {
    for (const std::string_view mark : {"°", "′", "″", "''", ":", "'", "\""}) {
        if (text.substr(0, mark.size()) == mark) {
            return text.substr(mark.size());
        }
    }
    return text;
}

} // namespace

ParseStatus ParseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            return ParseStatus::NotANumber;
        }
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ptr != end || text.empty()) {
        return ParseStatus::NotANumber;
    }
    if (ec == std::errc::result_out_of_range) {
        // Underflow (a negative exponent) is as good as zero; overflow is no usable coordinate.
        const bool underflow =
            text.find("e-") != std::string_view::npos || text.find("E-") != std::string_view::npos;
        value = 0.0;
        return underflow ? ParseStatus::Ok : ParseStatus::NotFinite;
    }
    if (ec != std::errc()) {
        return ParseStatus::NotANumber;
    }
    return std::isfinite(value) ? ParseStatus::Ok : ParseStatus::NotFinite;
}

ParseStatus ParseAngle(std::string_view text, AngleFormat format, double& packed) {
    if (format == AngleFormat::Packed) {
        return ParseNumber(text, packed);
    }
    if (format == AngleFormat::Degrees) {
        double degrees = 0.0;
        const ParseStatus status = ParseNumber(text, degrees);
        if (status == ParseStatus::Ok) {
            packed = DegreesToPacked(degrees);
        }
        return status;
    }

    double sign = 1.0;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        sign = text.front() == '-' ? -1.0 : 1.0;
        text.remove_prefix(1);
    }
    double parts[3] = {0.0, 0.0, 0.0};
    bool whole[3] = {true, true, true};
    int count = 0;
    while (!text.empty()) {
        if (count == 3) {
            return ParseStatus::NotANumber;
        }
        std::size_t length = 0;
        while (length < text.size() && (IsAsciiDigit(text[length]) || text[length] == '.')) {
            whole[count] = whole[count] && text[length] != '.';
            ++length;
        }
        const char* end = text.data() + length;
        const auto [ptr, ec] = std::from_chars(text.data(), end, parts[count]);
        if (length == 0 || ptr != end || ec != std::errc()) {
            return ParseStatus::NotANumber;
        }
        ++count;
        text = SkipAngleMark(text.substr(length));
    }
    if (count == 0) {
        return ParseStatus::NotANumber;
    }
    // The form joins whole degrees and whole minutes; seconds carry the fraction.
    if (!whole[0] || !whole[1]) {
        return ParseStatus::NotWhole;
    }
    if (parts[1] >= 60.0 || parts[2] >= 60.0) {
        return ParseStatus::SixtyOrMore;
    }
    packed = JoinPacked(sign * parts[0], sign * parts[1], sign * parts[2]);
    return ParseStatus::Ok;
}

void AppendNumber(std::string& out, double value, int decimals) {
    char buffer[400]; // fixed notation of the largest double with 17 decimals fits
    char* const first = buffer;
    char* last = nullptr;
    if (decimals < 0) {
        last = std::to_chars(first, std::end(buffer), value).ptr;
    } else {
        last =
            std::to_chars(first, std::end(buffer), value, std::chars_format::fixed, decimals).ptr;
        // A tiny negative value rounds to all zeros; a minus sign in front of it misleads.
        if (value < 0.0 && value > -1.0) {
            bool allZero = true;
            for (const char* c = first + 1; c != last; ++c) {
                allZero = allZero && (*c == '0' || *c == '.');
            }
            if (allZero) {
                out.append(first + 1, last);
                return;
            }
        }
    }
    out.append(first, last);
}

namespace {

void AppendTwoDigits(std::string& out, double wholeValue) {
    if (wholeValue < 10.0) {
        out += '0';
    }
    AppendNumber(out, wholeValue, 0);
}

void AppendDms(std::string& out, double packed, int decimals) {
    const PackedParts parts = SplitPacked(packed);
    double D = std::fabs(parts.D);
    double M = std::fabs(parts.M);
    double S = std::fabs(parts.S);
    if (decimals >= 0) {
        // Round the seconds as they will be printed, so that 59.9999997" is written as the next
        // minute and never as 60.000000".
        char buffer[64];
        const auto result =
            std::to_chars(buffer, std::end(buffer), S, std::chars_format::fixed, decimals);
        std::from_chars(buffer, result.ptr, S);
        if (S >= 60.0) {
            S = 0.0;
            M += 1.0;
        }
        if (M >= 60.0 && std::fabs(parts.M) < 60.0) {
            M = 0.0;
            D += 1.0;
        }
    }
    const bool negative = parts.D < 0.0 || parts.M < 0.0 || parts.S < 0.0;
    if (negative && (D != 0.0 || M != 0.0 || S != 0.0)) {
        out += '-';
    }
    AppendNumber(out, D, 0);
    out += ':';
    AppendTwoDigits(out, M);
    out += ':';
    if (S < 10.0) {
        out += '0';
    }
    AppendNumber(out, S, decimals);
}

} // namespace

void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals) {
    if (!std::isfinite(packed) || std::fabs(packed) >= 1e15) {
        AppendNumber(out, packed, decimals);
        return;
    }
    switch (format) {
    case AngleFormat::Packed:
        AppendNumber(out, packed, decimals);
        break;
    case AngleFormat::Degrees:
        AppendNumber(out, PackedToDegrees(packed), decimals);
        break;
    case AngleFormat::Dms:
        AppendDms(out, packed, decimals);
        break;
    }
}
