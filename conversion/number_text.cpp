// Locale-independent number text, on std::from_chars and std::to_chars.
#include "conversion/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// Tells a value too small for a double from one too large. from_chars reports both alike and
// leaves the value unset, so the C library's own parser decides, in the "C" locale whatever the
// process has set.
bool Underflows(std::string_view text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string copy(text);
    const double value = strtod_l(copy.c_str(), nullptr, cLocale);
    return std::isfinite(value);
}

} // namespace

Result<double> ParseNumber(std::string_view text) {
    double value = 0.0;
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            return Problem{.code = ProblemCode::NotANumber};
        }
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ptr != end || text.empty()) {
        return Problem{.code = ProblemCode::NotANumber};
    }
    if (ec == std::errc::result_out_of_range) {
        // A value below the smallest double is as good as zero; overflow is no usable coordinate.
        if (Underflows(text)) {
            return 0.0;
        }
        return Problem{.code = ProblemCode::NotFinite};
    }
    if (ec != std::errc()) {
        return Problem{.code = ProblemCode::NotANumber};
    }
    if (!std::isfinite(value)) {
        return Problem{.code = ProblemCode::NotFinite};
    }
    return value;
}

void AppendNumber(std::string& out, double value, int decimals) {
    char buffer[400]; // fixed notation of the largest double with 17 decimals fits
    char* const first = buffer;
    char* last = nullptr;
    if (decimals < 0) {
        // Fixed notation also here: 1.0949463558063144e-07 written as seconds would read as
        // 1.09 to a person, and as no angle to the parser.
        last = std::to_chars(first, std::end(buffer), value, std::chars_format::fixed).ptr;
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
