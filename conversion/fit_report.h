// The report of a fit from common points, as gkconv fit prints it and the datum window shows
// it: the parameters with their standard deviations, m0 and the redundancy, the rule that
// flags gross errors, and one line per point with its residuals, statistic and flag. One layout
// (the order, the columns, every number's form) in the words of each language.
#pragma once

#include <cstddef>
#include <string>

#include "conversion/parameter_file.h"

// The words of the report in one language. Each is put in as it stands, so it carries its own
// spaces and punctuation; "lines" end in '\n', "headings" do not.
struct FitReportWords {
    const char* (*model)(FitModel);
    const char* positionVector;
    const char* coordinateFrame;
    const char* exactRotation;
    const char* smallAngleRotation;
    const char* countBefore; // around the number of common points
    const char* countAfter;
    const char* noFitRecord; // after the model, for parameters that come without a fit
    const char* leftOut;     // before a left-out point's name
    const char* why[3];      // by LeftOutPoint::Why
    const char* parameterHeading;
    // A parameter's unit in its key ("tx_m"), or in a column of its own after its numbers.
    bool unitInKey;
    const char* metre;
    const char* arcsecond;
    const char* ppm;
    const char* redundancy; // before the redundancy
    const char* m0;         // between the redundancy and m0
    const char* metres;     // after m0
    const char* exactFit;   // in place of m0 when there is no redundancy
    const char* flagRule;   // lines
    // Around F's dimensions and redundancy, the significance in %, the threshold and the floor
    // of m0 in millimetres; the last ends the line.
    const char* flagThreshold[6];
    const char* nothingTestable; // line
    const char* pointHeading;
    std::size_t pointHeadingPad; // bytes the point heading takes beyond the names' width
    const char* planeResidualHeadings;
    const char* helmertResidualHeadings;
    const char* statisticHeadings;
    const char* flagMark; // after a flagged point's line
    const char* noneFlagged;
    const char* flaggedBefore; // around the number of points flagged
    const char* flaggedOne;
    const char* flaggedMany;

    const char* Why(LeftOutPoint::Why reason) const { return why[static_cast<int>(reason)]; }
};

// gkconv's words.
extern const FitReportWords kEnglishFitReport;

// parameters.fit must be present. Lines end in '\n'; numbers are written free of the process
// locale, metres to 0.1 mm.
std::string FitReport(const DatumParameters& parameters,
                      const FitReportWords& words = kEnglishFitReport);

// Parameters that come with no fit (a file written by hand): the parameters alone.
std::string ParameterReport(const DatumParameters& parameters, const FitReportWords& words);
