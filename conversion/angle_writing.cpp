// Angles written in each form, with minutes and seconds that round up to 60 carried.
#include "conversion/angle_writing.h"

#include <charconv>
#include <cmath>

#include "conversion/number_text.h"
#include "engine/packed_angle.h"

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

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
    }
    // The split of a packed value may itself give 60 seconds or minutes (60.00000000000085″
    // from a point a rounding step short of the next minute): they are the next unit.
    if (S >= 60.0) {
        S = decimals >= 0 ? 0.0 : S - 60.0;
        M += 1.0;
    }
    if (M >= 60.0) {
        M -= 60.0;
        D += 1.0;
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

// Adds one to the whole degrees written in text[begin, end): "89" becomes "90", "359" "360".
void CarryIntoDegrees(std::string& text, std::size_t begin, std::size_t end) {
    std::size_t i = end;
    while (i > begin && text[i - 1] == '9') {
        text[--i] = '0';
    }
    if (i > begin && IsAsciiDigit(text[i - 1])) {
        ++text[i - 1];
    } else {
        text.insert(i, 1, '1');
    }
}

// Packed text rounded to its decimals may read 60 seconds or 60 minutes (89.5959999999 is
// 89.5960000000); the carry makes it the next minute or degree, as D:M:S output does. Works on
// the digits of text from begin, written with decimals > 0 decimals.
void CarryPackedDigits(std::string& text, std::size_t begin, int decimals) {
    const std::size_t dot = text.find('.', begin);
    if (dot == std::string::npos) {
        return;
    }
    const auto value = [&](std::size_t at, std::size_t count) {
        int v = 0;
        for (std::size_t i = 0; i < count; ++i) {
            v = v * 10 + (text[at + i] - '0');
        }
        return v;
    };
    const auto write = [&](std::size_t at, std::size_t count, int v) {
        for (std::size_t i = count; i-- > 0;) {
            text[at + i] = static_cast<char>('0' + v % 10);
            v /= 10;
        }
    };
    // The first two decimals are the minutes, the next two the whole seconds; with fewer
    // decimals the last one written counts tens.
    const std::size_t minuteDigits = decimals >= 2 ? 2 : 1;
    const int minuteLimit = decimals >= 2 ? 60 : 6;
    int carry = 0;
    if (decimals >= 3) {
        const std::size_t secondDigits = decimals >= 4 ? 2 : 1;
        const int secondLimit = decimals >= 4 ? 60 : 6;
        const int seconds = value(dot + 3, secondDigits);
        if (seconds >= secondLimit) {
            write(dot + 3, secondDigits, seconds - secondLimit);
            carry = 1;
        }
    }
    const int minutes = value(dot + 1, minuteDigits) + carry;
    if (minutes >= minuteLimit) {
        write(dot + 1, minuteDigits, minutes - minuteLimit);
        CarryIntoDegrees(text, begin, dot);
    } else if (carry) {
        write(dot + 1, minuteDigits, minutes);
    }
}

} // namespace

void AppendAngle(std::string& out, double packed, AngleFormat format, int decimals) {
    if (!std::isfinite(packed) || std::fabs(packed) >= 1e15) {
        AppendNumber(out, packed, decimals);
        return;
    }
    switch (format) {
    case AngleFormat::Packed: {
        const std::size_t begin = out.size();
        AppendNumber(out, packed, decimals);
        // The shortest text of a packed value a rounding step short of the next minute reads
        // 60 seconds (134.046 for 134°04′59.99999999999″): it carries as rounded text does.
        const std::size_t dot = out.find('.', begin);
        const int written = decimals >= 0 || dot == std::string::npos
                                ? decimals
                                : static_cast<int>(out.size() - dot - 1);
        if (written > 0) {
            CarryPackedDigits(out, begin, written);
        }
        // After a carry the shortest text is shorter still: 134.050 is 134.05.
        if (decimals < 0 && dot != std::string::npos) {
            while (out.back() == '0') {
                out.pop_back();
            }
            if (out.back() == '.') {
                out.pop_back();
            }
        }
        break;
    }
    case AngleFormat::Degrees:
        AppendNumber(out, PackedToDegrees(packed), decimals);
        break;
    case AngleFormat::Dms:
        AppendDms(out, packed, decimals);
        break;
    }
}
