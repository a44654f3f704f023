// One record of converter input: a line split into fields, the name and the two coordinates
// found by the column layout, converted by the engine and written back in place of the inputs,
// so that the output line keeps the input's layout.
//
// A converter is an immutable value once built: Convert and Split only read it, and what one
// call works on (the fields of its line) is the caller's, so one converter may serve many
// threads at once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/settings.h"
#include "engine/problem.h"
#include "engine/projection.h"

enum class FieldRole { Name, B, L, X, Y, Other };

struct SplitField {
    std::string text;
    FieldRole role;
};

// Where one field of a line lies, as byte offsets.
struct FieldSpan {
    std::size_t begin;
    std::size_t end;
};

class RecordConverter {
public:
    // Throws ProblemError for settings that CheckProjection refuses.
    explicit RecordConverter(const Settings& settings);

    enum class Outcome { Converted, PassedThrough, Failed };

    // Converts one line (without its line ending), appending the output line without an ending
    // to out; on failure appends nothing there and says what is wrong in problem (its field
    // counted from 1, 0 for the line as a whole). fields is the caller's room for the line's
    // fields, kept between calls so that a batch does not allocate per line.
    Outcome Convert(std::string_view line, std::string& out, Problem& problem,
                    std::vector<FieldSpan>& fields) const;
    Outcome Convert(std::string_view line, std::string& out, Problem& problem) const;

    // The fields of a line as Convert sees them, each with its role; none for a line that
    // passes through unchanged (blank or a # comment).
    std::vector<SplitField> Split(std::string_view line) const;

private:
    // What the read step finds in a record: where the name and the coordinates stand, and the
    // two coordinates as numbers (packed angles or metres).
    struct Record {
        int name = -1;
        int first = -1;
        int second = -1;
        double v1 = 0.0;
        double v2 = 0.0;
    };
    // The two results, in the order of the record's two coordinates.
    struct Pair {
        double r1;
        double r2;
    };
    struct Layout {
        int name = -1;
        int first = -1;
        int second = -1;
        std::optional<Result<double>> firstRead; // the default rule has read the first field
    };

    char DelimiterOf(std::string_view line) const;
    void FindFields(std::string_view line, std::size_t wanted,
                    std::vector<FieldSpan>& fields) const;
    Layout LayoutOf(std::string_view line, const std::vector<FieldSpan>& fields) const;
    Result<double> ReadField(std::string_view line, const std::vector<FieldSpan>& fields,
                             int index, bool isAngle) const;

    // read -> compute -> write
    Result<Record> ReadRecord(std::string_view line, std::vector<FieldSpan>& fields) const;
    Result<Pair> Forward(const Record& record) const;
    Result<Pair> Inverse(const Record& record) const;
    Result<Pair> ZoneTransform(const Record& record) const;
    void WriteRecord(std::string_view line, const std::vector<FieldSpan>& fields,
                     const Record& record, Pair result, std::string& out) const;

    // What the record's first or second coordinate is read as.
    Quantity QuantityOf(bool first) const;
    // The problem of a field: its index and whether it holds the first coordinate; Convert
    // adds its text.
    Problem FieldProblem(ProblemCode code, int index, bool first) const;
    Result<void> CheckSourcePrefix(int index, double Y, ZoneSystem system) const;
    Result<void> CheckLatitude(int index, double& B) const;
    Result<void> CheckTarget(int index, ZoneSystem system, int zone, double Y) const;
    // The standard projection of a zone of the settings' system; the zone exists.
    const Projection& ZoneProjection(int zone) const;

    Settings m_settings;
    ZoneSystem m_system; // of forward and inverse, and the source system of the zone transforms
    std::optional<Projection> m_fixed; // every point's projection, when the settings fix one
    std::optional<int> m_fixedZone;    // the zone number its eastings carry, if any
    std::vector<Projection> m_zones;   // zones 1 to the last, when each point finds its own
    int m_metreDecimals;
    int m_angleDecimals;
};
