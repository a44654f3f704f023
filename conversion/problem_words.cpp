// Filling a front end's pattern in with a problem's arguments.
#include "conversion/problem_words.h"

#include <charconv>
#include <cmath>

#include "conversion/number_text.h"

namespace {

void AppendShortest(std::string& out, double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, std::end(buffer), value);
    out.append(buffer, result.ptr);
}

bool FirstIsLatitude(Quantity quantity) {
    return quantity == Quantity::Latitude || quantity == Quantity::Longitude;
}

void AppendArgument(std::string& out, std::string_view name, const Problem& p,
                    const ProblemWords& words) {
    if (name == "what") {
        if (p.quantity != Quantity::None) {
            out += words.quantities[static_cast<int>(p.quantity) - 1];
        }
    } else if (name == "q") {
        AppendQuoted(out, p.text);
    } else if (name == "text") {
        out += p.text;
    } else if (name == "other") {
        out += p.other;
    } else if (name == "file") {
        out += p.text.empty() ? std::string(words.standardOutput) : p.text;
    } else if (name == "number") {
        AppendShortest(out, p.value);
    } else if (name == "whole") {
        // A value beyond what an int holds is still written as the number it is.
        if (std::fabs(p.value) < 1e15) {
            AppendNumber(out, p.value, 0);
        } else {
            AppendShortest(out, p.value);
        }
    } else if (name == "fixed4") {
        AppendNumber(out, p.value, 4);
    } else if (name == "bound") {
        AppendShortest(out, p.bound);
    } else if (name == "zone") {
        out += std::to_string(p.zone);
    } else if (name == "width") {
        out += std::to_string(p.width);
    } else if (name == "last") {
        out += std::to_string(p.width == 3 ? 120 : 60);
    } else if (name == "count") {
        out += std::to_string(p.count);
    } else if (name == "needed") {
        out += std::to_string(p.needed);
    } else if (name == "field") {
        out += std::to_string(p.field);
    } else if (name == "first") {
        out += FirstIsLatitude(p.quantity) ? "B" : "X";
    } else if (name == "second") {
        out += FirstIsLatitude(p.quantity) ? "L" : "Y";
    } else if (name == "error") {
        out += words.systemError(p.error);
    } else {
        out += '{';
        out += name;
        out += '}';
    }
}

} // namespace

std::string_view PatternOf(ProblemCode code, const ProblemWords& words) {
    for (const ProblemPattern& entry : words.patterns) {
        if (entry.code == code) {
            return entry.pattern;
        }
    }
    return {};
}

std::string WordProblem(const Problem& problem, const ProblemWords& words) {
    std::string_view pattern = PatternOf(problem.code, words);
    if (pattern.empty()) {
        return "#" + std::to_string(static_cast<int>(problem.code));
    }
    std::string out;
    for (;;) {
        const std::size_t open = pattern.find('{');
        const std::size_t close = pattern.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            out += pattern;
            return out;
        }
        out += pattern.substr(0, open);
        AppendArgument(out, pattern.substr(open + 1, close - open - 1), problem, words);
        pattern.remove_prefix(close + 1);
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
