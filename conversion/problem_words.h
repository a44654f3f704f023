// Problems in words: each front end keeps one table with a pattern for every problem code, and
// this fills a pattern in with the problem's arguments. The patterns are the front end's own
// sentences; nothing here chooses a word.
//
// A pattern's placeholders:
//   {what}    the quantity a field was read as, in the table's words
//   {q}       the offending text in single quotes, shortened and escaped to one readable line
//   {text}    the offending text as given;  {other}  the second text
//   {file}    the text, or the table's name for standard output when it is empty
//   {number}  the value, shortest;  {whole}  the value as a whole number;  {fixed4}  4 decimals
//   {bound}   the bound, shortest
//   {zone} {width} {count} {needed} {field}, and {last}: the last zone of the width's system
//   {first} {second}  the names of an operation's two coordinate columns (B L, or X Y)
//   {error}   the system error, in the table's words
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/problem.h"

struct ProblemPattern {
    ProblemCode code;
    std::string_view pattern;
};

struct ProblemWords {
    std::span<const ProblemPattern> patterns; // one for each code, in any order
    // Latitude, longitude, northing and easting, in the order of Quantity after None.
    std::string_view quantities[4];
    std::string_view standardOutput;
    std::string (*systemError)(int error);
};

// The pattern for a code, or an empty view when the table has none.
std::string_view PatternOf(ProblemCode code, const ProblemWords& words);

// The problem in the table's words; a code the table lacks is named by its number.
std::string WordProblem(const Problem& problem, const ProblemWords& words);

// text in single quotes for a message: at most 40 bytes, cut between UTF-8 characters, with
// control characters and backslashes escaped so that the message stays one readable line.
void AppendQuoted(std::string& out, std::string_view text);
