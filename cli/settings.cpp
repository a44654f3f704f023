// Names the user types for operations, ellipsoids and angle formats.
#include "settings.h"

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
