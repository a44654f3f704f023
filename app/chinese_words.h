// The windows' words for every problem: Chinese, naming the windows' own controls.
#pragma once

#include <string>

#include "conversion/problem_words.h"

const ProblemWords& ChineseWords();

// The problem as the windows show it.
std::string Chinese(const Problem& problem);
