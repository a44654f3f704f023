// Names the user types for operations, ellipsoids, angle formats and columns, and the checks
// of the options that describe the input.
#include "conversion/settings.h"

#include "engine/packed_angle.h"
#include "conversion/text_number.h"
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
        return ZoneSystem::Three();
    case Operation::SixToThree:
        return ZoneSystem::Six();
    default:
        return settings.zoneWidth == 3 ? ZoneSystem::Three() : ZoneSystem::Six();
    }
}

std::string ParseColumns(std::string_view list, Operation operation, ColumnLayout& layout) {
    const bool forward = operation == Operation::Forward || operation == Operation::Datum;
    const bool height = forward || operation == Operation::Inverse;
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
            return "--columns: '" + std::string(word) +
                   "' is not a column of this operation; use name, " + std::string(firstWord) +
                   ", " + std::string(secondWord) + (height ? ", H" : "") + " or -";
        }
        if (slot) {
            if (*slot >= 0) {
                return "--columns names '" + std::string(word) + "' twice";
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
        return "--columns must name both " + std::string(firstWord) + " and " +
               std::string(secondWord);
    }
    layout = result;
    return {};
}

std::string CheckDelimiter(char delimiter, AngleFormat angles) {
    const std::string_view numberChars = "0123456789.+-eE";
    if (numberChars.find(delimiter) != std::string_view::npos) {
        return std::string("--delimiter '") + delimiter + "' can be part of a number";
    }
    if (delimiter == '#') {
        return "--delimiter '#' starts a comment line";
    }
    // D:M:S angles are written with these marks; as a delimiter they would cut an angle apart.
    if (angles == AngleFormat::Dms &&
        std::string_view(":'\"").find(delimiter) != std::string_view::npos) {
        return std::string("--delimiter '") + delimiter +
               "' is part of D:M:S angles (--angles dms)";
    }
    return {};
}

std::string MakeEllipsoid(std::string_view aText, std::string_view alfaText,
                          std::optional<Ellipsoid>& ellipsoid) {
    double a = 0.0;
    if (ParseNumber(aText, a) != ParseStatus::Ok || Ellipsoid::Problem(a, 0.0) != nullptr) {
        return "--a must be a positive number of metres: got '" + std::string(aText) + "'";
    }
    double alfa = 0.0;
    const std::string alfaError = "--alfa must be an inverse flattening above 1, or 0 for a "
                                  "sphere: got '" +
                                  std::string(alfaText) + "'";
    if (ParseNumber(alfaText, alfa) != ParseStatus::Ok) {
        return alfaError;
    }
    // A sphere has no flattening; its inverse flattening is written 0, as geodetic files do.
    const double f = alfa == 0.0 ? 0.0 : 1.0 / alfa;
    if (Ellipsoid::Problem(a, f) != nullptr) {
        return alfaError;
    }
    ellipsoid.emplace(a, f);
    return {};
}

std::string ParseCentralMeridian(std::string_view text, double& degrees) {
    double value = 0.0;
    ParseStatus status = ParseNumber(text, value);
    if (status == ParseStatus::NotANumber) {
        double packed = 0.0;
        status = ParseAngle(text, AngleFormat::Dms, packed);
        value = PackedToDegrees(packed);
    }
    if (status != ParseStatus::Ok || !(value >= -180.0 && value < 360.0)) {
        return "--central-meridian must be a longitude from -180 to 360 degrees, decimal or "
               "D:M:S: got '" +
               std::string(text) + "'";
    }
    degrees = value < 0.0 ? value + 360.0 : value;
    return {};
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

std::string ProjectionProblem(const Settings& s) {
    const bool planeToPlane =
        s.operation != Operation::Forward && s.operation != Operation::Inverse;
    const bool standard = !s.centralMeridian && !s.zone && s.prefix && s.k0 == 1.0 &&
                          s.falseEasting == 500000.0 && s.falseNorthing == 0.0;
    if (planeToPlane && !standard) {
        return "--central-meridian, --zone, --no-prefix, --scale and the false origin apply to "
               "forward and inverse only; zone transforms work in the standard zones";
    }
    const ZoneSystem system = SourceZoneSystem(s);
    if (s.zone && !system.Exists(*s.zone)) {
        return "--zone " + std::to_string(*s.zone) + " is not a zone of the " +
               std::to_string(system.Width()) + "° system (1 to " +
               std::to_string(system.LastZone()) + ")";
    }
    if (s.centralMeridian && !(*s.centralMeridian >= -180.0 && *s.centralMeridian < 360.0)) {
        return "the central meridian must lie from -180° to below 360°";
    }
    const std::optional<int> zone = FixedZone(s);
    if (s.centralMeridian && s.prefix) {
        if (!zone) {
            return "a zone prefix names a zone's own central meridian; for a meridian of your "
                   "own give --no-prefix";
        }
        if (system.CentralMeridian(*zone) != *s.centralMeridian) {
            return "--zone " + std::to_string(*zone) +
                   " is centred on another meridian than "
                   "--central-meridian; give one of them, or --no-prefix";
        }
    }
    if (!s.prefix && !s.centralMeridian && !s.zone) {
        return "--no-prefix needs --central-meridian or --zone: without a prefix the easting "
               "does not say its zone";
    }
    if (s.prefix && !(s.falseEasting >= 0.0 && s.falseEasting < 1000000.0)) {
        return "--false-easting must lie from 0 to below 1000000 m while the easting carries "
               "a zone prefix in its millions";
    }
    if (const char* problem =
            Projection::Problem(ProjectionParamsOf(s, s.centralMeridian.value_or(0.0), zone))) {
        return problem;
    }
    return {};
}
