// gkconv's options in EPSG's terms: --crs EPSG:NNNN sets the projection of a code, --zone-rule
// chooses how a point's zone is found from its longitude, and describe prints the settings as a
// PROJ string with the EPSG codes that name them.
#pragma once

#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "conversion/settings.h"
#include "engine/problem.h"

struct CrsOptions {
    std::string crs;
    std::string zoneRule = "form";
};

void AddCrsOptions(CLI::App& app, CrsOptions& options);

// Whether a code was given: it stands in for -w.
bool CrsGiven(const CLI::App& app);

// Applies --zone-rule and --crs to the settings the other options made, before their
// projection is checked. An option given that says otherwise than the code is refused; a
// deprecated code is taken, with a note on stderr naming its replacement.
Result<void> ApplyCrsOptions(const CrsOptions& options, const CLI::App& app, Settings& settings);

// gkconv describe: the settings' projection as a PROJ string, and the EPSG codes that name it.
void Describe(const Settings& settings, std::FILE* out);
