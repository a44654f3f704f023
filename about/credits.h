// The lines that rise through the About box's credits area, in order. Each non-empty line ends
// in a one-character format code that picks its look:
//   '\n' title, '\t' role header, '\r' highlighted text, '\b' the rest names a bitmap resource,
//   anything else (the list uses '\f') a name line. An empty line is a blank of the previous
//   line's height.
#pragma once

constexpr char kCreditsTitle = '\n';
constexpr char kCreditsHeader = '\t';
constexpr char kCreditsHighlight = '\r';
constexpr char kCreditsBitmap = '\b';
constexpr char kCreditsName = '\f';

constexpr int kCreditsCount = 40;
extern const char* const g_apszCredits[kCreditsCount];
