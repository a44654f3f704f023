// Fitting transformation parameters to common points held in two files: each file read as
// gkconv reads records (its columns, angles, delimiter, header), the records matched by point
// name, and the fit made over the matched points. Points found in one file only, and points
// excluded by name, are left out and listed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "conversion/batch.h"
#include "conversion/parameter_file.h"
#include "conversion/settings.h"

struct FitRequest {
    FitModel model = FitModel::Helmert7;
    std::string sourcePath;
    std::string targetPath;
    // How both files are read: angles, columns (name, B, L, H or name, X, Y), delimiter and
    // header. Its operation is set from the model.
    Settings reading;
    // Helmert models: the ellipsoids of the two files' B L H.
    std::optional<NamedEllipsoid> from;
    std::optional<NamedEllipsoid> to;
    RotationConvention convention = RotationConvention::PositionVector;
    bool exactRotation = false;
    std::vector<std::string> exclude;
};

struct FitRun {
    enum class Status {
        Fitted,    // parameters holds the fit
        Refused,   // problem says why (too few points, a name twice in a file, …)
        FileError, // problem says which file and why
    };
    Status status = Status::Fitted;
    DatumParameters parameters;
    Problem problem;
    std::vector<RecordError> badRecords; // records that could not be read; their points are
                                         // then left out as found in one file only
};

FitRun RunFit(const FitRequest& request);
