// The English table: one pattern per problem code.
#include "cli/english_words.h"

#include <cstring>

namespace {

using C = ProblemCode;

const ProblemPattern kPatterns[] = {
    {C::None, "no problem"},
    {C::SemiMajorAxis, "the semi-major axis must be a positive finite length"},
    {C::Flattening,
     "the flattening must lie in [0, 1) (an inverse flattening above 1, or 0 for none)"},
    {C::CentralMeridianNotFinite, "the central meridian must be a finite longitude"},
    {C::ScaleNotPositive, "the scale factor k0 must be positive and finite"},
    {C::FalseOriginNotFinite, "the false easting and northing must be finite"},
    {C::ColumnUnknown,
     "--columns: '{text}' is not a column of this operation; use name, {first}, {second} or -"},
    {C::ColumnTwice, "--columns names '{text}' twice"},
    {C::ColumnsMissing, "--columns must name both {first} and {second}"},
    {C::DelimiterInNumber, "--delimiter '{text}' can be part of a number"},
    {C::DelimiterStartsComment, "--delimiter '{text}' starts a comment line"},
    {C::DelimiterInDms, "--delimiter '{text}' is part of D:M:S angles (--angles dms)"},
    {C::EllipsoidAxisText, "--a must be a positive number of metres: got '{text}'"},
    {C::EllipsoidInverseFlattening,
     "--alfa must be an inverse flattening above 1, or 0 for a sphere: got '{text}'"},
    {C::CentralMeridianText, "--central-meridian must be a longitude from -180 to 360 degrees, "
                             "decimal or D:M:S: got '{text}'"},
    {C::TransformNeedsStandardZones,
     "--central-meridian, --zone, --no-prefix, --scale and the false origin apply to forward "
     "and inverse only; zone transforms work in the standard zones"},
    {C::ZoneNotInSystem, "--zone {zone} is not a zone of the {width}° system (1 to {last})"},
    {C::CentralMeridianOutOfRange, "the central meridian must lie from -180° to below 360°"},
    {C::PrefixNeedsZoneMeridian, "a zone prefix names a zone's own central meridian; for a "
                                 "meridian of your own give --no-prefix"},
    {C::ZoneMeridianDiffers, "--zone {zone} is centred on another meridian than "
                             "--central-meridian; give one of them, or --no-prefix"},
    {C::NoPrefixNeedsMeridian, "--no-prefix needs --central-meridian or --zone: without a prefix "
                               "the easting does not say its zone"},
    {C::FalseEastingWithPrefix, "--false-easting must lie from 0 to below 1000000 m while the "
                                "easting carries a zone prefix in its millions"},
    {C::EllipsoidAxisOutOfRange,
     "--a must lie from 6000000 to 7000000 m for an Earth ellipsoid: got '{text}'"},
    {C::InverseFlatteningOutOfRange,
     "--alfa must be at least 100 for an Earth ellipsoid, or 0 for a sphere: got '{text}'"},
    {C::ScaleOutOfRange, "--scale must lie from 0.9 to 1.1: got {number}"},
    {C::FalseOriginOutOfRange,
     "--false-easting and --false-northing must lie within ±100000000 m: got {number}"},
    {C::NotANumber, "{what} {q} is not a number"},
    {C::NotDmsAngle, "{what} {q} is not a D:M:S angle"},
    {C::NotFinite, "{what} {q} is not a finite number"},
    {C::DegreesMinutesNotWhole, "{what} {q}: degrees and minutes must be whole numbers"},
    {C::SixtyOrMore, "{what} {q}: minutes and seconds must be below 60"},
    {C::MarksOutOfOrder,
     "{what} {q}: degree, minute and second marks must each come once, in that order"},
    {C::FieldsMissing, "expected {needed} fields, found {count}"},
    {C::CoordinatesMissing, "expected two coordinates"},
    {C::CoordinatesMissingAfterName, "expected two coordinates after the point name {q}"},
    {C::LatitudeBeyond90, "{what} {q} is beyond ±90°"},
    {C::LongitudeOutside360, "{what} {q} is outside 0° to 360°"},
    {C::FarFromChosenMeridian, "{what} {q} lies {fixed4}° from the central meridian, beyond the "
                               "{bound}° a chosen meridian or zone takes"},
    {C::ZoneWithoutPrefix, "{what} {q} lies in zone {zone} of the {width}° system, which has no "
                           "zone prefix (zones 1 to {last})"},
    {C::PrefixNotInSystem, "{what} {q} has zone prefix {whole}, not a {width}° zone (1 to {last})"},
    {C::PrefixNotChosenZone, "{what} {q} has zone prefix {whole}, not the chosen zone {zone}"},
    {C::InverseBeyondReach, "{what} {q} puts the point more than {bound}° from the central "
                            "meridian, farther than a chosen meridian or zone takes"},
    {C::InverseBeyondZoneReach, "{what} {q} puts the point {fixed4}° from the central meridian of "
                                "zone {zone}, beyond the {bound}° gkconv converts"},
    {C::BeyondPole, "{what} {q} lies beyond the pole"},
    {C::TargetZoneWithoutPrefix,
     "{what} {q} leads to zone {zone}, not a {width}° zone (1 to {last})"},
    {C::EastingLeavesZone, "{what} {q} puts the easting outside the millions of zone {zone}, "
                           "where its prefix would name another zone"},
    {C::BeyondEastingReach, "{what} {q} puts the point more than 500 km from the central "
                            "meridian of zone {zone}, beyond what its easting can carry"},
    {C::NoFiniteResult, "the coordinates give no finite result"},
    {C::LineTooLong, "line longer than {bound} bytes, skipped"},
    {C::FirstFieldReadAsCoordinate,
     "note: the first field {q} is read as the {what}, and the record holds more numbers; if it "
     "numbers the points, name the fields: --columns name,{first},{second},-"},
    {C::SeriesBeyondFourDegrees,
     "note: points converted more than {bound}° from the central meridian: {count}, the "
     "farthest {fixed4}°; the series is off there by up to 12 mm forward and 48 mm inverse, "
     "--method krueger is exact"},
    {C::CannotRead, "cannot read {file}: {error}"},
    {C::CannotWrite, "cannot write {file}: {error}"},
    {C::CannotWriteInFolder, "cannot write {file}: its folder {other} refuses a new file: {error}"},
    {C::OutputIsInput, "cannot write {file}: it is the input {other}"},
    {C::PreviewNotRegular, "cannot preview {file}: not a regular file"},
    {C::InputNotRegular, "cannot read {file}: not a regular file"},
    {C::CrsNotACode, "--crs takes an EPSG code, EPSG:NNNN: got {q}"},
    {C::CrsUnknown, "EPSG:{whole} is not one of the Gauss-Krueger systems of CGCS2000, Xi'an 1980, "
                    "Beijing 1954 and New Beijing that gkconv knows; the nearest are {other}"},
    {C::CrsOptionDiffers, "{text} says otherwise than {other}, which sets it; leave {text} out or "
                          "give the code's own value"},
    {C::CrsNotForOperation, "adjacent moves each point into its own neighbouring zone; {other} "
                            "names one system (give it to forward, inverse, 3to6 or 6to3)"},
    {C::CrsTargetWidth, "{text} writes {width}-degree zones: {other} is not one"},
    {C::CrsDeprecated, "note: {text} is deprecated; {other} is the same system"},
    {C::DatumParameterNotFinite, "{other} is not a finite number"},
    {C::DatumScaleNotPositive,
     "{other}: the scale difference makes the scale factor 1 + s/1000000 zero or negative"},
    {C::RotationWithoutConvention,
     "rotations need their convention: position_vector or coordinate_frame"},
    {C::TooFewCommonPoints, "too few common points: {count}, the model needs at least {needed}"},
    {C::CommonPointRepeated,
     "points {text} and {other} lie within a millimetre of each other: one point given twice"},
    {C::CommonPointNameTwice, "point {text} is in {other} twice (lines {count} and {needed})"},
    {C::CommonPointsCollinear, "the common points lie on one line, so the rotation about it is "
                               "unknown; add points off the line or fit helmert3"},
    {C::CommonPointNotFinite, "point {text} has a coordinate that is not a finite number"},
    {C::FitDidNotConverge, "the points are not related by a transformation of this model (the "
                           "least-squares iteration does not settle)"},
    {C::ExcludedPointUnknown, "--exclude {text}: no common point has that name"},
    {C::CommonPointWithoutName, "a common point needs a name to be matched by"},
    {C::ColumnUnknownWithHeight, "--columns: '{text}' is not a column of this operation; use "
                                 "name, {first}, {second}, H or -"},
    {C::ParameterFileTooLarge, "larger than {bound} bytes, not a parameter file"},
    {C::ParameterFileTooDeep, "nested deeper than {bound} levels, not a parameter file"},
    {C::ParameterFileMalformed, "not JSON (reading stopped at byte {count})"},
    {C::ParameterFileNotObject, "not a JSON object of parameters"},
    {C::ParameterKeyMissing, "{other} is missing"},
    {C::ParameterNotNumber, "{other} must be a number"},
    {C::ParameterNotText, "{other} must be a string"},
    {C::ParameterEllipsoidForm, "{other} must be a preset's name or an object with a_m and "
                                "inverse_flattening"},
    {C::ParameterOutOfRange, "{other} is out of range"},
    {C::ParameterUnknownModel, "model '{text}' is none of helmert7, helmert3, plane4"},
    {C::ParameterUnknownConvention,
     "convention '{text}' is neither position_vector nor coordinate_frame"},
    {C::ParameterUnknownRotation, "rotation '{text}' is neither small_angle nor exact"},
    {C::ParameterUnknownEllipsoid, "{other} '{text}' is no preset (wgs84, xian80, beijing54, "
                                   "cgcs2000); give an object with a_m and inverse_flattening"},
    {C::ParameterWrongModel, "holds {text} parameters; this needs {other}"},
};

std::string SystemError(int error) {
    return std::strerror(error);
}

const ProblemWords kWords{
    kPatterns,
    {"latitude", "longitude", "northing", "easting", "height"},
    "standard output",
    SystemError,
};

} // namespace

const ProblemWords& EnglishWords() {
    return kWords;
}

std::string English(const Problem& problem) {
    return WordProblem(problem, kWords);
}
