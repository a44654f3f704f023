// Record splitting, column layout, validation and conversion.
#include "conversion/record_converter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "engine/packed_angle.h"
#include "engine/zone_transform.h"

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

// The whole millions of an easting: the zone it names, truncated as the zone rule truncates,
// and beyond the range of an int as far as a double holds it, so a message can quote it.
double PrefixOf(double Y) {
    if (std::fabs(Y) < 2147483647.0) {
        return static_cast<double>(static_cast<int>(Y) / 1000000);
    }
    return std::trunc(Y / 1000000.0);
}

bool HasPrefix(ZoneSystem system, double zone) {
    return zone >= 1.0 && zone <= system.LastZone();
}

std::string SystemText(ZoneSystem system) {
    return std::to_string(system.Width()) + "° zone (1 to " + std::to_string(system.LastZone()) +
           ")";
}

} // namespace

RecordConverter::RecordConverter(const Settings& settings)
    : m_settings(settings), m_system(SourceZoneSystem(settings)),
      m_zones(static_cast<std::size_t>(m_system.LastZone()) + 1),
      m_metreDecimals(settings.exact            ? -1
                      : settings.precision >= 0 ? settings.precision
                                                : 4),
      m_angleDecimals(settings.exact                        ? -1
                      : settings.precision >= 0             ? settings.precision
                      : settings.angles == AngleFormat::Dms ? 6
                                                            : 10) {
    if (const std::string problem = ProjectionProblem(settings); !problem.empty()) {
        throw std::invalid_argument(problem);
    }
    const std::optional<int> zone = FixedZone(settings);
    if (zone || settings.centralMeridian) {
        const double centralMeridian =
            settings.centralMeridian ? *settings.centralMeridian : m_system.CentralMeridian(*zone);
        if (settings.prefix) {
            m_fixedZone = zone;
        }
        m_fixed.emplace(ProjectionParamsOf(settings, centralMeridian, m_fixedZone));
    }
}

const Projection& RecordConverter::ZoneProjection(int zone) {
    std::optional<Projection>& slot = m_zones[static_cast<std::size_t>(zone)];
    if (!slot) {
        slot.emplace(ProjectionParamsOf(m_settings, m_system.CentralMeridian(zone), zone));
    }
    return *slot;
}

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

bool RecordConverter::CheckSourcePrefix(std::string_view line, int index, double Y,
                                        ZoneSystem system, RecordFault& fault) const {
    const double zone = PrefixOf(Y);
    if (HasPrefix(system, zone)) {
        return true;
    }
    const Span span = m_fields[static_cast<std::size_t>(index)];
    std::string problem = " has zone prefix ";
    // A prefix beyond what an int holds is still written as the number it is.
    AppendNumber(problem, zone, std::fabs(zone) < 1e15 ? 0 : -1);
    problem += ", not a " + SystemText(system);
    return Fail(fault, index, "easting", TextOf(line, span.begin, span.end), problem);
}

bool RecordConverter::CheckLatitude(std::string_view line, int index, double& B,
                                    RecordFault& fault) const {
    const double beyond = std::fabs(B) - 90.0;
    if (beyond > kPoleSlack || std::isnan(beyond)) {
        const Span span = m_fields[static_cast<std::size_t>(index)];
        return Fail(fault, index, "northing", TextOf(line, span.begin, span.end),
                    " lies beyond the pole");
    }
    if (beyond > 0.0) {
        B = std::copysign(90.0, B);
    }
    return true;
}

// What a plane coordinate operation writes must read back: the zone has a prefix in its
// system, and the easting carries that prefix (a point more than 500 km east or west of the
// central meridian would carry the neighbour's).
bool RecordConverter::CheckTarget(std::string_view line, int index, ZoneSystem system, int zone,
                                  double Y, RecordFault& fault) const {
    if (!std::isfinite(Y) || (HasPrefix(system, zone) && PrefixOf(Y) == zone)) {
        return true;
    }
    const Span span = m_fields[static_cast<std::size_t>(index)];
    const std::string_view field = TextOf(line, span.begin, span.end);
    const char* what = m_settings.operation == Operation::Forward ? "longitude" : "easting";
    if (!HasPrefix(system, zone)) {
        return Fail(fault, index, what, field,
                    " leads to zone " + std::to_string(zone) + ", not a " + SystemText(system));
    }
    if (m_settings.k0 != 1.0 || m_settings.falseEasting != 500000.0) {
        return Fail(fault, index, what, field,
                    " puts the easting outside the millions of zone " + std::to_string(zone) +
                        ", where its prefix would name another zone");
    }
    return Fail(fault, index, what, field,
                " puts the point more than 500 km from the central meridian of zone " +
                    std::to_string(zone) + ", beyond what its easting can carry");
}

bool RecordConverter::Forward(std::string_view line, const Plan& plan, double B, double L,
                              PlanePoint& out, RecordFault& fault) {
    const std::string_view lonText =
        TextOf(line, m_fields[static_cast<std::size_t>(plan.second)].begin,
               m_fields[static_cast<std::size_t>(plan.second)].end);
    if (std::fabs(PackedToDegrees(B)) > 90.0) {
        const Span span = m_fields[static_cast<std::size_t>(plan.first)];
        return Fail(fault, plan.first, "latitude", TextOf(line, span.begin, span.end),
                    " is beyond ±90°");
    }
    if (!(L >= 0.0 && L < 360.0)) {
        return Fail(fault, plan.second, "longitude", lonText, " is outside 0° to 360°");
    }
    const double lat = PackedToDegrees(B);
    double lon = PackedToDegrees(L);
    if (m_fixed) {
        // A meridian near Greenwich has its western points just under 360°.
        const double centralMeridian = m_fixed->Params().centralMeridian;
        if (lon - centralMeridian >= 180.0) {
            lon -= 360.0;
        } else if (lon - centralMeridian < -180.0) {
            lon += 360.0;
        }
        if (std::fabs(lon - centralMeridian) > kChosenMeridianReach) {
            std::string problem = " lies ";
            AppendNumber(problem, std::fabs(lon - centralMeridian), 4);
            problem += "° from the central meridian, beyond the 6° a chosen meridian or zone takes";
            return Fail(fault, plan.second, "longitude", lonText, problem);
        }
        out = m_fixed->Forward(lat, lon);
        return !m_fixedZone || CheckTarget(line, plan.second, m_system, *m_fixedZone, out.y, fault);
    }
    const Zone zone = m_system.ZoneOfLongitude(lon);
    if (!m_system.Exists(zone.number)) {
        return Fail(fault, plan.second, "longitude", lonText,
                    " lies in zone " + std::to_string(zone.number) + " of the " +
                        std::to_string(m_system.Width()) +
                        "° system, which has no zone prefix (zones 1 to " +
                        std::to_string(m_system.LastZone()) + ")");
    }
    out = ZoneProjection(zone.number).Forward(lat, lon);
    // The zone has a prefix (checked above), so only the prefix written needs a look.
    return PrefixOf(out.y) == zone.number ||
           CheckTarget(line, plan.second, m_system, zone.number, out.y, fault);
}

bool RecordConverter::Inverse(std::string_view line, const Plan& plan, double x, double y,
                              GeoPoint& out, RecordFault& fault) {
    const Span ySpan = m_fields[static_cast<std::size_t>(plan.second)];
    if (m_fixed) {
        if (m_fixedZone && PrefixOf(y) != *m_fixedZone) {
            std::string problem = " has zone prefix ";
            AppendNumber(problem, PrefixOf(y), std::fabs(PrefixOf(y)) < 1e15 ? 0 : -1);
            problem += ", not the chosen zone " + std::to_string(*m_fixedZone);
            return Fail(fault, plan.second, "easting", TextOf(line, ySpan.begin, ySpan.end),
                        problem);
        }
        out = m_fixed->Inverse(x, y);
        const double centralMeridian = m_fixed->Params().centralMeridian;
        if (std::fabs(out.lon - centralMeridian) > kChosenMeridianReach) {
            return Fail(fault, plan.second, "easting", TextOf(line, ySpan.begin, ySpan.end),
                        " puts the point more than 6° from the central meridian, farther than "
                        "a chosen meridian or zone takes");
        }
        // Longitudes are written from 0° to 360°, as forward reads them.
        if (out.lon < 0.0) {
            out.lon += 360.0;
        } else if (out.lon >= 360.0) {
            out.lon -= 360.0;
        }
    } else {
        if (!CheckSourcePrefix(line, plan.second, y, m_system, fault)) {
            return false;
        }
        out = ZoneProjection(m_system.ZoneOfEasting(y).number).Inverse(x, y);
    }
    return CheckLatitude(line, plan.first, out.lat, fault);
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
    double r1 = 0.0;
    double r2 = 0.0;
    switch (m_settings.operation) {
    case Operation::Forward: {
        PlanePoint plane{};
        if (!Forward(line, plan, v1, v2, plane, fault)) {
            return Result::Failed;
        }
        r1 = plane.x;
        r2 = plane.y;
        break;
    }
    case Operation::Inverse: {
        GeoPoint geo{};
        if (!Inverse(line, plan, v1, v2, geo, fault)) {
            return Result::Failed;
        }
        // Packed angles only at the edge: the output takes them from degrees here.
        r1 = DegreesToPacked(geo.lat);
        r2 = DegreesToPacked(geo.lon);
        break;
    }
    case Operation::Adjacent:
    case Operation::ThreeToSix:
    case Operation::SixToThree: {
        if (!CheckSourcePrefix(line, plan.second, v2, m_system, fault)) {
            return Result::Failed;
        }
        const PlanePoint from{v1, v2};
        const ZoneSystem target = m_settings.operation == Operation::ThreeToSix ? ZoneSystem::Six()
                                  : m_settings.operation == Operation::SixToThree
                                      ? ZoneSystem::Three()
                                      : m_system;
        // The series carries the point between zones as the desktop program does, so that
        // both give the same numbers.
        const ZoneCarry carry =
            m_settings.method == Method::Series ? ZoneCarry::PackedAngles : ZoneCarry::Degrees;
        const ZonedPoint to =
            m_settings.operation == Operation::Adjacent
                ? ToAdjacentZone(m_settings.ellipsoid, m_system, m_settings.method, from, carry)
                : ToZoneSystem(m_settings.ellipsoid, m_system, target, m_settings.method, from,
                               carry);
        double B = to.geo.lat;
        if (!CheckLatitude(line, plan.first, B, fault) ||
            !CheckTarget(line, plan.second, target, to.zone.number, to.plane.y, fault)) {
            return Result::Failed;
        }
        r1 = to.plane.x;
        r2 = to.plane.y;
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
