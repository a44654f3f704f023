// Problem: what went wrong, as a value. A code from one enumeration and the arguments a reader
// needs to put it right (the field, the offending text, the number and the bound it passed).
// The engine and the conversion library never word a problem: each front end does, from its
// own table (gkconv in English, the windows in Chinese), and a test holds every table to every
// code. Result<T> is a value or the problem that kept it from being made.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

// Adding a code: one line here, one line in each front end's table of words.
enum class ProblemCode {
    None,
    // The ellipsoid and the projection (engine).
    SemiMajorAxis,            // a is not a positive finite length
    Flattening,               // f lies outside [0, 1)
    CentralMeridianNotFinite, // value: the meridian
    ScaleNotPositive,         // value: k0
    FalseOriginNotFinite,
    // Settings of a conversion, given by the user (text: as typed).
    ColumnUnknown,              // text: the word; quantity: the operation's first coordinate
    ColumnTwice,                // text: the word
    ColumnsMissing,             // quantity: the operation's first coordinate
    DelimiterInNumber,          // text: the delimiter
    DelimiterStartsComment,     // text: the delimiter
    DelimiterInDms,             // text: the delimiter
    EllipsoidAxisText,          // text: a as given
    EllipsoidInverseFlattening, // text: alfa as given
    CentralMeridianText,        // text: as given
    TransformNeedsStandardZones,
    ZoneNotInSystem,           // zone, width
    CentralMeridianOutOfRange, // value: the meridian
    PrefixNeedsZoneMeridian,   // value: the meridian (0 to below 360), width
    ZoneMeridianDiffers,       // zone, value: the meridian
    NoPrefixNeedsMeridian,
    FalseEastingWithPrefix,      // value: the false easting
    EllipsoidAxisOutOfRange,     // text: a as given
    InverseFlatteningOutOfRange, // text: alfa as given
    ScaleOutOfRange,             // value: k0
    FalseOriginOutOfRange,       // value: the false easting or northing
    // One record (field, quantity and text: the field at fault).
    NotANumber,
    NotDmsAngle,
    NotFinite,
    DegreesMinutesNotWhole,
    SixtyOrMore,
    MarksOutOfOrder,
    FieldsMissing, // count: fields found; needed: fields the layout names
    CoordinatesMissing,
    CoordinatesMissingAfterName, // text: the point name
    LatitudeBeyond90,            // the latitude
    LongitudeOutside360,         // the longitude
    FarFromChosenMeridian,       // value: degrees from it; bound: the reach (6)
    ZoneWithoutPrefix,           // zone, width: the zone the longitude lies in
    PrefixNotInSystem,           // value: the prefix read; width
    PrefixNotChosenZone,         // value: the prefix read; zone: the chosen one
    InverseBeyondReach,          // bound: the reach (6)
    InverseBeyondZoneReach,      // zone; value: degrees from its meridian; bound: the reach (6)
    BeyondPole,                  // the northing
    TargetZoneWithoutPrefix,     // zone, width: the zone the point goes into
    EastingLeavesZone,           // zone: its millions; the scale or false easting moves them
    BeyondEastingReach,          // zone: 500 km from its meridian
    NoFiniteResult,
    LineTooLong, // bound: the longest line read, in bytes
    // Notes on a run that converted: nothing failed, but the user should know.
    FirstFieldReadAsCoordinate, // text: the field; quantity: read as; line
    SeriesBeyondFourDegrees,    // count: points; value: the farthest, degrees; bound: 4
    // Files (text: the file; an empty one is standard output).
    CannotRead,          // error: errno
    CannotWrite,         // error: errno
    CannotWriteInFolder, // other: the folder that refused the file; error: errno
    OutputIsInput,       // other: the input it is
    PreviewNotRegular,
    InputNotRegular,
    // EPSG codes (gkconv's --crs, the batch window's EPSG field).
    CrsNotACode,        // text: as given
    CrsUnknown,         // value: the code; other: the nearest codes of the table, as text
    CrsOptionDiffers,   // text: the option; other: the code
    CrsNotForOperation, // other: the code
    CrsTargetWidth,     // text: the operation; other: the code; width: the system it writes
    CrsDeprecated,      // text: the code; other: the code that replaces it (a note, not a refusal)
    // Datum parameters (other: the parameter, as the front end or the file names it).
    DatumParameterNotFinite,
    DatumScaleNotPositive, // 1 + s·10⁻⁶ would not be a positive factor
    RotationWithoutConvention,
    // Common points and their fit.
    TooFewCommonPoints,      // count: points given; needed: points the model needs
    CommonPointRepeated,     // text, other: two points within a millimetre (the same name: twice)
    CommonPointNameTwice,    // text: the name; other: the file; count, needed: its two lines
    CommonPointsCollinear,   // the rotation about their line is unknown
    CommonPointNotFinite,    // text: the point's name
    FitDidNotConverge,       // the points are not related by a transformation of the model
    ExcludedPointUnknown,    // text: the name to leave out
    CommonPointWithoutName,  // a record of a common point file
    ColumnUnknownWithHeight, // as ColumnUnknown, where H is a column too
    // Parameter files (other: the key at fault; the front end names the file).
    ParameterFileTooLarge,  // bound: the limit in bytes
    ParameterFileTooDeep,   // bound: the deepest nesting taken
    ParameterFileMalformed, // count: the byte where reading stopped (0: unknown)
    ParameterFileNotObject,
    ParameterKeyMissing,        // other: the key
    ParameterNotNumber,         // other: the key
    ParameterNotText,           // other: the key
    ParameterEllipsoidForm,     // other: the key; neither a preset's name nor a and alfa
    ParameterOutOfRange,        // other: the key
    ParameterUnknownModel,      // text: the model as given
    ParameterUnknownConvention, // text: as given
    ParameterUnknownRotation,   // text: as given
    ParameterUnknownEllipsoid,  // other: the key; text: the name as given
    ParameterWrongModel,        // text: the file's model; other: the models that would do
    Count                       // not a code: the number of codes, for tables and tests
};

// What a field was read as.
enum class Quantity { None, Latitude, Longitude, Northing, Easting, Height };

struct Problem {
    ProblemCode code = ProblemCode::None;
    int field = 0;         // counted from 1; 0 for the record as a whole, or none
    std::int64_t line = 0; // counted from 1; 0 for none
    Quantity quantity = Quantity::None;
    std::string text = {};  // the offending text as given
    std::string other = {}; // a second text, where a code says what it is
    double value = 0.0;     // the offending number
    double bound = 0.0;     // the limit it passed
    int zone = 0;
    int width = 0; // of the zone system, 3 or 6
    std::int64_t count = 0;
    std::int64_t needed = 0;
    int error = 0; // errno of a failed system call

    // Made as Problem{.code = ..., .zone = ...}: the arguments a code names, the rest left out.
    explicit operator bool() const { return code != ProblemCode::None; }
};

// A problem where a value was needed and none can be returned (a constructor's arguments that
// its Check refuses): callers that check first never see it.
class ProblemError : public std::invalid_argument {
public:
    explicit ProblemError(Problem problem)
        : std::invalid_argument("problem code " + std::to_string(static_cast<int>(problem.code))),
          m_problem(std::move(problem)) {}
    const Problem& problem() const { return m_problem; }

private:
    Problem m_problem;
};

template <class T> class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Problem problem) : m_problem(std::move(problem)) {}

    explicit operator bool() const { return m_value.has_value(); }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const Problem& problem() const { return m_problem; }
    Problem& problem() { return m_problem; }

private:
    std::optional<T> m_value;
    Problem m_problem;
};

// A check with nothing to return: ok, or the problem.
template <> class Result<void> {
public:
    Result() = default;
    Result(Problem problem) : m_problem(std::move(problem)) {}

    explicit operator bool() const { return !m_problem; }
    const Problem& problem() const { return m_problem; }
    Problem& problem() { return m_problem; }

private:
    Problem m_problem;
};
