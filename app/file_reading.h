// How the batch and parameter windows read a file of points, as gkconv's options set it: the
// angle form, whether the first line is a header, and the column list.
#pragma once

#include "app/batch_job.h"
#include "conversion/settings.h"

#include <string>

AngleFormat AngleFormatOf(BatchAngles angles);

// Sets s's angle form, header and columns; the columns are read for s.operation, which must be
// set. The problem with the column list, if any.
Result<void> SetFileReading(Settings& s, BatchAngles angles, bool header,
                            const std::string& columns);
