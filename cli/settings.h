// What one gkconv run does: the operation, the zone system, the ellipsoid, and how numbers are
// read and written.
#pragma once

#include <optional>
#include <string_view>

enum class Operation { Forward, Inverse, Adjacent, ThreeToSix, SixToThree };
enum class AngleFormat { Packed, Degrees, Dms };

struct EllipsoidPreset {
    double a;
    double alfa; // inverse flattening, as surveyors write it
};

struct Settings {
    Operation operation = Operation::Forward;
    int zoneWidth = 6;
    double a = 6378137.0;
    double f = 1.0 / 298.2572235635;
    AngleFormat angles = AngleFormat::Packed;
    int precision = -1; // decimals; -1 for the default of what is written
    bool exact = false; // shortest text that reads back to the same double
    char delimiter = 0; // 0: whatever each line uses
    bool header = false;
};

std::optional<Operation> OperationByName(std::string_view name);
std::optional<EllipsoidPreset> EllipsoidByName(std::string_view name);
std::optional<AngleFormat> AngleFormatByName(std::string_view name);

// The zone system an operation reads its plane input in.
int SourceZoneWidth(const Settings& settings);
