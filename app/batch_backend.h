// The batch window's conversion: the window's settings turned into the converter's, and jobs
// and previews through the same file conversion gkconv runs, so both write the same bytes.
#pragma once

#include "app/batch_job.h"

#include "conversion/settings.h"

#include <string>

// The converter's settings for a request; on a refusal returns the reason in the windows'
// Chinese words and leaves settings half made.
std::string BatchSettings(const BatchRequest& request, Settings& settings);

// Jobs through ConvertFile, previews through PreviewFile.
BatchBackend FileConversionBackend();
