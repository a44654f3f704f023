// Locale-independent number and angle text, on std::from_chars and std::to_chars.
#include "conversion/text_number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "engine/packed_angle.h"

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Tells a value too small for a double from one too large. from_chars reports both alike and
// leaves the value unset, so the C library's own parser decides, in the "C" locale whatever the
// process has set.
bool Underflows(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string copy(text);
    const double value = strtod_l(copy.c_str(), nullptr, cLocale);
    return std::isfinite(value);
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

ParseStatus ParseDms(std::string_view text, double& packed) {
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
            return ParseStatus::NotANumber;
        }
        text.remove_prefix(length);
        const Mark mark = TakeMark(text);
        int unit = next;
        if (mark == Mark::Colon) {
            // 30:30 and 30°30′ are two ways of writing; one angle uses one of them.
            if (marks || text.empty()) {
                return ParseStatus::NotANumber;
            }
            colons = true;
        } else if (mark == Mark::None) {
            if (!text.empty()) {
                return ParseStatus::NotANumber;
            }
        } else {
            if (colons) {
                return ParseStatus::NotANumber;
            }
            marks = true;
            unit = mark == Mark::Degrees ? 0 : mark == Mark::Minutes ? 1 : 2;
            if (unit < next) {
                return ParseStatus::MarksOutOfOrder;
            }
            // 30° 15′ 20″ in one field: a mark ends its number, so a blank after it is no
            // separator (without marks, 30 15 20 stays ambiguous and is refused).
            while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
                text.remove_prefix(1);
            }
        }
        if (unit > 2) {
            return ParseStatus::NotANumber;
        }
        parts[unit] = value;
        whole[unit] = !fraction;
        next = unit + 1;
    }
    if (next == 0) {
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
        // A value below the smallest double is as good as zero; overflow is no usable coordinate.
        value = 0.0;
        return Underflows(text) ? ParseStatus::Ok : ParseStatus::NotFinite;
    }
    if (ec != std::errc()) {
        return ParseStatus::NotANumber;
    }
    return std::isfinite(value) ? ParseStatus::Ok : ParseStatus::NotFinite;
}

ParseStatus ParseAngle(std::string_view text, AngleFormat format, double& packed) {
    if (format == AngleFormat::Packed) {
        const ParseStatus status = ParseNumber(text, packed);
        if (status == ParseStatus::Ok && !PackedBelowSixty(text, packed)) {
            return ParseStatus::SixtyOrMore;
        }
        return status;
    }
    if (format == AngleFormat::Degrees) {
        double degrees = 0.0;
        const ParseStatus status = ParseNumber(text, degrees);
        if (status == ParseStatus::Ok) {
            packed = DegreesToPacked(degrees);
        }
        return status;
    }
    return ParseDms(text, packed);
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

void AppendQuoted(std::string& out, std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::size_t shown = text.size();
    if (shown > kShown) {
        shown = kShown;
        // Never end inside a character: back up over UTF-8 continuation bytes.
        while (shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0) == 0x80) {
            --shown;
        }
    }
    out += '\'';
    for (const char c : text.substr(0, shown)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (u < 0x20 || u == 0x7F) {
            static const char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 0xF];
        } else {
            out += c;
        }
    }
    if (shown < text.size()) {
        out += "...";
    }
    out += '\'';
}
