// gkconv: converts files of points between geodetic and Gauss-Krüger coordinates.
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <CLI/CLI.hpp>

#include "batch.h"
#include "settings.h"
#include "text_number.h"

namespace {

constexpr int kExitFailedRecords = 1;
constexpr int kExitUsage = 2;
constexpr std::int64_t kProgressFrom = 16 << 20; // bytes: smaller files finish before it helps

const char* const kDescription =
    R"(Converts points between geodetic latitude/longitude (B, L) and Gauss-Krueger
plane coordinates (X northing, Y easting with zone prefix and 500 km false easting).

operations
  forward   B L -> X Y   zone from L by the whole-degree rule
  inverse   X Y -> B L   zone from Y's millions
  adjacent  X Y -> X Y   into the neighbouring zone on the point's side
  3to6      X Y -> X Y   from a 3-degree zone to the point's 6-degree zone
  6to3      X Y -> X Y   from a 6-degree zone to the point's 3-degree zone

A record is an optional point name, two coordinates, and further fields that are passed
through. Blank lines and lines starting with # pass through unchanged. Bad records are
reported on stderr as FILE:LINE: and left out. Exit status: 0 all converted, 1 some records
failed, 2 usage error.)";

struct Options {
    std::string operation;
    int zoneWidth = 0;
    std::string ellipsoid = "wgs84";
    double a = 0.0;
    double alfa = 0.0;
    std::string angles = "packed";
    int precision = -1;
    bool exact = false;
    std::string delimiter;
    bool header = false;
    std::string output;
    std::vector<std::string> files;
};

int Usage(const std::string& message) {
    std::fprintf(stderr, "gkconv: %s\nTry 'gkconv --help'.\n", message.c_str());
    return kExitUsage;
}

// Turns the parsed options into settings; on a usage error returns its message.
std::string MakeSettings(const Options& o, const CLI::App& app, Settings& s) {
    s.operation = *OperationByName(o.operation);
    const bool needsWidth = s.operation == Operation::Forward ||
                            s.operation == Operation::Inverse || s.operation == Operation::Adjacent;
    if (needsWidth && o.zoneWidth == 0) {
        return "'" + o.operation + "' needs the zone width: -w 3 or -w 6";
    }
    s.zoneWidth = o.zoneWidth == 3 ? 3 : 6;

    const bool customA = app.count("--a") > 0;
    const bool customAlfa = app.count("--alfa") > 0;
    if (customA != customAlfa) {
        return "--a and --alfa define an ellipsoid together; give both";
    }
    if (customA) {
        if (app.count("--ellipsoid") > 0) {
            return "give either --ellipsoid or --a with --alfa, not both";
        }
        if (!(std::isfinite(o.a) && o.a > 0.0) || !(std::isfinite(o.alfa) && o.alfa > 1.0)) {
            return "--a must be a positive length in metres and --alfa an inverse flattening "
                   "above 1";
        }
        s.a = o.a;
        s.f = 1.0 / o.alfa;
    } else {
        const EllipsoidPreset e = *EllipsoidByName(o.ellipsoid);
        s.a = e.a;
        s.f = 1.0 / e.alfa;
    }
    s.angles = *AngleFormatByName(o.angles);
    s.precision = o.precision;
    s.exact = o.exact;
    s.header = o.header;

    if (!o.delimiter.empty()) {
        const std::string& d = o.delimiter;
        if (d == "\\t" || d == "tab" || d == "\t") {
            s.delimiter = '\t';
        } else if (d == "space" || d == " ") {
            s.delimiter = ' ';
        } else if (d.size() == 1 && d != "#" && d != "." && d != "-" && d != "+" &&
                   !(d[0] >= '0' && d[0] <= '9')) {
            s.delimiter = d[0];
        } else {
            return "--delimiter takes one character that cannot be part of a number: got '" + d +
                   "'";
        }
    }
    return {};
}

// Progress on the terminal: the line is redrawn at most a few times a second and cleared
// before any other message.
class Progress {
public:
    void Show(const std::string& name, std::int64_t done, std::int64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (m_visible && now - m_last < std::chrono::milliseconds(200)) {
            return;
        }
        m_last = now;
        m_visible = true;
        std::fprintf(stderr, "\rgkconv: %s %3d%%", name.c_str(),
                     static_cast<int>(100 * done / (total > 0 ? total : 1)));
        std::fflush(stderr);
    }
    void Clear() {
        if (m_visible) {
            std::fputs("\r\033[K", stderr);
            m_visible = false;
        }
    }

private:
    std::chrono::steady_clock::time_point m_last;
    bool m_visible = false;
};

} // namespace

int main(int argc, char** argv) {
    CLI::App app{kDescription, "gkconv"};
    app.set_version_flag("--version", std::string("gkconv ") + GK_VERSION);
    app.get_formatter()->column_width(34);
    Options o;
    app.add_option("operation", o.operation, "forward, inverse, adjacent, 3to6 or 6to3")
        ->required()
        ->check(CLI::IsMember({"forward", "inverse", "adjacent", "3to6", "6to3"}));
    app.add_option("files", o.files, "input files; standard input when none or '-'");
    app.add_option("-w,--zone-width", o.zoneWidth, "3 or 6; for forward, inverse, adjacent")
        ->check(CLI::IsMember({3, 6}));
    app.add_option("-e,--ellipsoid", o.ellipsoid, "wgs84 (default), xian80, beijing54, cgcs2000")
        ->check(CLI::IsMember({"wgs84", "xian80", "beijing54", "cgcs2000"}));
    app.add_option("--a", o.a, "semi-major axis in metres of a user-defined ellipsoid");
    app.add_option("--alfa", o.alfa, "its inverse flattening");
    app.add_option("--angles", o.angles,
                   "packed DDD.MMSSsss (default), deg (decimal degrees) or dms (D:M:S)")
        ->check(CLI::IsMember({"packed", "deg", "dms"}));
    app.add_option("--precision", o.precision,
                   "decimals written: metres 4, packed and degrees 10, D:M:S seconds 6")
        ->check(CLI::Range(0, 17));
    app.add_flag("--exact", o.exact, "shortest text that reads back to the same double");
    app.add_option("-d,--delimiter", o.delimiter,
                   "field delimiter; default: what each line uses (comma, tab or blanks)");
    app.add_flag("--header", o.header, "pass the first line of each input through unchanged");
    app.add_option("-o,--output", o.output, "write to FILE instead of standard output");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Usage(e.what());
    }
    Settings settings;
    if (const std::string error = MakeSettings(o, app, settings); !error.empty()) {
        return Usage(error);
    }
    if (o.exact && o.precision >= 0) {
        return Usage("--exact and --precision exclude each other");
    }

    std::FILE* out = stdout;
    if (!o.output.empty()) {
        out = std::fopen(o.output.c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "gkconv: cannot write %s: %s\n", o.output.c_str(),
                         std::strerror(errno));
            return kExitFailedRecords;
        }
    }

    Progress progress;
    bool writeFailed = false;
    Batch batch(
        settings,
        [&](std::string_view text) {
            if (!writeFailed && std::fwrite(text.data(), 1, text.size(), out) != text.size()) {
                writeFailed = true;
            }
        },
        [&](std::string_view message) {
            progress.Clear();
            std::fwrite(message.data(), 1, message.size(), stderr);
        });

    if (o.files.empty()) {
        o.files.push_back("-");
    }
    const bool terminal = isatty(STDERR_FILENO) == 1;
    int unreadable = 0;
    for (const std::string& file : o.files) {
        const bool isStdin = file == "-";
        const int fd = isStdin ? STDIN_FILENO : open(file.c_str(), O_RDONLY);
        const std::string name = isStdin ? "<stdin>" : file;
        if (fd < 0) {
            std::fprintf(stderr, "gkconv: cannot read %s: %s\n", file.c_str(),
                         std::strerror(errno));
            ++unreadable;
            continue;
        }
        struct stat info {};
        const std::int64_t size =
            fstat(fd, &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : -1;
        batch.BeginInput(name);
        std::function<void(std::int64_t)> onBlock;
        if (terminal && !isStdin && size >= kProgressFrom) {
            onBlock = [&](std::int64_t done) { progress.Show(name, done, size); };
        }
        if (!FeedFromDescriptor(batch, fd, onBlock)) {
            progress.Clear();
            std::fprintf(stderr, "gkconv: error reading %s: %s\n", name.c_str(),
                         std::strerror(errno));
            ++unreadable;
        }
        batch.EndInput();
        progress.Clear();
        if (!isStdin) {
            close(fd);
        }
    }
    batch.Flush();
    if (std::fflush(out) != 0 || writeFailed || (out != stdout && std::fclose(out) != 0)) {
        std::fprintf(stderr, "gkconv: cannot write the output: %s\n", std::strerror(errno));
        return kExitFailedRecords;
    }

    if (batch.Failed() > 0 || unreadable > 0) {
        if (unreadable > 0) {
            std::fprintf(stderr, "gkconv: %d input file%s could not be read\n", unreadable,
                         unreadable == 1 ? "" : "s");
        }
        std::fprintf(stderr, "gkconv: %lld of %lld records failed\n",
                     static_cast<long long>(batch.Failed()),
                     static_cast<long long>(batch.Records()));
        return kExitFailedRecords;
    }
    return 0;
}
