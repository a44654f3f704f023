// What can be wrong with datum parameters or common points, as values: a code and its
// arguments. The engine words nothing; each front end says it in its own language.
#pragma once

#include <string>
#include <utility>

enum class DatumProblemCode {
    ParameterNotFinite,        // name: the parameter
    ScaleNotPositive,          // 1 + s·10⁻⁶ would not be a positive factor
    RotationWithoutConvention, // a rotation given with neither position vector nor coordinate frame
    TooFewPoints,              // count, needed
    RepeatedPoint,             // name, other: the same point twice (by name or by position)
    CollinearPoints,           // the points lie on one line: the rotation about it is unknown
    PointsNotFinite,           // name: a coordinate that is not a finite number
    FitDidNotConverge,         // the points are not related by a transformation of this model
    NameTwice,        // name in the file other, at lines count and needed
    ExcludedNotFound, // name: a point to exclude that is not among the common points
};

struct DatumProblem {
    explicit DatumProblem(DatumProblemCode code, std::string name = {}, std::string other = {},
                          int count = 0, int needed = 0)
        : code(code), name(std::move(name)), other(std::move(other)), count(count), needed(needed) {
    }

    DatumProblemCode code;
    std::string name;  // the parameter or point concerned, if any
    std::string other; // the second point of a repeated pair
    int count = 0;     // points given
    int needed = 0;    // points the model needs
};
