// The report of a fit from common points as the parameter window shows it: gkconv fit's report
// in Chinese, line for line, with every number written as gkconv writes it (the same decimals,
// free of the process locale), so the two agree to the last printed digit.
#pragma once

#include <string>

#include "conversion/fit_report.h"
#include "conversion/parameter_file.h"

// gkconv's report in the windows' words.
extern const FitReportWords kChineseFitReport;

// parameters.fit must be present. Lines end in '\n'.
std::string ChineseFitReport(const DatumParameters& parameters);

// Parameters that come with no fit (a file written by hand): the parameters alone.
std::string ChineseParameterReport(const DatumParameters& parameters);

// A residual as the points list shows it: metres written to 0.1 mm as the report writes them,
// then read as millimetres by moving the decimal point ("-0.0123" -> "-12.3"), so the list
// shows the report's digits and no others.
std::string Millimetres(double metres);
