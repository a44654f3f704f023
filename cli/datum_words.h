// gkconv's English words for the problems of datum parameters, parameter files and common
// points.
#pragma once

#include <string>

#include "conversion/parameter_file.h"

std::string Words(const DatumProblem& problem);
// file: the parameter file's name, which every message starts with.
std::string Words(const ParameterFileProblem& problem, const std::string& file);
