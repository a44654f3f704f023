// The record of a fit as a parameter file keeps it ("fit": the points used and left out, m0,
// the standard deviations, the flag test and each point's residuals), read back so the window
// can show a saved file's fit as it showed it when fitted. The library reads a file's
// parameters and leaves this record to whoever wants it.
#pragma once

#include <optional>
#include <string>

#include "conversion/parameter_file.h"

// Nothing when the file has no fit record or one that is not whole.
std::optional<FitRecord> ReadFitRecord(const std::string& path, FitModel model);
std::optional<FitRecord> ParseFitRecord(const std::string& text, FitModel model);
