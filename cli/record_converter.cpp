// Record splitting, column layout, validation and conversion.
#include "record_converter.h"

#include <algorithm>
#include <cmath>

#include "packed_angle.h"
#include "zone_rules.h"

namespace {

// A northing that the inverse series puts this far (in degrees, about a metre) beyond a pole is
// the pole written with fewer decimals than it was computed to; farther out it is an error.
constexpr double kPoleSlack = 1e-5;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool PassesThrough(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

std::string_view TextOf(std::string_view line, std::size_t begin, std::size_t end) {
    return line.substr(begin, end - begin);
}

} // namespace

RecordConverter::RecordConverter(const Settings& settings)
    : m_settings(settings), m_metreDecimals(settings.exact            ? -1
                                            : settings.precision >= 0 ? settings.precision
                                                                      : 4),
      m_angleDecimals(settings.exact                        ? -1
                      : settings.precision >= 0             ? settings.precision
                      : settings.angles == AngleFormat::Dms ? 6
                                                            : 10) {}

char RecordConverter::DelimiterOf(std::string_view line) const {
    if (m_settings.delimiter) {
        return m_settings.delimiter;
    }
    if (line.find(',') != std::string_view::npos) {
        return ',';
    }
    if (line.find('\t') != std::string_view::npos) {
        return '\t';
    }
    return ' ';
}

// With a delimiter character the fields are what lies between delimiters, trimmed of blanks,
// and an empty field is a field; with blanks any run of spaces and tabs separates fields.
void RecordConverter::FindFields(std::string_view line, std::size_t wanted) const {
    m_fields.clear();
    const char delimiter = DelimiterOf(line);
    std::size_t pos = 0;
    while (m_fields.size() < wanted) {
        if (delimiter == ' ') {
            while (pos < line.size() && IsBlank(line[pos])) {
                ++pos;
            }
            if (pos == line.size()) {
                return;
            }
            std::size_t end = pos;
            while (end < line.size() && !IsBlank(line[end])) {
                ++end;
            }
            m_fields.push_back({pos, end});
            pos = end;
            continue;
        }
        std::size_t end = line.find(delimiter, pos);
        const bool last = end == std::string_view::npos;
        if (last) {
            end = line.size();
        }
        std::size_t begin = pos;
        std::size_t stop = end;
        while (begin < stop && IsBlank(line[begin])) {
            ++begin;
        }
        while (stop > begin && IsBlank(line[stop - 1])) {
            --stop;
        }
        m_fields.push_back({begin, stop});
        if (last) {
            return;
        }
        pos = end + 1;
    }
}

bool RecordConverter::Fail(RecordFault& fault, int index, const char* what, std::string_view field,
                           std::string_view problem) const {
    fault.field = index + 1;
    fault.message = what;
    fault.message += ' ';
    AppendQuoted(fault.message, field);
    fault.message += problem;
    return false;
}

ParseStatus RecordConverter::Read(std::string_view line, int index, bool isAngle, const char* what,
                                  double& value, RecordFault& fault) const {
    const Span span = m_fields[static_cast<std::size_t>(index)];
    const std::string_view field = TextOf(line, span.begin, span.end);
    const ParseStatus status =
        isAngle ? ParseAngle(field, m_settings.angles, value) : ParseNumber(field, value);
    switch (status) {
    case ParseStatus::Ok:
        break;
    case ParseStatus::NotFinite:
        Fail(fault, index, what, field, " is not a finite number");
        break;
    case ParseStatus::NotWhole:
        Fail(fault, index, what, field, ": degrees and minutes must be whole numbers");
        break;
    case ParseStatus::SixtyOrMore:
        Fail(fault, index, what, field, ": minutes and seconds must be below 60");
        break;
    case ParseStatus::MarksOutOfOrder:
        Fail(fault, index, what, field,
             ": degree, minute and second marks must each come once, in that order");
        break;
    case ParseStatus::NotANumber:
        Fail(fault, index, what, field,
             m_settings.angles == AngleFormat::Dms && isAngle ? " is not a D:M:S angle"
                                                              : " is not a number");
        break;
    }
    return status;
}

RecordConverter::Plan RecordConverter::PlanRecord(std::string_view line, double& firstValue,
                                                  RecordFault& fault) const {
    const ColumnLayout& columns = m_settings.columns;
    if (columns.given) {
        return {columns.name, columns.first, columns.second, false, ParseStatus::Ok};
    }
    // Without a layout, a first field that is not a number names the point when more fields
    // follow it. An empty first field is a name too, so the columns never shift.
    const bool forward = m_settings.operation == Operation::Forward;
    const ParseStatus status =
        Read(line, 0, forward, forward ? "latitude" : "northing", firstValue, fault);
    if (status == ParseStatus::NotANumber && m_fields.size() >= 2) {
        fault.field = 0;
        fault.message.clear();
        return {0, 1, 2, false, ParseStatus::Ok};
    }
    return {-1, 0, 1, true, status};
}

bool RecordConverter::CheckSourcePrefix(std::string_view line, int index, double Y, int width,
                                        RecordFault& fault) const {
    const ZoneRules rules(width);
    const double zone = ZonePrefix(Y);
    if (rules.HasPrefix(zone)) {
        return true;
    }
    const Span span = m_fields[static_cast<std::size_t>(index)];
    std::string problem = " has zone prefix ";
    // A prefix beyond what an int holds is still written as the number it is.
    AppendNumber(problem, zone, std::fabs(zone) < 1e15 ? 0 : -1);
    problem += ", not a ";
    problem += std::to_string(width);
    problem += "° zone (1 to " + std::to_string(rules.lastZone) + ")";
    return Fail(fault, index, "easting", TextOf(line, span.begin, span.end), problem);
}

bool RecordConverter::CheckLatitude(std::string_view line, int index, double& packedB,
                                    RecordFault& fault) const {
    const double beyond = std::fabs(PackedToDegrees(packedB)) - 90.0;
    if (beyond > kPoleSlack || std::isnan(beyond)) {
        const Span span = m_fields[static_cast<std::size_t>(index)];
        return Fail(fault, index, "northing", TextOf(line, span.begin, span.end),
                    " lies beyond the pole");
    }
    if (beyond > 0.0) {
        packedB = std::copysign(90.0, packedB);
    }
    return true;
}

// What the plane-coordinate operations write must read back: the zone has a prefix in its
// system, and the easting carries that prefix (a point more than 500 km east or west of the
// central meridian would carry the neighbour's).
bool RecordConverter::CheckTarget(std::string_view line, int index, RecordFault& fault) const {
    const ZoneRules rules(m_proj.m_nZoneWidth == 3 ? 3 : 6);
    const int zone = m_proj.m_nZone;
    if (rules.HasPrefix(zone) && ZonePrefix(m_proj.m_Y) == zone) {
        return true;
    }
    const Span span = m_fields[static_cast<std::size_t>(index)];
    const std::string_view field = TextOf(line, span.begin, span.end);
    const char* what = m_settings.operation == Operation::Forward ? "longitude" : "easting";
    if (!rules.HasPrefix(zone)) {
        return Fail(fault, index, what, field,
                    " leads to zone " + std::to_string(zone) + ", not a " +
                        std::to_string(rules.width) + "° zone (1 to " +
                        std::to_string(rules.lastZone) + ")");
    }
    return Fail(fault, index, what, field,
                " puts the point more than 500 km from the central meridian of zone " +
                    std::to_string(zone) + ", beyond what its easting can carry");
}

RecordConverter::Result RecordConverter::Convert(std::string_view line, std::string& out,
                                                 RecordFault& fault) {
    fault.field = 0;
    fault.message.clear();
    if (PassesThrough(line)) {
        out.append(line);
        return Result::PassedThrough;
    }
    const ColumnLayout& columns = m_settings.columns;
    FindFields(line, columns.given
                         ? static_cast<std::size_t>(std::max(columns.first, columns.second) + 1)
                         : 3);
    const bool forward = m_settings.operation == Operation::Forward;
    const char* firstName = forward ? "latitude" : "northing";
    const char* secondName = forward ? "longitude" : "easting";

    double v1 = 0.0;
    double v2 = 0.0;
    const Plan plan = PlanRecord(line, v1, fault);
    if (plan.firstRead && plan.firstStatus != ParseStatus::Ok) {
        return Result::Failed;
    }
    const int needed = std::max(plan.first, plan.second) + 1;
    const int found = static_cast<int>(m_fields.size());
    if (found < needed) {
        fault.field = found + 1;
        if (columns.given) {
            fault.message =
                "expected " + std::to_string(needed) + " fields, found " + std::to_string(found);
        } else {
            fault.message = "expected two coordinates";
            if (plan.name >= 0) {
                fault.message += " after the point name ";
                AppendQuoted(fault.message, TextOf(line, m_fields[0].begin, m_fields[0].end));
            }
        }
        return Result::Failed;
    }
    if (!plan.firstRead &&
        Read(line, plan.first, forward, firstName, v1, fault) != ParseStatus::Ok) {
        return Result::Failed;
    }
    if (Read(line, plan.second, forward, secondName, v2, fault) != ParseStatus::Ok) {
        return Result::Failed;
    }
    const auto fieldText = [&](int index) {
        const Span span = m_fields[static_cast<std::size_t>(index)];
        return TextOf(line, span.begin, span.end);
    };

    CGaussProjection& p = m_proj;
    double r1 = 0.0;
    double r2 = 0.0;
    switch (m_settings.operation) {
    case Operation::Forward: {
        if (std::fabs(PackedToDegrees(v1)) > 90.0) {
            Fail(fault, plan.first, "latitude", fieldText(plan.first), " is beyond ±90°");
            return Result::Failed;
        }
        if (!IsLongitudeInRange(v2)) {
            Fail(fault, plan.second, "longitude", fieldText(plan.second), " is outside 0° to 360°");
            return Result::Failed;
        }
        p.SetAll(m_settings.zoneWidth, m_settings.a, m_settings.f, v1, v2, 0.0, 0.0);
        p.ZoneFromL();
        const ZoneRules rules(m_settings.zoneWidth);
        if (!rules.HasPrefix(p.m_nZone)) {
            Fail(fault, plan.second, "longitude", fieldText(plan.second),
                 " lies in zone " + std::to_string(p.m_nZone) + " of the " +
                     std::to_string(rules.width) +
                     "° system, which has no zone prefix (zones 1 to " +
                     std::to_string(rules.lastZone) + ")");
            return Result::Failed;
        }
        p.BLToXY();
        // The zone has a prefix (checked above), so only the prefix written needs a look.
        if (ZonePrefix(p.m_Y) != p.m_nZone && std::isfinite(p.m_Y) &&
            !CheckTarget(line, plan.second, fault)) {
            return Result::Failed;
        }
        r1 = p.m_X;
        r2 = p.m_Y;
        break;
    }
    case Operation::Inverse:
        if (!CheckSourcePrefix(line, plan.second, v2, m_settings.zoneWidth, fault)) {
            return Result::Failed;
        }
        p.SetAll(m_settings.zoneWidth, m_settings.a, m_settings.f, 0.0, 0.0, v1, v2);
        p.ZoneFromY();
        p.XYToBL();
        r1 = p.m_B;
        r2 = p.m_L;
        if (!CheckLatitude(line, plan.first, r1, fault)) {
            return Result::Failed;
        }
        break;
    case Operation::Adjacent:
    case Operation::ThreeToSix:
    case Operation::SixToThree: {
        const int width = SourceZoneWidth(m_settings);
        if (!CheckSourcePrefix(line, plan.second, v2, width, fault)) {
            return Result::Failed;
        }
        p.SetAll(width, m_settings.a, m_settings.f, 0.0, 0.0, v1, v2);
        if (m_settings.operation == Operation::ThreeToSix) {
            p.Zone3To6();
        } else if (m_settings.operation == Operation::SixToThree) {
            p.Zone6To3();
        } else if (width == 3) {
            p.AdjacentZone3();
        } else {
            p.AdjacentZone6();
        }
        double B = p.m_B;
        if (!CheckLatitude(line, plan.first, B, fault) ||
            (std::isfinite(p.m_Y) && !CheckTarget(line, plan.second, fault))) {
            return Result::Failed;
        }
        r1 = p.m_X;
        r2 = p.m_Y;
        break;
    }
    }
    if (!std::isfinite(r1) || !std::isfinite(r2)) {
        fault.message = "the coordinates give no finite result";
        return Result::Failed;
    }

    // Each result takes the place of its input; everything around them stays as it was.
    Span a = m_fields[static_cast<std::size_t>(plan.first)];
    Span b = m_fields[static_cast<std::size_t>(plan.second)];
    if (a.begin > b.begin) {
        std::swap(a, b);
        std::swap(r1, r2);
    }
    const bool angles = m_settings.operation == Operation::Inverse;
    const auto write = [&](double value) {
        if (angles) {
            AppendAngle(out, value, m_settings.angles, m_angleDecimals);
        } else {
            AppendNumber(out, value, m_metreDecimals);
        }
    };
    out.append(line.substr(0, a.begin));
    write(r1);
    out.append(TextOf(line, a.end, b.begin));
    write(r2);
    out.append(line.substr(b.end));
    return Result::Converted;
}

std::vector<SplitField> RecordConverter::Split(std::string_view line) const {
    std::vector<SplitField> fields;
    if (PassesThrough(line)) {
        return fields;
    }
    FindFields(line, static_cast<std::size_t>(-1));
    double first = 0.0;
    RecordFault ignored;
    const Plan plan = PlanRecord(line, first, ignored);
    const bool forward = m_settings.operation == Operation::Forward;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const int index = static_cast<int>(i);
        FieldRole role = FieldRole::Other;
        if (index == plan.name) {
            role = FieldRole::Name;
        } else if (index == plan.first) {
            role = forward ? FieldRole::B : FieldRole::X;
        } else if (index == plan.second) {
            role = forward ? FieldRole::L : FieldRole::Y;
        }
        fields.push_back({std::string(TextOf(line, m_fields[i].begin, m_fields[i].end)), role});
    }
    return fields;
}
