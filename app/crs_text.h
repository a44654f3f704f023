// The batch window's words for EPSG codes: which codes name the projection the settings
// describe, in one line under the settings.
#pragma once

#include <string>

#include "conversion/crs_settings.h"

// "当前设置即 EPSG:4547（CGCS2000 三度带）：中央子午线 114°，Y 不带带号", or, when each point finds
// its own zone, the rule in force and the codes of those zones.
std::string ChineseCrsText(const ProjectionDescription& description, const Settings& settings);
