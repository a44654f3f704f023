// One record of converter input: a line split into fields, the name and the two coordinates
// found by the column layout, converted by the engine and written back in place of the inputs,
// so that the output line keeps the input's layout.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/projection.h"
#include "conversion/settings.h"
#include "conversion/text_number.h"

// What is wrong with a record: the field at fault (counted from 1; 0 for the line as a whole)
// and the words the converter reports.
struct RecordFault {
    int field = 0;
    std::string message;
};

enum class FieldRole { Name, B, L, X, Y, H, Other };

struct SplitField {
    std::string text;
    FieldRole role;
};

class RecordConverter {
public:
    // Throws std::invalid_argument for settings that ProjectionProblem refuses.
    explicit RecordConverter(const Settings& settings);

    enum class Result { Converted, PassedThrough, Failed };

    // Converts one line (without its line ending), appending the output line without an ending
    // to out; on failure appends nothing there and says what is wrong in fault.
    Result Convert(std::string_view line, std::string& out, RecordFault& fault);

    // The fields of a line as Convert sees them, each with its role; none for a line that
    // passes through unchanged (blank or a # comment).
    std::vector<SplitField> Split(std::string_view line) const;

    // A record's name and coordinates as read, not converted: packed angles for B and L,
    // metres otherwise, the height 0 without an H column. Converted when they were read,
    // PassedThrough for a blank or comment line.
    struct Point {
        std::string name;
        double first = 0.0;
        double second = 0.0;
        double height = 0.0;
    };
    Result ReadPoint(std::string_view line, Point& point, RecordFault& fault);

private:
    struct Span {
        std::size_t begin;
        std::size_t end;
    };
    struct Plan {
        int name = -1;
        int first = -1;
        int second = -1;
        int height = -1;
        bool firstRead = false; // the default rule has read the first field already
        ParseStatus firstStatus = ParseStatus::NotANumber;
    };

    char DelimiterOf(std::string_view line) const;
    bool ReadInputs(std::string_view line, Plan& plan, double& v1, double& v2, double& h,
                    RecordFault& fault);
    void FindFields(std::string_view line, std::size_t wanted) const;
    Plan PlanRecord(std::string_view line, double& firstValue, RecordFault& fault) const;
    ParseStatus Read(std::string_view line, int index, bool isAngle, const char* what,
                     double& value, RecordFault& fault) const;
    bool Fail(RecordFault& fault, int index, const char* what, std::string_view field,
              std::string_view problem) const;
    bool CheckSourcePrefix(std::string_view line, int index, double Y, ZoneSystem system,
                           RecordFault& fault) const;
    bool CheckLatitude(std::string_view line, int index, double& B, RecordFault& fault) const;
    bool CheckTarget(std::string_view line, int index, ZoneSystem system, int zone, double Y,
                     RecordFault& fault) const;
    bool Forward(std::string_view line, const Plan& plan, double B, double L, double& h,
                 PlanePoint& out, RecordFault& fault);
    bool Inverse(std::string_view line, const Plan& plan, double x, double y, double& h,
                 GeoPoint& out, RecordFault& fault);
    bool ChangeDatum(std::string_view line, const Plan& plan, double B, double L, double& h,
                     GeoPoint& out, RecordFault& fault) const;
    // The standard projection of a zone of the settings' system, built when first asked for.
    const Projection& ZoneProjection(int zone);

    Settings m_settings;
    ZoneSystem m_system; // of forward and inverse, and the source system of the zone transforms
    std::optional<Projection> m_fixed; // every point's projection, when the settings fix one
    std::optional<int> m_fixedZone;    // the zone number its eastings carry, if any
    std::vector<std::optional<Projection>> m_zones; // by zone number
    int m_metreDecimals;
    int m_angleDecimals;
    mutable std::vector<Span> m_fields; // the fields found in the current line
};
