// One record of converter input: a line split into fields, the name and the two coordinates
// found by the column layout, converted by the engine and written back in place of the inputs,
// so that the output line keeps the input's layout.
//
// A converter is an immutable value once built: Convert and Split only read it, and what one
// call works on (the fields of its line) is the caller's, so one converter may serve many
// threads at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/settings.h"
#include "engine/problem.h"
#include "engine/projection.h"

enum class FieldRole { Name, B, L, X, Y, H, Other };

struct SplitField {
    std::string text;
    FieldRole role;
};

// Where one field of a line lies, as byte offsets.
struct FieldSpan {
    std::size_t begin;
    std::size_t end;
};

// What the records of a run tell beyond their results, kept by the caller between calls: the
// delimiter each input holds to once its first record has shown it, and the notes a run ends
// with.
struct ReadState {
    char delimiter = 0; // of the current input; 0 until its first record; reset per input
    // Points the series converted more than kSeriesNoteFrom from their central meridian.
    std::int64_t seriesFar = 0;
    double farthest = 0.0; // degrees, of those points
    // The first record whose first field, a whole number, was read as a coordinate although the
    // record holds more numbers than the operation reads: perhaps a point number.
    bool numberedFirstField = false;
    std::string numberedText;
};

// With the series, points farther than this from the central meridian (degrees) lose more than
// a millimetre; a run that converts any says so once.
inline constexpr double kSeriesNoteFrom = 4.0;

class RecordConverter {
public:
    // Throws ProblemError for settings that CheckProjection refuses.
    explicit RecordConverter(const Settings& settings);

    enum class Outcome { Converted, PassedThrough, Failed };

    // Converts one line (without its line ending), appending the output line without an ending
    // to out; on failure appends nothing there and says what is wrong in problem (its field
    // counted from 1, 0 for the line as a whole). fields is the caller's room for the line's
    // fields, kept between calls so that a batch does not allocate per line.
    // state carries what one record tells the next of the same input (see ReadState).
    Outcome Convert(std::string_view line, std::string& out, Problem& problem,
                    std::vector<FieldSpan>& fields, ReadState& state) const;
    // One line on its own: its delimiter is what it uses.
    Outcome Convert(std::string_view line, std::string& out, Problem& problem) const;

    // The fields of a line as Convert sees them, each with its role; none for a line that
    // passes through unchanged (blank or a # comment).
    std::vector<SplitField> Split(std::string_view line, ReadState& state) const;
    std::vector<SplitField> Split(std::string_view line) const;

    // The note of a state's numbered first field (FirstFieldReadAsCoordinate), on this line.
    Problem NumberedFirstFieldNote(const ReadState& state, std::int64_t line) const;

    // A record's name and coordinates as read, not converted: packed angles for B and L,
    // metres otherwise, the height 0 without an H column. Converted when they were read,
    // PassedThrough for a blank or comment line.
    struct Point {
        std::string name;
        double first = 0.0;
        double second = 0.0;
        double height = 0.0;
    };
    Outcome ReadPoint(std::string_view line, Point& point, Problem& problem) const;

private:
    // What the read step finds in a record: where the name and the coordinates stand, and the
    // two coordinates as numbers (packed angles or metres).
    struct Record {
        int name = -1;
        int first = -1;
        int second = -1;
        int height = -1;
        double v1 = 0.0;
        double v2 = 0.0;
        double h = 0.0; // 0 without an H column
    };
    // The two results, in the order of the record's two coordinates.
    struct Pair {
        double r1;
        double r2;
        double h = 0.0;
    };
    struct Layout {
        int name = -1;
        int first = -1;
        int second = -1;
        int height = -1;
        std::optional<Result<double>> firstRead; // the default rule has read the first field
    };

    static bool Shows(std::string_view line, char delimiter);
    void DecideDelimiter(std::string_view line, ReadState& state) const;
    char DelimiterOf(const ReadState& state) const;
    void FindFields(std::string_view line, std::size_t wanted, std::vector<FieldSpan>& fields,
                    ReadState& state) const;
    Layout LayoutOf(std::string_view line, const std::vector<FieldSpan>& fields) const;
    Result<double> ReadField(std::string_view line, const std::vector<FieldSpan>& fields, int index,
                             bool isAngle) const;

    // read -> compute -> write
    Result<Record> ReadRecord(std::string_view line, std::vector<FieldSpan>& fields,
                              ReadState& state) const;
    Result<Pair> Forward(const Record& record, ReadState& state) const;
    Result<Pair> Inverse(const Record& record, ReadState& state) const;
    Result<Pair> ZoneTransform(const Record& record) const;
    Result<Pair> ChangeDatum(const Record& record) const;
    Result<Pair> MovePlane(const Record& record) const;
    void WriteRecord(std::string_view line, const std::vector<FieldSpan>& fields,
                     const Record& record, Pair result, std::string& out) const;

    // What the record's first or second coordinate is read as.
    Quantity QuantityOf(bool first) const;
    // Whether the results are written as angles: packed angles in the angle format, or (the
    // datum operation in decimal degrees) degrees as they are.
    bool AnglesOut() const;
    bool DegreesOut() const;
    // The problem of a field: its index and whether it holds the first coordinate; Convert
    // adds its text.
    Problem FieldProblem(ProblemCode code, int index, bool first) const;
    Result<void> CheckSourcePrefix(int index, double Y, ZoneSystem system) const;
    Result<void> CheckLatitude(int index, double& B) const;
    Result<void> CheckTarget(int index, ZoneSystem system, int zone, double Y) const;
    // Whether an inverse result lies within kChosenMeridianReach of the central meridian;
    // puts a point less than a metre beyond onto the line. exact is the Krüger projection that
    // decides where the series is in doubt (nullptr with the Krüger method).
    Result<void> CheckInverseReach(const Projection& projection, const Projection* exact,
                                   std::optional<int> zone, int northingIndex, int index, double x,
                                   double y, GeoPoint& geo) const;
    void NoteDistance(double degrees, ReadState& state) const;
    void NoteNumberedFirstField(std::string_view line, const std::vector<FieldSpan>& fields,
                                ReadState& state) const;
    // The standard projection of a zone of the settings' system; the zone exists.
    const Projection& ZoneProjection(int zone) const;

    Settings m_settings;
    ZoneSystem m_system; // of forward and inverse, and the source system of the zone transforms
    std::optional<Projection> m_fixed; // every point's projection, when the settings fix one
    std::optional<int> m_fixedZone;    // the zone number its eastings carry, if any
    std::vector<Projection> m_zones;   // zones 1 to the last, when each point finds its own
    // The same in Krüger's series, for the inverse's reach check when the method is the series.
    std::optional<Projection> m_exactFixed;
    std::vector<Projection> m_exactZones;
    std::optional<Projection> m_target; // the zone a change of system writes every point into
    int m_metreDecimals;
    int m_angleDecimals;
};
