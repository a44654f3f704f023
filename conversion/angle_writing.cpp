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
        if (decimals > 0) {
            CarryPackedDigits(out, begin, decimals);
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
