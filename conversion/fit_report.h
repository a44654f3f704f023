// The report of a fit from common points, as gkconv fit prints it and the datum window shows
// it: the parameters with their standard deviations, m0 and the redundancy, the rule that
// flags gross errors, and one line per point with its residuals, statistic and flag.
#pragma once

#include <string>

#include "conversion/parameter_file.h"

// parameters.fit must be present. Lines end in '\n'; numbers are written free of the process
// locale, metres to 0.1 mm.
std::string FitReport(const DatumParameters& parameters);
