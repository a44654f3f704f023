// What one conversion run does: the operation, the zone system, the ellipsoid, the projection
// and its method, the layout of a record, and how numbers are read and written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/datum_change.h"
#include "engine/ellipsoid.h"
#include "engine/plane_similarity.h"
#include "engine/problem.h"
#include "engine/projection.h"

// Datum: B L [H] -> B L [H] by a datum change; Plane: X Y -> X Y by a plane similarity.
enum class Operation { Forward, Inverse, Adjacent, ThreeToSix, SixToThree, Datum, Plane };
enum class AngleFormat { Packed, Degrees, Dms };

// Where the fields of a record stand, counted from 0. Without a given layout a first field that
// is not a number names the point and the two coordinates follow it.
struct ColumnLayout {
    bool given = false;
    int name = -1;   // -1: no name column
    int first = 0;   // B for forward, X otherwise
    int second = 1;  // L for forward, Y otherwise
    int height = -1; // H, the ellipsoidal height, for datum changes; -1: none, taken as 0
};

// Farthest a point may lie from a chosen central meridian or zone (degrees of longitude): the
// whole-degree rule never goes beyond 4°, and up to 6° is as far as the accuracy of both
// methods is measured; beyond it the series diverges.
inline constexpr double kChosenMeridianReach = 6.0;

// What an Earth ellipsoid and a projection of it can be: anything beyond gives numbers that look
// like coordinates and mean nothing (an alfa of 1.0000001 flattens the Earth to a disc, a false
// easting of 1e300 writes 300 digits).
inline constexpr double kLeastSemiMajorAxis = 6000000.0; // metres
inline constexpr double kMostSemiMajorAxis = 7000000.0;  // metres
inline constexpr double kLeastInverseFlattening = 100.0; // or 0 for a sphere
inline constexpr double kLeastScale = 0.9;
inline constexpr double kMostScale = 1.1;
inline constexpr double kFalseOriginReach = 100000000.0; // metres either way

struct Settings {
    Operation operation = Operation::Forward;
    int zoneWidth = 6;
    Ellipsoid ellipsoid = Wgs1984().ellipsoid();
    Method method = Method::Series;
    // The projection of forward and inverse. By default each point takes the zone the
    // whole-degree rule (forward) or its easting's millions (inverse) name, in that zone's own
    // system: scale 1, false easting 500000 m, the zone number in the easting.
    std::optional<double> centralMeridian; // degrees, -180 to below 360: the user's own
    std::optional<int> zone;               // every point in this zone of the system
    bool prefix = true;                    // the easting carries the zone number in its millions
    double k0 = 1.0;
    double falseEasting = 500000.0;
    double falseNorthing = 0.0;
    // How forward, and 3to6 and 6to3 for the target, choose a point's zone from its longitude.
    ZoneRule zoneRule = ZoneRule::WholeDegree;
    // The zone 3to6 and 6to3 write every point into (an EPSG code's), and whether its eastings
    // carry the zone number; without one the rule picks each point's zone.
    std::optional<int> targetZone;
    bool targetPrefix = true;
    AngleFormat angles = AngleFormat::Packed;
    int precision = -1; // decimals; -1 for the default of what is written
    bool exact = false; // shortest text that reads back to the same double
    char delimiter = 0; // 0: whatever each line uses
    bool header = false;
    ColumnLayout columns;
    // The datum operation's change, or forward's before it projects (on the change's target
    // ellipsoid) and inverse's after; the plane operation's similarity, or forward's after it
    // projects and inverse's before.
    std::optional<DatumChange> datum;
    std::optional<PlaneSimilarity> plane;
    bool undo = false; // the datum and plane operations apply the inverse transformation
};

std::optional<Operation> OperationByName(std::string_view name);
std::optional<AngleFormat> AngleFormatByName(std::string_view name);

// A column list ("name,-,Y,X,-"): one word per field, name, the operation's two inputs (B and
// L for forward and datum, X and Y otherwise), H for the height (forward, inverse and datum)
// and - for a field passed through.
Result<ColumnLayout> ParseColumns(std::string_view list, Operation operation);

// Whether a delimiter can be used: neither a number nor an angle in the given form contains it.
Result<void> CheckDelimiter(char delimiter, AngleFormat angles);

// An ellipsoid given by its numbers as typed: a positive finite length, alfa a finite inverse
// flattening above 1, or 0 for a sphere; and, beyond that, an Earth ellipsoid: a from
// kLeastSemiMajorAxis to kMostSemiMajorAxis, alfa at least kLeastInverseFlattening or 0.
Result<Ellipsoid> MakeEllipsoid(std::string_view aText, std::string_view alfaText);

// A central meridian in the run's angle form (packed 114.30, or decimal 114.5 in a degrees or
// D:M:S run) or, in any run, as D:M:S (114:30, 114°30′), from -180° to just under 360°, in degrees;
// a western one is taken as its eastern equal (-3 is 357). One form for the option and the file:
// 114.30 in a packed run is 114°30′ in both.
Result<double> ParseCentralMeridian(std::string_view text, AngleFormat angles);

// Whether the projection settings taken together describe a projection. A caller checks here
// before converting: a converter built from settings this refuses throws ProblemError. The
// zone a prefixed easting names must be the zone whose meridian the projection is centred on,
// so a central meridian of one's own needs prefix = false. The scale lies from kLeastScale to
// kMostScale and the false origin within kFalseOriginReach.
Result<void> CheckProjection(const Settings& settings);

// The projection of the settings' ellipsoid, method, scale and false origin about this central
// meridian, with this zone number in the easting or none.
ProjectionParams ProjectionParamsOf(const Settings& settings, double centralMeridian,
                                    std::optional<int> prefix);

// The zone of the projection settings fix for every point: the given zone, or the zone of the
// system whose central meridian is the given one; nothing when each point finds its own.
std::optional<int> FixedZone(const Settings& settings);

// The zone system an operation reads its plane input in (or projects into, for forward).
ZoneSystem SourceZoneSystem(const Settings& settings);
