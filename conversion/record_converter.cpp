// Record splitting, column layout, validation and conversion: each record is read, computed by
// its operation and written back in place.
#include "conversion/record_converter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "conversion/angle_parsing.h"
#include "conversion/angle_writing.h"
#include "conversion/crs_settings.h"
#include "conversion/number_text.h"
#include "engine/packed_angle.h"
#include "engine/zone_transform.h"

namespace {

// A northing that the inverse series puts this far (in degrees, about a metre) beyond a pole is
// the pole written with fewer decimals than it was computed to; farther out it is an error.
constexpr double kPoleSlack = 1e-5;

// How far on the ground (metres) an inverse point may lie beyond the reach and still be read as
// on its line: forward writes points on the line rounded (to whole metres with --precision 0),
// and the series' forward and inverse disagree by a few centimetres there.
constexpr double kReachSlackMetres = 1.0;

// Where the series can be trusted to say on which side of the reach a point lies: within this
// latitude and this far inside the reach it is off by millimetres, far less than the margin.
constexpr double kSeriesSureLatitude = 84.0;
constexpr double kSeriesSureReach = kChosenMeridianReach - 0.1;

const double kDegree = std::acos(-1.0) / 180.0;

// Whether text is a whole number written with digits only, as point numbers are.
bool IsWholeNumberText(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool PassesThrough(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

std::string_view TextOf(std::string_view line, FieldSpan span) {
    return line.substr(span.begin, span.end - span.begin);
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

// Whether the operation reads B and L (rather than X and Y).
bool AnglesIn(Operation operation) {
    return operation == Operation::Forward || operation == Operation::Datum;
}

// A longitude written beside the one it came from, so that a datum change near the meridian
// where longitudes wrap does not jump by a turn: 359.99999° stays near 360°, not -0.00001°.
double NearLongitude(double lon, double near) {
    if (lon - near > 180.0) {
        return lon - 360.0;
    }
    if (lon - near < -180.0) {
        return lon + 360.0;
    }
    return lon;
}

// Text that is not a number in the form a field is read in, as the default layout rule asks.
bool IsNoNumber(const Problem& problem) {
    return problem.code == ProblemCode::NotANumber || problem.code == ProblemCode::NotDmsAngle;
}

} // namespace

RecordConverter::RecordConverter(const Settings& settings)
    : m_settings(settings), m_system(SourceZoneSystem(settings)),
      m_metreDecimals(settings.exact            ? -1
                      : settings.precision >= 0 ? settings.precision
                                                : 4),
      m_angleDecimals(settings.exact                        ? -1
                      : settings.precision >= 0             ? settings.precision
                      : settings.angles == AngleFormat::Dms ? 6
                                                            : 10) {
    if (Result<void> check = CheckProjection(settings); !check) {
        throw ProblemError(check.problem());
    }
    if ((settings.operation == Operation::Datum && !settings.datum) ||
        (settings.operation == Operation::Plane && !settings.plane)) {
        throw std::invalid_argument("the transformation's parameters are missing");
    }
    if (settings.targetZone) {
        const ZoneSystem target = OutputZoneSystem(settings);
        m_target.emplace(
            ProjectionParamsOf(settings, target.CentralMeridian(*settings.targetZone),
                               settings.targetPrefix ? settings.targetZone : std::nullopt));
    }
    const std::optional<int> zone = FixedZone(settings);
    if (zone || settings.centralMeridian) {
        const double centralMeridian =
            settings.centralMeridian ? *settings.centralMeridian : m_system.CentralMeridian(*zone);
        if (settings.prefix) {
            m_fixedZone = zone;
        }
        m_fixed.emplace(ProjectionParamsOf(settings, centralMeridian, m_fixedZone));
        if (settings.method == Method::Series && settings.operation == Operation::Inverse) {
            ProjectionParams exact = m_fixed->Params();
            exact.method = Method::Krueger;
            m_exactFixed.emplace(exact);
        }
    } else if (settings.operation == Operation::Forward ||
               settings.operation == Operation::Inverse) {
        // Every zone is made now, so that converting never changes the converter.
        m_zones.reserve(static_cast<std::size_t>(m_system.LastZone()));
        for (int n = 1; n <= m_system.LastZone(); ++n) {
            m_zones.emplace_back(ProjectionParamsOf(settings, m_system.CentralMeridian(n), n));
        }
        if (settings.method == Method::Series && settings.operation == Operation::Inverse) {
            m_exactZones.reserve(m_zones.size());
            for (const Projection& zone : m_zones) {
                ProjectionParams exact = zone.Params();
                exact.method = Method::Krueger;
                m_exactZones.emplace_back(exact);
            }
        }
    }
}

const Projection& RecordConverter::ZoneProjection(int zone) const {
    return m_zones[static_cast<std::size_t>(zone - 1)];
}

// Whether a line shows this delimiter: a comma or tab anywhere, blanks between two fields.
bool RecordConverter::Shows(std::string_view line, char delimiter) {
    if (delimiter != ' ') {
        return line.find(delimiter) != std::string_view::npos;
    }
    const std::size_t first = line.find_first_not_of(" \t");
    const std::size_t last = line.find_last_not_of(" \t");
    return first != std::string_view::npos &&
           line.substr(first, last - first).find_first_of(" \t") != std::string_view::npos;
}

// The first record of an input that shows a delimiter decides it for every line after it, so
// that a comma in a remark does not split a tab- or blank-separated line anew. Of the
// delimiters it shows, the first that gives it readable coordinates is taken, trying a tab
// before a comma (remarks hold commas, seldom tabs) and a comma before blanks (names hold
// blanks); when none does, the first it shows. A record of one field decides nothing.
void RecordConverter::DecideDelimiter(std::string_view line, ReadState& state) const {
    if (m_settings.delimiter || state.delimiter) {
        return;
    }
    std::vector<FieldSpan> fields;
    char shown = 0;
    for (const char delimiter : {'\t', ',', ' '}) {
        if (!Shows(line, delimiter)) {
            continue;
        }
        shown = shown ? shown : delimiter;
        ReadState trial;
        trial.delimiter = delimiter;
        if (ReadRecord(line, fields, trial)) {
            state.delimiter = delimiter;
            return;
        }
    }
    state.delimiter = shown;
}

char RecordConverter::DelimiterOf(const ReadState& state) const {
    if (m_settings.delimiter) {
        return m_settings.delimiter;
    }
    return state.delimiter ? state.delimiter : ' ';
}

// With a delimiter character the fields are what lies between delimiters, trimmed of blanks,
// and an empty field is a field; with blanks any run of spaces and tabs separates fields.
void RecordConverter::FindFields(std::string_view line, std::size_t wanted,
                                 std::vector<FieldSpan>& fields, ReadState& state) const {
    fields.clear();
    const char delimiter = DelimiterOf(state);
    std::size_t pos = 0;
    while (fields.size() < wanted) {
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
            fields.push_back({pos, end});
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
        fields.push_back({begin, stop});
        if (last) {
            return;
        }
        pos = end + 1;
    }
}

Quantity RecordConverter::QuantityOf(bool first) const {
    // Forward and datum read latitude and longitude; the others read plane coordinates.
    if (AnglesIn(m_settings.operation)) {
        return first ? Quantity::Latitude : Quantity::Longitude;
    }
    return first ? Quantity::Northing : Quantity::Easting;
}

bool RecordConverter::DegreesOut() const {
    return m_settings.operation == Operation::Datum && m_settings.angles == AngleFormat::Degrees;
}

bool RecordConverter::AnglesOut() const {
    return (m_settings.operation == Operation::Inverse ||
            m_settings.operation == Operation::Datum) &&
           !DegreesOut();
}

Problem RecordConverter::FieldProblem(ProblemCode code, int index, bool first) const {
    return Problem{.code = code, .field = index + 1, .quantity = QuantityOf(first)};
}

Result<double> RecordConverter::ReadField(std::string_view line,
                                          const std::vector<FieldSpan>& fields, int index,
                                          bool isAngle) const {
    const std::string_view text = TextOf(line, fields[static_cast<std::size_t>(index)]);
    return isAngle ? ParseAngle(text, m_settings.angles) : ParseNumber(text);
}

RecordConverter::Layout RecordConverter::LayoutOf(std::string_view line,
                                                  const std::vector<FieldSpan>& fields) const {
    const ColumnLayout& columns = m_settings.columns;
    if (columns.given) {
        return {columns.name, columns.first, columns.second, columns.height, std::nullopt};
    }
    // Without a layout, a first field that is not a number names the point when more fields
    // follow it. An empty first field is a name too, so the columns never shift.
    const bool forward = AnglesIn(m_settings.operation);
    Result<double> first = ReadField(line, fields, 0, forward);
    if (!first && IsNoNumber(first.problem()) && fields.size() >= 2) {
        return {0, 1, 2, -1, std::nullopt};
    }
    return {-1, 0, 1, -1, std::move(first)};
}

Result<RecordConverter::Record> RecordConverter::ReadRecord(std::string_view line,
                                                            std::vector<FieldSpan>& fields,
                                                            ReadState& state) const {
    DecideDelimiter(line, state);
    const ColumnLayout& columns = m_settings.columns;
    FindFields(line,
               columns.given ? static_cast<std::size_t>(
                                   std::max({columns.first, columns.second, columns.height}) + 1)
                             : 3,
               fields, state);
    const bool forward = AnglesIn(m_settings.operation);
    Layout layout = LayoutOf(line, fields);
    Record record{layout.name, layout.first, layout.second, layout.height};
    if (layout.firstRead) {
        if (!*layout.firstRead) {
            Problem problem = layout.firstRead->problem();
            problem.field = 1;
            problem.quantity = QuantityOf(true);
            return problem;
        }
        record.v1 = **layout.firstRead;
        NoteNumberedFirstField(line, fields, state);
    }
    const int needed = std::max({record.first, record.second, record.height}) + 1;
    const int found = static_cast<int>(fields.size());
    if (found < needed) {
        if (columns.given) {
            return Problem{.code = ProblemCode::FieldsMissing,
                           .field = found + 1,
                           .count = found,
                           .needed = needed};
        }
        if (record.name >= 0) {
            return Problem{.code = ProblemCode::CoordinatesMissingAfterName,
                           .field = found + 1,
                           .text = std::string(TextOf(line, fields[0]))};
        }
        return Problem{.code = ProblemCode::CoordinatesMissing, .field = found + 1};
    }
    if (!layout.firstRead) {
        Result<double> v1 = ReadField(line, fields, record.first, forward);
        if (!v1) {
            v1.problem().field = record.first + 1;
            v1.problem().quantity = QuantityOf(true);
            return v1.problem();
        }
        record.v1 = *v1;
    }
    Result<double> v2 = ReadField(line, fields, record.second, forward);
    if (!v2) {
        v2.problem().field = record.second + 1;
        v2.problem().quantity = QuantityOf(false);
        return v2.problem();
    }
    record.v2 = *v2;
    if (record.height >= 0) {
        Result<double> h = ReadField(line, fields, record.height, false);
        if (!h) {
            h.problem().field = record.height + 1;
            h.problem().quantity = Quantity::Height;
            return h.problem();
        }
        record.h = *h;
    }
    return record;
}

Result<void> RecordConverter::CheckSourcePrefix(int index, double Y, ZoneSystem system) const {
    const double zone = PrefixOf(Y);
    if (HasPrefix(system, zone)) {
        return {};
    }
    Problem problem = FieldProblem(ProblemCode::PrefixNotInSystem, index, false);
    problem.value = zone;
    problem.width = system.Width();
    return problem;
}

Result<void> RecordConverter::CheckLatitude(int index, double& B) const {
    const double beyond = std::fabs(B) - 90.0;
    if (beyond > kPoleSlack || std::isnan(beyond)) {
        return FieldProblem(ProblemCode::BeyondPole, index, true);
    }
    if (beyond > 0.0) {
        B = std::copysign(90.0, B);
    }
    return {};
}

// What a plane coordinate operation writes must read back: the zone has a prefix in its
// system, and the easting carries that prefix (a point more than 500 km east or west of the
// central meridian would carry the neighbour's).
Result<void> RecordConverter::CheckTarget(int index, ZoneSystem system, int zone, double Y) const {
    if (!std::isfinite(Y) || (HasPrefix(system, zone) && PrefixOf(Y) == zone)) {
        return {};
    }
    ProblemCode code = ProblemCode::BeyondEastingReach;
    if (!HasPrefix(system, zone)) {
        code = ProblemCode::TargetZoneWithoutPrefix;
    } else if (m_settings.k0 != 1.0 || m_settings.falseEasting != 500000.0) {
        code = ProblemCode::EastingLeavesZone;
    }
    Problem problem = FieldProblem(code, index, false);
    problem.zone = zone;
    problem.width = system.Width();
    return problem;
}

void RecordConverter::NoteDistance(double degrees, ReadState& state) const {
    if (m_settings.method == Method::Series && degrees > kSeriesNoteFrom) {
        ++state.seriesFar;
        state.farthest = std::max(state.farthest, degrees);
    }
}

// A file "1001,3386902.25,18399692.74,41.7" reads 1001 as X without a word; the first such
// record is noted. Files "X,Y,H" without names exist, so the output stays as it is.
void RecordConverter::NoteNumberedFirstField(std::string_view line,
                                             const std::vector<FieldSpan>& fields,
                                             ReadState& state) const {
    if (state.numberedFirstField || fields.size() < 3) {
        return;
    }
    const std::string_view first = TextOf(line, fields[0]);
    if (IsWholeNumberText(first) && ParseNumber(TextOf(line, fields[2]))) {
        state.numberedFirstField = true;
        state.numberedText = first;
    }
}

Problem RecordConverter::NumberedFirstFieldNote(const ReadState& state, std::int64_t line) const {
    return Problem{.code = ProblemCode::FirstFieldReadAsCoordinate,
                   .field = 1,
                   .line = line,
                   .quantity = QuantityOf(true),
                   .text = state.numberedText};
}

Result<RecordConverter::Pair> RecordConverter::Forward(const Record& record,
                                                       ReadState& state) const {
    const double B = record.v1;
    const double L = record.v2;
    if (std::fabs(PackedToDegrees(B)) > 90.0) {
        return FieldProblem(ProblemCode::LatitudeBeyond90, record.first, true);
    }
    if (!(L >= 0.0 && L < 360.0)) {
        return FieldProblem(ProblemCode::LongitudeOutside360, record.second, false);
    }
    double lat = PackedToDegrees(B);
    double lon = PackedToDegrees(L);
    double h = record.h;
    if (m_settings.datum) {
        // The point is projected on the datum it is changed to.
        const GeodeticPoint changed = m_settings.datum->Forward({lat, lon, h});
        lat = changed.lat;
        lon = NearLongitude(changed.lon, lon);
        h = changed.h;
        if (lon < 0.0) {
            lon += 360.0;
        } else if (lon >= 360.0) {
            lon -= 360.0;
        }
    }
    // After projecting, the plane similarity, if any.
    const auto moved = [&](PlanePoint p) {
        if (m_settings.plane) {
            p = m_settings.plane->Forward(p);
        }
        return Pair{p.x, p.y, h};
    };
    if (m_fixed) {
        // A meridian near Greenwich has its western points just under 360°.
        const double centralMeridian = m_fixed->Params().centralMeridian;
        if (lon - centralMeridian >= 180.0) {
            lon -= 360.0;
        } else if (lon - centralMeridian < -180.0) {
            lon += 360.0;
        }
        if (std::fabs(lon - centralMeridian) > kChosenMeridianReach) {
            Problem problem =
                FieldProblem(ProblemCode::FarFromChosenMeridian, record.second, false);
            problem.value = std::fabs(lon - centralMeridian);
            problem.bound = kChosenMeridianReach;
            return problem;
        }
        const PlanePoint p = m_fixed->Forward(lat, lon);
        if (m_fixedZone) {
            if (Result<void> check = CheckTarget(record.second, m_system, *m_fixedZone, p.y);
                !check) {
                return check.problem();
            }
        }
        NoteDistance(std::fabs(lon - centralMeridian), state);
        return moved(p);
    }
    const Zone zone = m_system.ZoneOfLongitude(lon);
    if (!m_system.Exists(zone.number)) {
        Problem problem = FieldProblem(ProblemCode::ZoneWithoutPrefix, record.second, false);
        problem.zone = zone.number;
        problem.width = m_system.Width();
        return problem;
    }
    const PlanePoint p = ZoneProjection(zone.number).Forward(lat, lon);
    // The zone has a prefix (checked above), so only the prefix written needs a look.
    if (PrefixOf(p.y) != zone.number) {
        if (Result<void> check = CheckTarget(record.second, m_system, zone.number, p.y); !check) {
            return check.problem();
        }
    }
    NoteDistance(std::fabs(lon - zone.centralMeridian), state);
    return moved(p);
}

Result<void> RecordConverter::CheckInverseReach(const Projection& projection,
                                                const Projection* exact, std::optional<int> zone,
                                                int northingIndex, int index, double x, double y,
                                                GeoPoint& geo) const {
    const double centralMeridian = projection.Params().centralMeridian;
    // Where the series may be wrong about the side (far out, near a pole, or no answer at all),
    // Krüger's series, exact to nanometres, says where the point lies.
    GeoPoint where = geo;
    if (exact && !(std::fabs(geo.lat) <= kSeriesSureLatitude &&
                   std::fabs(geo.lon - centralMeridian) <= kSeriesSureReach)) {
        where = exact->Inverse(x, y);
    }
    if (std::isnan(where.lat)) {
        return {}; // beyond a pole: the latitude check says so
    }
    // The projection maps the far side of a pole beyond it: such a point lies past the pole,
    // and within the pole's slack it is the pole.
    if (std::fabs(where.lon - centralMeridian) > 90.0) {
        if (90.0 - std::fabs(where.lat) <= kPoleSlack) {
            geo = {std::copysign(90.0, where.lat), centralMeridian};
            return {};
        }
        return FieldProblem(ProblemCode::BeyondPole, northingIndex, true);
    }
    const double beyond = std::fabs(where.lon - centralMeridian) - kChosenMeridianReach;
    const double metres =
        beyond * kDegree * m_settings.ellipsoid.a() * std::cos(where.lat * kDegree);
    if (beyond <= 0.0 || metres <= kReachSlackMetres) {
        // A point a rounding step or the series' few centimetres beyond is on the line, as
        // forward wrote it, and forward reads the result back.
        if (std::fabs(geo.lon - centralMeridian) > kChosenMeridianReach) {
            geo.lon =
                centralMeridian + std::copysign(kChosenMeridianReach, geo.lon - centralMeridian);
        }
        return {};
    }
    if (!zone || m_fixed) {
        Problem problem = FieldProblem(ProblemCode::InverseBeyondReach, index, false);
        problem.bound = kChosenMeridianReach;
        return problem;
    }
    Problem problem = FieldProblem(ProblemCode::InverseBeyondZoneReach, index, false);
    problem.zone = *zone;
    problem.value = std::fabs(where.lon - centralMeridian);
    problem.bound = kChosenMeridianReach;
    return problem;
}

Result<RecordConverter::Pair> RecordConverter::Inverse(const Record& record,
                                                       ReadState& state) const {
    double x = record.v1;
    double y = record.v2;
    if (m_settings.plane) {
        const PlanePoint before = m_settings.plane->Inverse({x, y});
        x = before.x;
        y = before.y;
    }
    const Projection* projection = nullptr;
    const Projection* exact = nullptr;
    std::optional<int> zone;
    if (m_fixed) {
        if (m_fixedZone && PrefixOf(y) != *m_fixedZone) {
            Problem problem = FieldProblem(ProblemCode::PrefixNotChosenZone, record.second, false);
            problem.value = PrefixOf(y);
            problem.zone = *m_fixedZone;
            return problem;
        }
        projection = &*m_fixed;
        exact = m_exactFixed ? &*m_exactFixed : nullptr;
    } else {
        if (Result<void> check = CheckSourcePrefix(record.second, y, m_system); !check) {
            return check.problem();
        }
        zone = m_system.ZoneOfEasting(y).number;
        projection = &ZoneProjection(*zone);
        exact = m_exactZones.empty() ? nullptr : &m_exactZones[static_cast<std::size_t>(*zone - 1)];
    }
    GeoPoint geo = projection->Inverse(x, y);
    if (Result<void> check =
            CheckInverseReach(*projection, exact, zone, record.first, record.second, x, y, geo);
        !check) {
        return check.problem();
    }
    if (Result<void> check = CheckLatitude(record.first, geo.lat); !check) {
        return check.problem();
    }
    NoteDistance(std::fabs(geo.lon - projection->Params().centralMeridian), state);
    // Longitudes are written from 0° to 360°, as forward reads them.
    if (geo.lon < 0.0) {
        geo.lon += 360.0;
    } else if (geo.lon >= 360.0) {
        geo.lon -= 360.0;
    }
    double h = record.h;
    if (m_settings.datum) {
        const GeodeticPoint back = m_settings.datum->Inverse({geo.lat, geo.lon, h});
        geo.lat = back.lat;
        geo.lon = NearLongitude(back.lon, geo.lon);
        h = back.h;
    }
    // Packed angles only at the edge: the output takes them from degrees here.
    return Pair{DegreesToPacked(geo.lat), DegreesToPacked(geo.lon), h};
}

Result<RecordConverter::Pair> RecordConverter::ChangeDatum(const Record& record) const {
    const double lat = PackedToDegrees(record.v1);
    const double lon = PackedToDegrees(record.v2);
    if (std::fabs(lat) > 90.0) {
        return FieldProblem(ProblemCode::LatitudeBeyond90, record.first, true);
    }
    if (!(lon >= -180.0 && lon < 360.0)) {
        return FieldProblem(ProblemCode::LongitudeOutside360, record.second, false);
    }
    const GeodeticPoint changed = m_settings.undo ? m_settings.datum->Inverse({lat, lon, record.h})
                                                  : m_settings.datum->Forward({lat, lon, record.h});
    const double changedLon = NearLongitude(changed.lon, lon);
    // Decimal degrees are written from the degrees as they are, without the trip through the
    // packed form.
    if (DegreesOut()) {
        return Pair{changed.lat, changedLon, changed.h};
    }
    return Pair{DegreesToPacked(changed.lat), DegreesToPacked(changedLon), changed.h};
}

Result<RecordConverter::Pair> RecordConverter::MovePlane(const Record& record) const {
    const PlanePoint p = m_settings.undo ? m_settings.plane->Inverse({record.v1, record.v2})
                                         : m_settings.plane->Forward({record.v1, record.v2});
    return Pair{p.x, p.y};
}

Result<RecordConverter::Pair> RecordConverter::ZoneTransform(const Record& record) const {
    if (Result<void> check = CheckSourcePrefix(record.second, record.v2, m_system); !check) {
        return check.problem();
    }
    const PlanePoint from{record.v1, record.v2};
    // The target zone of a change of system follows the settings' zone rule.
    const ZoneSystem target = OutputZoneSystem(m_settings);
    // The series carries the point between zones as the desktop program does, so that both
    // give the same numbers.
    const ZoneCarry carry =
        m_settings.method == Method::Series ? ZoneCarry::PackedAngles : ZoneCarry::Degrees;
    ZonedPoint to =
        m_settings.operation == Operation::Adjacent
            ? ToAdjacentZone(m_settings.ellipsoid, m_system, m_settings.method, from, carry)
            : ToZoneSystem(m_settings.ellipsoid, m_system, target, m_settings.method, from, carry);
    double B = to.geo.lat;
    if (Result<void> check = CheckLatitude(record.first, B); !check) {
        return check.problem();
    }
    if (m_target) {
        // Into the zone of an EPSG code, carried as the zone change carries (packed angles for
        // the series), whatever zone the rule would have chosen.
        GeoPoint geo{B, to.geo.lon};
        if (carry == ZoneCarry::PackedAngles) {
            geo = {PackedToDegrees(DegreesToPacked(geo.lat)),
                   PackedToDegrees(DegreesToPacked(geo.lon))};
        }
        const double centralMeridian = m_target->Params().centralMeridian;
        const double offset = std::remainder(geo.lon - centralMeridian, 360.0);
        if (!m_settings.targetPrefix && std::fabs(offset) > kChosenMeridianReach) {
            Problem problem =
                FieldProblem(ProblemCode::FarFromChosenMeridian, record.second, false);
            problem.value = std::fabs(offset);
            problem.bound = kChosenMeridianReach;
            return problem;
        }
        const PlanePoint plane = m_target->Forward(geo.lat, geo.lon);
        if (m_settings.targetPrefix) {
            if (Result<void> check =
                    CheckTarget(record.second, target, *m_settings.targetZone, plane.y);
                !check) {
                return check.problem();
            }
        }
        return Pair{plane.x, plane.y};
    }
    if (Result<void> check = CheckTarget(record.second, target, to.zone.number, to.plane.y);
        !check) {
        return check.problem();
    }
    return Pair{to.plane.x, to.plane.y};
}

// Each result takes the place of its input; everything around them stays as it was.
void RecordConverter::WriteRecord(std::string_view line, const std::vector<FieldSpan>& fields,
                                  const Record& record, Pair result, std::string& out) const {
    struct Written {
        FieldSpan span;
        double value;
        bool angle; // an angle: packed, in the angle format, or degrees as they are
        bool longitude;
    };
    const bool angles = AnglesOut() || DegreesOut();
    Written results[3] = {
        {fields[static_cast<std::size_t>(record.first)], result.r1, angles, false},
        {fields[static_cast<std::size_t>(record.second)], result.r2, angles, true},
        {{0, 0}, result.h, false, false}};
    std::size_t count = 2;
    if (record.height >= 0) {
        results[2].span = fields[static_cast<std::size_t>(record.height)];
        count = 3;
    }
    std::sort(results, results + count,
              [](const Written& a, const Written& b) { return a.span.begin < b.span.begin; });
    const auto write = [&](const Written& w) {
        if (!w.angle) {
            AppendNumber(out, w.value, m_metreDecimals);
            return;
        }
        const auto append = [&](double value) {
            if (DegreesOut()) {
                AppendNumber(out, value, m_angleDecimals);
            } else {
                AppendAngle(out, value, m_settings.angles, m_angleDecimals);
            }
        };
        const std::size_t begin = out.size();
        append(w.value);
        // A longitude a rounding step short of 360° may be written as 360, which forward
        // refuses: it is 0°.
        if (w.longitude && w.value > 359.0) {
            const Result<double> back =
                ParseAngle(std::string_view(out).substr(begin), m_settings.angles);
            if (back && *back >= 360.0) {
                out.resize(begin);
                append(0.0);
            }
        }
    };
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        out.append(line.substr(at, results[k].span.begin - at));
        write(results[k]);
        at = results[k].span.end;
    }
    out.append(line.substr(at));
}

RecordConverter::Outcome RecordConverter::Convert(std::string_view line, std::string& out,
                                                  Problem& problem, std::vector<FieldSpan>& fields,
                                                  ReadState& state) const {
    problem = Problem{};
    if (PassesThrough(line)) {
        out.append(line);
        return Outcome::PassedThrough;
    }
    const auto fail = [&](Problem p) {
        // A problem of one field quotes it.
        if (p.quantity != Quantity::None && p.field > 0 &&
            static_cast<std::size_t>(p.field) <= fields.size()) {
            p.text = TextOf(line, fields[static_cast<std::size_t>(p.field - 1)]);
        }
        problem = std::move(p);
        return Outcome::Failed;
    };
    const Result<Record> record = ReadRecord(line, fields, state);
    if (!record) {
        return fail(record.problem());
    }
    Result<Pair> result = Problem{};
    switch (m_settings.operation) {
    case Operation::Forward:
        result = Forward(*record, state);
        break;
    case Operation::Inverse:
        result = Inverse(*record, state);
        break;
    case Operation::Adjacent:
    case Operation::ThreeToSix:
    case Operation::SixToThree:
        result = ZoneTransform(*record);
        break;
    case Operation::Datum:
        result = ChangeDatum(*record);
        break;
    case Operation::Plane:
        result = MovePlane(*record);
        break;
    }
    if (!result) {
        return fail(result.problem());
    }
    if (!std::isfinite(result->r1) || !std::isfinite(result->r2) || !std::isfinite(result->h)) {
        return fail(Problem{.code = ProblemCode::NoFiniteResult});
    }
    WriteRecord(line, fields, *record, *result, out);
    return Outcome::Converted;
}

RecordConverter::Outcome RecordConverter::Convert(std::string_view line, std::string& out,
                                                  Problem& problem) const {
    std::vector<FieldSpan> fields;
    ReadState state;
    return Convert(line, out, problem, fields, state);
}

std::vector<SplitField> RecordConverter::Split(std::string_view line) const {
    ReadState state;
    return Split(line, state);
}

std::vector<SplitField> RecordConverter::Split(std::string_view line, ReadState& state) const {
    std::vector<SplitField> split;
    if (PassesThrough(line)) {
        return split;
    }
    DecideDelimiter(line, state);
    std::vector<FieldSpan> fields;
    FindFields(line, static_cast<std::size_t>(-1), fields, state);
    const Layout layout = LayoutOf(line, fields);
    if (layout.firstRead && *layout.firstRead) {
        NoteNumberedFirstField(line, fields, state);
    }
    const bool forward = AnglesIn(m_settings.operation);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int index = static_cast<int>(i);
        FieldRole role = FieldRole::Other;
        if (index == layout.name) {
            role = FieldRole::Name;
        } else if (index == layout.first) {
            role = forward ? FieldRole::B : FieldRole::X;
        } else if (index == layout.second) {
            role = forward ? FieldRole::L : FieldRole::Y;
        } else if (index == layout.height) {
            role = FieldRole::H;
        }
        split.push_back({std::string(TextOf(line, fields[i])), role});
    }
    return split;
}

RecordConverter::Outcome RecordConverter::ReadPoint(std::string_view line, Point& point,
                                                    Problem& problem) const {
    problem = Problem{};
    if (PassesThrough(line)) {
        return Outcome::PassedThrough;
    }
    std::vector<FieldSpan> fields;
    ReadState state;
    const Result<Record> record = ReadRecord(line, fields, state);
    if (!record) {
        problem = record.problem();
        if (problem.quantity != Quantity::None && problem.field > 0 &&
            static_cast<std::size_t>(problem.field) <= fields.size()) {
            problem.text = TextOf(line, fields[static_cast<std::size_t>(problem.field - 1)]);
        }
        return Outcome::Failed;
    }
    if (record->name >= static_cast<int>(fields.size())) {
        // A name column after the coordinates: the fields up to it.
        FindFields(line, static_cast<std::size_t>(record->name) + 1, fields, state);
    }
    point.name.clear();
    if (record->name >= 0 && record->name < static_cast<int>(fields.size())) {
        point.name = TextOf(line, fields[static_cast<std::size_t>(record->name)]);
    }
    point.first = record->v1;
    point.second = record->v2;
    point.height = record->h;
    return Outcome::Converted;
}
