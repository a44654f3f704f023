// gkconv's words for every problem: English, naming gkconv's own options. Scripts read these
// messages, so they stay as they are.
#pragma once

#include <string>

#include "conversion/problem_words.h"

const ProblemWords& EnglishWords();

// The problem as gkconv writes it.
std::string English(const Problem& problem);
