// Names the user types for operations, ellipsoids, angle formats and columns, and the checks
// of the options that describe the input.
#include "conversion/settings.h"

#include <cmath>

#include "conversion/angle_parsing.h"
#include "conversion/number_text.h"
#include "engine/packed_angle.h"
#include "engine/zone_system.h"

std::optional<Operation> OperationByName(std::string_view name) {
    if (name == "forward") {
        return Operation::Forward;
    }
    if (name == "inverse") {
        return Operation::Inverse;
    }
    if (name == "adjacent") {
        return Operation::Adjacent;
    }
    if (name == "3to6") {
        return Operation::ThreeToSix;
    }
    if (name == "6to3") {
        return Operation::SixToThree;
    }
    if (name == "datum") {
        return Operation::Datum;
    }
    if (name == "plane") {
        return Operation::Plane;
    }
    return std::nullopt;
}

std::optional<AngleFormat> AngleFormatByName(std::string_view name) {
    if (name == "packed") {
        return AngleFormat::Packed;
    }
    if (name == "deg") {
        return AngleFormat::Degrees;
    }
    if (name == "dms") {
        return AngleFormat::Dms;
    }
    return std::nullopt;
}

ZoneSystem SourceZoneSystem(const Settings& settings) {
    switch (settings.operation) {
    case Operation::ThreeToSix:
        return ZoneSystem::Three().WithRule(settings.zoneRule);
    case Operation::SixToThree:
        return ZoneSystem::Six().WithRule(settings.zoneRule);
    default:
        return (settings.zoneWidth == 3 ? ZoneSystem::Three() : ZoneSystem::Six())
            .WithRule(settings.zoneRule);
    }
}

Result<ColumnLayout> ParseColumns(std::string_view list, Operation operation) {
    const bool forward = operation == Operation::Forward || operation == Operation::Datum;
    const bool height = forward || operation == Operation::Inverse;
    const Quantity quantity = forward ? Quantity::Latitude : Quantity::Northing;
    const std::string_view firstWord = forward ? "B" : "X";
    const std::string_view secondWord = forward ? "L" : "Y";
    ColumnLayout result;
    result.given = true;
    result.first = -1;
    result.second = -1;
    int index = 0;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view word = list.substr(0, comma);
        int* slot = nullptr;
        if (word == "name") {
            slot = &result.name;
        } else if (word == firstWord) {
            slot = &result.first;
        } else if (word == secondWord) {
            slot = &result.second;
        } else if (height && word == "H") {
            slot = &result.height;
        } else if (word != "-") {
            return Problem{.code = height ? ProblemCode::ColumnUnknownWithHeight
                                          : ProblemCode::ColumnUnknown,
                           .field = index + 1,
                           .quantity = quantity,
                           .text = std::string(word)};
        }
        if (slot) {
            if (*slot >= 0) {
                return Problem{.code = ProblemCode::ColumnTwice,
                               .field = index + 1,
                               .quantity = quantity,
                               .text = std::string(word)};
            }
            *slot = index;
        }
        ++index;
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
    }
    if (result.first < 0 || result.second < 0) {
        return Problem{.code = ProblemCode::ColumnsMissing, .quantity = quantity};
    }
    return result;
}

Result<void> CheckDelimiter(char delimiter, AngleFormat angles) {
    const std::string text(1, delimiter);
    const std::string_view numberChars = "0123456789.+-eE";
    if (numberChars.find(delimiter) != std::string_view::npos) {
        return Problem{.code = ProblemCode::DelimiterInNumber, .text = text};
    }
    if (delimiter == '#') {
        return Problem{.code = ProblemCode::DelimiterStartsComment, .text = text};
    }
    // D:M:S angles are written with these marks; as a delimiter they would cut an angle apart.
    if (angles == AngleFormat::Dms &&
        std::string_view(":'\"").find(delimiter) != std::string_view::npos) {
        return Problem{.code = ProblemCode::DelimiterInDms, .text = text};
    }
    return {};
}

Result<Ellipsoid> MakeEllipsoid(std::string_view aText, std::string_view alfaText) {
    const Result<double> a = ParseNumber(aText);
    if (!a || !Ellipsoid::Check(*a, 0.0)) {
        return Problem{.code = ProblemCode::EllipsoidAxisText, .text = std::string(aText)};
    }
    const Problem alfaProblem{.code = ProblemCode::EllipsoidInverseFlattening,
                              .text = std::string(alfaText)};
    const Result<double> alfa = ParseNumber(alfaText);
    if (!alfa) {
        return alfaProblem;
    }
    // A sphere has no flattening; its inverse flattening is written 0, as geodetic files do.
    const double f = *alfa == 0.0 ? 0.0 : 1.0 / *alfa;
    if (!Ellipsoid::Check(*a, f)) {
        return alfaProblem;
    }
    if (!(*a >= kLeastSemiMajorAxis && *a <= kMostSemiMajorAxis)) {
        return Problem{.code = ProblemCode::EllipsoidAxisOutOfRange, .text = std::string(aText)};
    }
    if (*alfa != 0.0 && !(*alfa >= kLeastInverseFlattening)) {
        return Problem{.code = ProblemCode::InverseFlatteningOutOfRange,
                       .text = std::string(alfaText)};
    }
    return Ellipsoid(*a, f);
}

Result<double> ParseCentralMeridian(std::string_view text, AngleFormat angles) {
    // D:M:S is read in every run: it cannot be mistaken for another form.
    // A plain number in a D:M:S run has no marks to read: it is decimal degrees.
    const bool dms = text.find_first_not_of("+-0123456789.eE") != std::string_view::npos;
    const AngleFormat form = dms                          ? AngleFormat::Dms
                             : angles == AngleFormat::Dms ? AngleFormat::Degrees
                                                          : angles;
    const Result<double> packed = ParseAngle(text, form);
    const double degrees = packed ? PackedToDegrees(*packed) : 0.0;
    if (!packed || !(degrees >= -180.0 && degrees < 360.0)) {
        return Problem{.code = ProblemCode::CentralMeridianText, .text = std::string(text)};
    }
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

ProjectionParams ProjectionParamsOf(const Settings& s, double centralMeridian,
                                    std::optional<int> prefix) {
    return {s.ellipsoid, centralMeridian, s.k0, s.falseEasting, s.falseNorthing, prefix, s.method};
}

std::optional<int> FixedZone(const Settings& s) {
    if (s.zone) {
        return s.zone;
    }
    if (!s.centralMeridian) {
        return std::nullopt;
    }
    const ZoneSystem system = SourceZoneSystem(s);
    const Zone zone = system.ZoneOfLongitude(*s.centralMeridian);
    if (system.Exists(zone.number) && zone.centralMeridian == *s.centralMeridian) {
        return zone.number;
    }
    return std::nullopt;
}

Result<void> CheckProjection(const Settings& s) {
    const bool planeToPlane =
        s.operation != Operation::Forward && s.operation != Operation::Inverse;
    const bool standard = !s.centralMeridian && !s.zone && s.prefix && s.k0 == 1.0 &&
                          s.falseEasting == 500000.0 && s.falseNorthing == 0.0;
    if (planeToPlane && !standard) {
        return Problem{.code = ProblemCode::TransformNeedsStandardZones};
    }
    if (s.targetZone) {
        const ZoneSystem target =
            s.operation == Operation::ThreeToSix ? ZoneSystem::Six() : ZoneSystem::Three();
        if ((s.operation != Operation::ThreeToSix && s.operation != Operation::SixToThree) ||
            !target.Exists(*s.targetZone)) {
            return Problem{.code = ProblemCode::ZoneNotInSystem,
                           .zone = *s.targetZone,
                           .width = target.Width()};
        }
    }
    const ZoneSystem system = SourceZoneSystem(s);
    if (s.zone && !system.Exists(*s.zone)) {
        return Problem{
            .code = ProblemCode::ZoneNotInSystem, .zone = *s.zone, .width = system.Width()};
    }
    if (s.centralMeridian && !(*s.centralMeridian >= -180.0 && *s.centralMeridian < 360.0)) {
        return Problem{.code = ProblemCode::CentralMeridianOutOfRange, .value = *s.centralMeridian};
    }
    const std::optional<int> zone = FixedZone(s);
    if (s.centralMeridian && s.prefix) {
        if (!zone) {
            return Problem{.code = ProblemCode::PrefixNeedsZoneMeridian,
                           .value = *s.centralMeridian,
                           .width = system.Width()};
        }
        if (system.CentralMeridian(*zone) != *s.centralMeridian) {
            return Problem{.code = ProblemCode::ZoneMeridianDiffers,
                           .value = *s.centralMeridian,
                           .zone = *zone,
                           .width = system.Width()};
        }
    }
    if (!s.prefix && !s.centralMeridian && !s.zone) {
        return Problem{.code = ProblemCode::NoPrefixNeedsMeridian};
    }
    if (s.prefix && !(s.falseEasting >= 0.0 && s.falseEasting < 1000000.0)) {
        return Problem{.code = ProblemCode::FalseEastingWithPrefix, .value = s.falseEasting};
    }
    if (Result<void> check =
            Projection::Check(ProjectionParamsOf(s, s.centralMeridian.value_or(0.0), zone));
        !check) {
        return check;
    }
    if (!(s.k0 >= kLeastScale && s.k0 <= kMostScale)) {
        return Problem{.code = ProblemCode::ScaleOutOfRange, .value = s.k0};
    }
    for (const double origin : {s.falseEasting, s.falseNorthing}) {
        if (!(std::fabs(origin) <= kFalseOriginReach)) {
            return Problem{.code = ProblemCode::FalseOriginOutOfRange, .value = origin};
        }
    }
    return {};
}
