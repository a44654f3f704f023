// What one conversion run does: the operation, the zone system, the ellipsoid, the layout of a
// record, and how numbers are read and written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class Operation { Forward, Inverse, Adjacent, ThreeToSix, SixToThree };
enum class AngleFormat { Packed, Degrees, Dms };

struct EllipsoidPreset {
    double a;
    double alfa; // inverse flattening, as surveyors write it
};

// Where the fields of a record stand, counted from 0. Without a given layout a first field that
// is not a number names the point and the two coordinates follow it.
struct ColumnLayout {
    bool given = false;
    int name = -1;  // -1: no name column
    int first = 0;  // B for forward, X otherwise
    int second = 1; // L for forward, Y otherwise
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
    ColumnLayout columns;
};

std::optional<Operation> OperationByName(std::string_view name);
std::optional<EllipsoidPreset> EllipsoidByName(std::string_view name);
std::optional<AngleFormat> AngleFormatByName(std::string_view name);

// A --columns list ("name,-,Y,X,-"): one word per field, name, the operation's two inputs (B and
// L for forward, X and Y otherwise) and - for a field passed through. Returns an error message,
// empty when the list is sound.
std::string ParseColumns(std::string_view list, Operation operation, ColumnLayout& layout);

// A --delimiter that neither a number nor an angle in the given form can contain. Returns an
// error message, empty when the character is usable.
std::string CheckDelimiter(char delimiter, AngleFormat angles);

// An ellipsoid given by its numbers: a positive finite length, alfa a finite inverse
// flattening above 1, or 0 for a sphere. Returns an error message, empty when both are sound.
std::string MakeEllipsoid(std::string_view aText, std::string_view alfaText, double& a, double& f);

// The zone system an operation reads its plane input in.
int SourceZoneWidth(const Settings& settings);
