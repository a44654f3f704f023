// Record parsing, validation and conversion for gkconv.
#include "record_converter.h"

#include <cmath>

#include "packed_angle.h"
#include "text_number.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Walks the fields of one line. With a delimiter character the fields are what lies between
// delimiters, trimmed of blanks; in blank mode any run of spaces and tabs separates fields.
class FieldCursor {
public:
    FieldCursor(std::string_view line, char delimiter) : m_line(line), m_delimiter(delimiter) {}

    bool Next(std::string_view& field) {
        if (m_done) {
            return false;
        }
        if (m_delimiter == ' ') {
            while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) {
                ++m_pos;
            }
            if (m_pos == m_line.size()) {
                m_done = true;
                return false;
            }
            std::size_t end = m_pos;
            while (end < m_line.size() && !IsBlank(m_line[end])) {
                ++end;
            }
            field = m_line.substr(m_pos, end - m_pos);
            m_pos = end;
            return true;
        }
        const std::size_t end = m_line.find(m_delimiter, m_pos);
        if (end == std::string_view::npos) {
            field = Trim(m_line.substr(m_pos));
            m_done = true;
        } else {
            field = Trim(m_line.substr(m_pos, end - m_pos));
            m_pos = end + 1;
        }
        return true;
    }

    // Whatever follows the fields taken so far, unchanged; empty when nothing does.
    std::string_view Rest() const {
        if (m_done) {
            return {};
        }
        if (m_delimiter == ' ') {
            return Trim(m_line.substr(m_pos));
        }
        return m_line.substr(m_pos);
    }

    bool HasRest() const { return !m_done && (m_delimiter != ' ' || !Rest().empty()); }

private:
    std::string_view m_line;
    char m_delimiter;
    std::size_t m_pos = 0;
    bool m_done = false;
};

char DetectDelimiter(std::string_view line) {
    if (line.find(',') != std::string_view::npos) {
        return ',';
    }
    if (line.find('\t') != std::string_view::npos) {
        return '\t';
    }
    return ' ';
}

void Quote(std::string& out, std::string_view text) {
    out += '\'';
    out.append(text.substr(0, 40));
    if (text.size() > 40) {
        out += "...";
    }
    out += '\'';
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

ParseStatus RecordConverter::ReadCoordinate(std::string_view field, bool isAngle, const char* what,
                                            double& value, std::string& error) const {
    const ParseStatus status =
        isAngle ? ParseAngle(field, m_settings.angles, value) : ParseNumber(field, value);
    if (status == ParseStatus::Ok) {
        return status;
    }
    error += what;
    error += ' ';
    Quote(error, field);
    switch (status) {
    case ParseStatus::NotFinite:
        error += " is not a finite number";
        break;
    case ParseStatus::NotWhole:
        error += ": degrees and minutes must be whole numbers";
        break;
    case ParseStatus::SixtyOrMore:
        error += ": minutes and seconds must be below 60";
        break;
    default:
        error += m_settings.angles == AngleFormat::Dms && isAngle ? " is not a D:M:S angle"
                                                                  : " is not a number";
        break;
    }
    return status;
}

bool RecordConverter::CheckZonePrefix(std::string_view field, double Y, int width,
                                      std::string& error) const {
    const int zone = TruncateToInt(Y) / 1000000;
    const int last = width == 3 ? 120 : 60;
    if (zone >= 1 && zone <= last) {
        return true;
    }
    error += "easting ";
    Quote(error, field);
    error += " has zone prefix ";
    error += std::to_string(zone);
    error += width == 3 ? ", not a 3° zone (1 to 120)" : ", not a 6° zone (1 to 60)";
    return false;
}

RecordConverter::Result RecordConverter::Convert(std::string_view line, std::string& out,
                                                 std::string& error) {
    error.clear();
    std::string_view content = line;
    if (!content.empty() && content.back() == '\r') {
        content.remove_suffix(1);
    }
    const std::string_view trimmed = Trim(content);
    if (trimmed.empty() || trimmed.front() == '#') {
        out.append(line);
        out += '\n';
        return Result::PassedThrough;
    }

    const char delimiter = m_settings.delimiter ? m_settings.delimiter : DetectDelimiter(content);
    const bool forward = m_settings.operation == Operation::Forward;
    const char* firstName = forward ? "latitude" : "northing";
    const char* secondName = forward ? "longitude" : "easting";

    FieldCursor cursor(content, delimiter);
    std::string_view name;
    std::string_view first;
    std::string_view second;
    cursor.Next(first);
    double v1 = 0.0;
    double v2 = 0.0;
    const ParseStatus firstStatus = ReadCoordinate(first, forward, firstName, v1, error);
    if (firstStatus != ParseStatus::Ok) {
        // A first field that is not a number names the point, when coordinates follow it.
        std::string_view next;
        if (firstStatus != ParseStatus::NotANumber || !cursor.Next(next)) {
            return Result::Failed;
        }
        error.clear();
        name = first;
        first = next;
        if (ReadCoordinate(first, forward, firstName, v1, error) != ParseStatus::Ok) {
            return Result::Failed;
        }
    }
    if (!cursor.Next(second) || second.empty()) {
        error += "expected two coordinates";
        if (!name.empty()) {
            error += " after the point name ";
            Quote(error, name);
        }
        return Result::Failed;
    }
    if (ReadCoordinate(second, forward, secondName, v2, error) != ParseStatus::Ok) {
        return Result::Failed;
    }

    CGaussProjection& p = m_proj;
    double r1 = 0.0;
    double r2 = 0.0;
    switch (m_settings.operation) {
    case Operation::Forward:
        if (std::fabs(PackedToDegrees(v1)) > 90.0) {
            error += "latitude ";
            Quote(error, first);
            error += " is beyond ±90°";
            return Result::Failed;
        }
        p.SetAll(m_settings.zoneWidth, m_settings.a, m_settings.f, v1, v2, 0.0, 0.0);
        p.ZoneFromL();
        p.BLToXY();
        r1 = p.m_X;
        r2 = p.m_Y;
        break;
    case Operation::Inverse:
        if (!CheckZonePrefix(second, v2, m_settings.zoneWidth, error)) {
            return Result::Failed;
        }
        p.SetAll(m_settings.zoneWidth, m_settings.a, m_settings.f, 0.0, 0.0, v1, v2);
        p.ZoneFromY();
        p.XYToBL();
        r1 = p.m_B;
        r2 = p.m_L;
        if (std::fabs(PackedToDegrees(r1)) > 90.0) {
            error += "northing ";
            Quote(error, first);
            error += " lies beyond the pole";
            return Result::Failed;
        }
        break;
    case Operation::Adjacent:
    case Operation::ThreeToSix:
    case Operation::SixToThree: {
        const int width = SourceZoneWidth(m_settings);
        if (!CheckZonePrefix(second, v2, width, error)) {
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
        r1 = p.m_X;
        r2 = p.m_Y;
        break;
    }
    }
    if (!std::isfinite(r1) || !std::isfinite(r2)) {
        error += "the coordinates give no finite result";
        return Result::Failed;
    }

    const char outDelimiter = delimiter;
    if (!name.empty()) {
        out.append(name);
        out += outDelimiter;
    }
    if (m_settings.operation == Operation::Inverse) {
        AppendAngle(out, r1, m_settings.angles, m_angleDecimals);
        out += outDelimiter;
        AppendAngle(out, r2, m_settings.angles, m_angleDecimals);
    } else {
        AppendNumber(out, r1, m_metreDecimals);
        out += outDelimiter;
        AppendNumber(out, r2, m_metreDecimals);
    }
    if (cursor.HasRest()) {
        out += outDelimiter;
        out.append(cursor.Rest());
    }
    // A file written with CR LF line ends gets them back.
    if (content.size() != line.size()) {
        out += '\r';
    }
    out += '\n';
    return Result::Converted;
}
