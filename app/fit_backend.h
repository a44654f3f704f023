// The parameter window's fits through gk_batch: the window's settings become a FitRequest as
// gkconv fit's options do, the fit is RunFit's, the report is worded from its numbers, and the
// parameter file is the text gkconv fit -o writes.
#pragma once

#include "app/fit_job.h"

#include "conversion/common_points.h"

// The request for the window's settings, or the refusal in the windows' Chinese.
Result<FitRequest> MakeFitRequest(const FitInput& input);

// What the window shows of a fit's outcome; positions, when given (name -> east, north in
// metres), place the points in the plot.
FitView ViewOfFit(const FitRun& run, const FitInput& input);

FitBackend CommonPointBackend();
