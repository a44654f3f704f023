// What the parameter window asks of the library behind it: a fit of parameters to the common
// points of two files, read and matched as gkconv fit reads and matches them; a saved parameter
// file shown again; the parameters written as gkconv fit -o writes them. The window only
// shows what comes back (FitView) and never words a number itself, so its numbers are the
// report's to the last digit.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/batch_job.h"

enum class FitModelChoice { Helmert7, Helmert3, Plane4 };

// The window's settings for one fit.
struct FitInput {
    std::string source;
    std::string target;
    std::string columns; // as typed; empty for the default rule
    BatchAngles angles = BatchAngles::Degrees;
    bool header = false;
    FitModelChoice model = FitModelChoice::Helmert7;
    bool coordinateFrame = false;        // the rotations' convention; position vector otherwise
    std::string fromEllipsoid = "wgs84"; // preset keys
    std::string toEllipsoid = "beijing54";
    std::vector<std::string> exclude; // points the user unticked
};

// One row of the points list: a matched point (used or left out by the user), or a point
// found in one file only.
struct FitRow {
    std::string name;
    bool matched = true; // false: in one file only, and reason says which
    bool used = true;
    std::string reason;
    // The residuals as the report prints them, in millimetres: north, east, up (or x, y), and
    // their total; empty for a point without them.
    std::vector<std::string> residuals;
    std::string total;
    std::string statistic;
    bool flagged = false;
    // For the plot, in metres: position (east, north) and residual (east, north).
    bool placed = false;
    double x = 0.0;
    double y = 0.0;
    double vx = 0.0;
    double vy = 0.0;
};

struct FitView {
    bool fitted = false;
    std::string message; // the refusal, in the windows' Chinese; empty when fitted
    std::string report;  // the fit's report, in Chinese
    bool helmert = true; // residual columns: north, east, up; or x, y
    std::vector<FitRow> rows;
    std::size_t used = 0;
    std::string parameterText; // the parameter file's bytes
};

struct FitBackend {
    std::function<FitView(const FitInput& input)> compute;
    // A saved parameter file, shown: its report and its points, without positions.
    std::function<FitView(const std::string& path)> load;
    // Writes a view's parameter text to path; the refusal in Chinese, or empty.
    std::function<std::string(const std::string& path, const std::string& text)> save;
};
