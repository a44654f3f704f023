// Names the user types for operations, ellipsoids, angle formats and columns, and the checks
// of the options that describe the input.
#include "settings.h"

#include "text_number.h"

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
    return std::nullopt;
}

std::optional<EllipsoidPreset> EllipsoidByName(std::string_view name) {
    // The desktop program's WGS1984 carries ten decimals of alfa; keep the same so that both
    // give the same numbers.
    if (name == "wgs84") {
        return EllipsoidPreset{6378137.0, 298.2572235635};
    }
    if (name == "xian80") {
        return EllipsoidPreset{6378140.0, 298.257};
    }
    if (name == "beijing54") {
        return EllipsoidPreset{6378245.0, 298.3};
    }
    if (name == "cgcs2000") {
        return EllipsoidPreset{6378137.0, 298.257222101};
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

int SourceZoneWidth(const Settings& settings) {
    switch (settings.operation) {
    case Operation::ThreeToSix:
        return 3;
    case Operation::SixToThree:
        return 6;
    default:
        return settings.zoneWidth;
    }
}

std::string ParseColumns(std::string_view list, Operation operation, ColumnLayout& layout) {
    const bool forward = operation == Operation::Forward;
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
        } else if (word != "-") {
            return "--columns: '" + std::string(word) +
                   "' is not a column of this operation; use name, " + std::string(firstWord) +
                   ", " + std::string(secondWord) + " or -";
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

std::string MakeEllipsoid(std::string_view aText, std::string_view alfaText, double& a, double& f) {
    double aValue = 0.0;
    if (ParseNumber(aText, aValue) != ParseStatus::Ok || !(aValue > 0.0)) {
        return "--a must be a positive number of metres: got '" + std::string(aText) + "'";
    }
    double alfa = 0.0;
    if (ParseNumber(alfaText, alfa) != ParseStatus::Ok || !(alfa > 1.0 || alfa == 0.0)) {
        return "--alfa must be an inverse flattening above 1, or 0 for a sphere: got '" +
               std::string(alfaText) + "'";
    }
    a = aValue;
    // A sphere has no flattening; its inverse flattening is written 0, as geodetic files do.
    f = alfa == 0.0 ? 0.0 : 1.0 / alfa;
    return {};
}
