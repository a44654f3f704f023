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
    {C::TargetZoneWithoutPrefix, "{what} {q} leads to zone {zone}, not a {width}° zone (1 to {last})"},
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
};

std::string SystemError(int error) {
    return std::strerror(error);
}

const ProblemWords kWords{
    kPatterns,
    {"latitude", "longitude", "northing", "easting"},
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
