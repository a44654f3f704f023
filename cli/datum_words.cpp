// English wordings of the datum problems.
#include "cli/datum_words.h"

std::string Words(const DatumProblem& p) {
    switch (p.code) {
    case DatumProblemCode::ParameterNotFinite:
        return "the parameter " + p.name + " is not a finite number";
    case DatumProblemCode::ScaleNotPositive:
        return "the scale difference makes the scale factor 1 + s/1000000 zero or negative";
    case DatumProblemCode::RotationWithoutConvention:
        return "rotations need their convention: position_vector or coordinate_frame";
    case DatumProblemCode::TooFewPoints:
        return std::to_string(p.count) + " common point" + (p.count == 1 ? "" : "s") +
               ", the model needs at least " + std::to_string(p.needed);
    case DatumProblemCode::RepeatedPoint:
        if (p.name == p.other) {
            return "point " + p.name + " is given twice";
        }
        return "points " + p.name + " and " + p.other +
               " lie within a millimetre of each other: one point given twice";
    case DatumProblemCode::CollinearPoints:
        return "the common points lie on one line, so the rotation about it is unknown; add "
               "points off the line or fit helmert3";
    case DatumProblemCode::PointsNotFinite:
        return "point " + p.name + " has a coordinate that is not a finite number";
    case DatumProblemCode::FitDidNotConverge:
        return "the points are not related by a transformation of this model (the "
               "least-squares iteration does not settle)";
    case DatumProblemCode::NameTwice:
        return "point " + p.name + " is in " + p.other + " twice (lines " +
               std::to_string(p.count) + " and " + std::to_string(p.needed) + ")";
    case DatumProblemCode::ExcludedNotFound:
        return "--exclude " + p.name + ": no common point has that name";
    }
    return "unknown problem";
}

std::string Words(const ParameterFileProblem& p, const std::string& file) {
    using Code = ParameterFileProblemCode;
    const std::string at = file + ": ";
    switch (p.code) {
    case Code::CannotRead:
        return "cannot read " + file + ": " + p.detail;
    case Code::CannotWrite:
        return "cannot write " + file + ": " + p.detail;
    case Code::TooLarge:
        return at + "larger than " + p.detail + " bytes, not a parameter file";
    case Code::TooDeep:
        return at + "nested deeper than " + p.detail + " levels, not a parameter file";
    case Code::Malformed:
        return at + "not JSON (" + p.detail + ")";
    case Code::NotAnObject:
        return at + "not a JSON object of parameters";
    case Code::MissingKey:
        return at + p.key + " is missing";
    case Code::WrongType:
        return at + p.key + " must be " + p.detail;
    case Code::OutOfRange:
        return at + p.key + " is out of range";
    case Code::UnknownModel:
        return at + "model '" + p.detail + "' is none of helmert7, helmert3, plane4";
    case Code::UnknownConvention:
        return at + "convention '" + p.detail + "' is neither position_vector nor coordinate_frame";
    case Code::UnknownRotation:
        return at + "rotation '" + p.detail + "' is neither small_angle nor exact";
    case Code::UnknownEllipsoid:
        return at + p.key + " '" + p.detail +
               "' is no preset (wgs84, xian80, beijing54, cgcs2000); give "
               "{\"a_m\": A, \"inverse_flattening\": INVF}";
    case Code::ParametersRefused:
        return at + p.key + ": " + (p.datum ? Words(*p.datum) : std::string("refused"));
    }
    return at + "unknown problem";
}
