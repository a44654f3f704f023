// gkconv: converts files of points between geodetic and Gauss-Krüger coordinates.
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/crs_options.h"
#include "cli/datum_options.h"
#include "cli/english_words.h"
#include "conversion/file_conversion.h"
#include "conversion/number_text.h"
#include "conversion/parameter_file.h"
#include "conversion/settings.h"

namespace {

constexpr int kExitFailedRecords = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFileError = 3;
constexpr std::int64_t kProgressFrom = 16 << 20; // bytes: smaller files finish before it helps

const char* const kDescription =
    R"(Converts points between geodetic latitude/longitude (B, L) and Gauss-Krueger
plane coordinates (X northing, Y easting with zone prefix and 500 km false easting).

operations
  forward   B L -> X Y   zone from L by the zone rule (--zone-rule)
  inverse   X Y -> B L   zone from Y's millions
  adjacent  X Y -> X Y   into the neighbouring zone on the point's side
  3to6      X Y -> X Y   from a 3-degree zone to the point's 6-degree zone
  6to3      X Y -> X Y   from a 6-degree zone to the point's 3-degree zone
  describe               the projection options as a PROJ string, with the EPSG
                         codes that name them, or with --params FILE the parameter
                         file's PROJ pipeline (reads no input)
  datum     B L [H] -> B L [H]   datum change (--params FILE, or --helmert with
                         --from-ellipsoid and --to-ellipsoid); --inverse undoes it
  plane     X Y -> X Y   4-parameter similarity (--params FILE or --similarity)
  fit MODEL              estimates helmert7, helmert3 or plane4 parameters from common
                         points: --source FILE --target FILE, matched by point name;
                         prints the report, -o writes the parameter file

A record is an optional point name (a first field that is not a number), two
coordinates, and further fields that are passed through; --columns names each field
instead (name, B L or X Y, - to pass through), e.g. --columns name,-,Y,X,- for
"point,code,east,north,height". A first field that is a whole number is a coordinate:
when a record holds more numbers than the operation reads, a note on stderr says so
(point numbers need --columns). The delimiter is the one the first record of each
input uses (tab, comma or blanks) unless -d gives it. Results take the place of their
inputs, in fixed notation. Blank lines and lines starting with # pass through
unchanged. Bad records are reported on stderr as FILE:LINE: and left out. -o writes the whole output or, on any read or write error,
leaves FILE as it was; it never writes over an input.

projection (forward and inverse; adjacent, 3to6 and 6to3 take --method only)
  By default each point goes into the zone the rule (forward) or Y's millions (inverse)
  name, with scale 1 and a 500 km false easting. --zone N puts every point in zone N;
  --central-meridian DEG projects about a meridian of your own and then needs
  --no-prefix, unless DEG is a zone's own meridian (that zone is then the prefix).
  --central-meridian reads in the run's --angles form (packed 114.30 is 114 deg 30 min)
  or as D:M:S (114:30) in any run; with --angles deg or dms a plain number is decimal.
  --no-prefix needs --central-meridian or --zone; inverse reads Y the same way, so
  give inverse the options forward had. A point may lie at most 6 degrees from the
  central meridian, also in the standard zones (inverse takes up to a metre more, the
  rounding of written metres, and puts such a point on the 6-degree line). With the
  series, points more than 4 degrees out bring a note on stderr.
  An ellipsoid of your own has --a from 6000000 to 7000000 m and --alfa at least 100
  (0 for a sphere); --scale lies from 0.9 to 1.1, the false origin within 1e8 m.
  Choose --method krueger for points far from the central meridian (the series loses
  millimetres beyond 3 degrees), for arbitrary central meridians, and for
  sub-millimetre work: it is exact to nanometres up to 6 degrees out. The default,
  series, gives the desktop program's numbers bit for bit.

zone rule and EPSG codes
  The zone rule in force is form (the default): the desktop form's whole-degree
  rule. --zone-rule standard takes the national division that the EPSG codes and
  map sheets follow: 114d30'E is 6-degree zone 19 (central meridian 111) by the
  form's rule and zone 20 (117) by the standard one; in 3-degree zones the form's
  zone 38 reaches from 113d00' to 115d59', the standard one from 112d30' to 115d30'.
  --crs EPSG:NNNN sets ellipsoid, zone width, central meridian, zone and prefix from
  a Gauss-Krueger code of CGCS2000 (4491-4554), Xi'an 1980 (2327-2390), Beijing 1954
  (2401-2442, 21413-21423, 21453-21463; 21473-21483 are deprecated) or New Beijing
  (4568-4589, 4652-4656, 4766-4800, 4812, 4822), for forward and inverse; for 3to6
  and 6to3 a code of the target system is the zone every point goes into. These codes
  list the northing first, as gkconv writes X before Y.
datum changes
  The height H is read and written only where --columns names it (name,B,L,H); without
  it the height is 0 and none is written. forward --datum FILE changes the datum, then
  projects on the file's target ellipsoid; --plane FILE moves the plane coordinates
  after projecting; inverse with the same options undoes both, in reverse order.
  describe --params FILE prints the file's PROJ pipeline for cct or a GIS. It reads and
  writes in gkconv's order, as the EPSG codes list their axes: B L H in degrees and
  metres (latitude first), or X Y (northing first).

Exit status: 0 all converted, 1 some records failed, 2 usage error, 3 a file could not
be read or written, 128+N stopped by signal N (SIGINT, SIGTERM, SIGHUP; -o leaves FILE
as it was).)";

struct Options {
    std::string operation;
    int zoneWidth = 0;
    std::string ellipsoid = "wgs84";
    std::string a;
    std::string alfa;
    std::string method = "series";
    std::string centralMeridian;
    std::string zone;
    bool noPrefix = false;
    std::string scale;
    std::string falseEasting;
    std::string falseNorthing;
    std::string columns;
    std::string angles = "packed";
    int precision = -1;
    bool exact = false;
    std::string delimiter;
    bool header = false;
    std::string output;
    std::vector<std::string> files;
    CrsOptions crs;
};

int Usage(const std::string& message) {
    std::fprintf(stderr, "gkconv: %s\nTry 'gkconv --help'.\n", message.c_str());
    return kExitUsage;
}

// A number option's value, read as record fields are (decimal only); false when it is none.
bool ReadNumberOption(const CLI::App& app, const char* name, const std::string& text,
                      double& value) {
    if (app.count(name) == 0) {
        return true;
    }
    const Result<double> number = ParseNumber(text);
    if (number) {
        value = *number;
    }
    return static_cast<bool>(number);
}

// The projection options; on a usage error returns its message.
std::string MakeProjection(const Options& o, const CLI::App& app, Settings& s) {
    s.method = *MethodByName(o.method);
    if (app.count("--central-meridian") > 0) {
        const Result<double> degrees = ParseCentralMeridian(o.centralMeridian, s.angles);
        if (!degrees) {
            return English(degrees.problem());
        }
        s.centralMeridian = *degrees;
    }
    if (app.count("--zone") > 0) {
        const Result<double> zone = ParseNumber(o.zone);
        if (!zone || *zone != std::trunc(*zone) || std::fabs(*zone) > 1e6) {
            return "--zone must be a whole zone number: got '" + o.zone + "'";
        }
        s.zone = static_cast<int>(*zone);
    }
    s.prefix = !o.noPrefix;
    if (!ReadNumberOption(app, "--scale", o.scale, s.k0)) {
        return "--scale must be a decimal number: got '" + o.scale + "'";
    }
    if (!ReadNumberOption(app, "--false-easting", o.falseEasting, s.falseEasting) ||
        !ReadNumberOption(app, "--false-northing", o.falseNorthing, s.falseNorthing)) {
        return "--false-easting and --false-northing must be decimal numbers of metres";
    }
    if (const Result<void> crs = ApplyCrsOptions(o.crs, app, s); !crs) {
        return English(crs.problem());
    }
    if (const Result<void> check = CheckProjection(s); !check) {
        return English(check.problem());
    }
    return {};
}

// Turns the parsed options into settings; on a usage error returns its message.
std::string MakeSettings(const Options& o, const CLI::App& app, Settings& s) {
    // describe projects nothing; it describes the projection forward would use.
    s.operation = o.operation == "describe" ? Operation::Forward : *OperationByName(o.operation);
    const bool needsWidth = s.operation == Operation::Forward ||
                            s.operation == Operation::Inverse || s.operation == Operation::Adjacent;
    // A meridian of one's own without a zone prefix belongs to no zone system.
    const bool ownMeridian =
        app.count("--central-meridian") > 0 && o.noPrefix && app.count("--zone") == 0;
    if (needsWidth && o.zoneWidth == 0 && !ownMeridian && !CrsGiven(app)) {
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
        const Result<Ellipsoid> ellipsoid = MakeEllipsoid(o.a, o.alfa);
        if (!ellipsoid) {
            return English(ellipsoid.problem());
        }
        s.ellipsoid = *ellipsoid;
    } else {
        s.ellipsoid = FindEllipsoidPreset(o.ellipsoid)->ellipsoid();
    }
    s.angles = *AngleFormatByName(o.angles);
    if (std::string error = MakeProjection(o, app, s); !error.empty()) {
        return error;
    }
    s.precision = o.precision;
    s.exact = o.exact;
    s.header = o.header;

    if (app.count("--delimiter") > 0) {
        const std::string& d = o.delimiter;
        if (d == "\\t" || d == "tab" || d == "\t") {
            s.delimiter = '\t';
        } else if (d == "space" || d == " ") {
            s.delimiter = ' ';
        } else if (d.size() == 1) {
            s.delimiter = d[0];
        } else {
            return "--delimiter takes one character, 'tab' or 'space': got '" + d + "'";
        }
        if (const Result<void> check = CheckDelimiter(s.delimiter, s.angles); !check) {
            return English(check.problem());
        }
    }
    if (app.count("--output") > 0 && o.output.empty()) {
        return "-o needs a file name; without -o the output goes to standard output";
    }
    if (!o.columns.empty()) {
        const Result<ColumnLayout> columns = ParseColumns(o.columns, s.operation);
        if (!columns) {
            return English(columns.problem());
        }
        s.columns = *columns;
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

// A signal that ends the run raises the stop flag the conversion looks at before each block, so
// a named output is abandoned (its temporary file removed, the old file left as it was) and the
// program exits with 128 + the signal, as a shell reports a process ended by one.
std::atomic<bool> g_stop{false};
volatile std::sig_atomic_t g_signal = 0;
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is raised in a signal handler");

extern "C" void OnStopSignal(int signal) {
    g_signal = signal;
    g_stop.store(true, std::memory_order_relaxed);
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a read waiting on a pipe or terminal returns at once
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        // A signal the caller ignores (nohup, a background job) stays ignored.
        if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) {
            sigaction(signal, &action, nullptr);
        }
    }
}

void PrintNotes(const std::vector<RecordError>& notes) {
    for (const RecordError& note : notes) {
        if (note.problem.line > 0) {
            std::fprintf(stderr, "%s:%lld: %s\n", note.file.c_str(),
                         static_cast<long long>(note.problem.line), English(note.problem).c_str());
        } else {
            std::fprintf(stderr, "gkconv: %s\n", English(note.problem).c_str());
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{kDescription, "gkconv"};
    app.set_version_flag("--version", std::string("gkconv ") + GK_VERSION);
    app.get_formatter()->column_width(34);
    Options o;
    app.add_option("operation", o.operation,
                   "forward, inverse, adjacent, 3to6, 6to3, datum, plane, fit or describe")
        ->required()
        ->check(CLI::IsMember({"forward", "inverse", "adjacent", "3to6", "6to3", "datum", "plane",
                               "fit", "describe"}));
    app.add_option("files", o.files, "input files; standard input when none or '-'");
    app.add_option("-w,--zone-width", o.zoneWidth, "3 or 6; for forward, inverse, adjacent")
        ->check(CLI::IsMember({3, 6}));
    std::vector<std::string> presets;
    for (const EllipsoidPreset& preset : EllipsoidPresets()) {
        presets.emplace_back(preset.key);
    }
    app.add_option("-e,--ellipsoid", o.ellipsoid, "wgs84 (default), xian80, beijing54, cgcs2000")
        ->check(CLI::IsMember(presets));
    app.add_option("--a", o.a,
                   "semi-major axis in metres of a user-defined ellipsoid (6e6 to 7e6)");
    app.add_option("--alfa", o.alfa, "its inverse flattening, at least 100; 0 for a sphere");
    app.add_option("--method", o.method,
                   "series (default; the desktop program's numbers) or krueger (see above)")
        ->check(CLI::IsMember({"series", "krueger"}));
    app.add_option("--central-meridian", o.centralMeridian,
                   "DEG: project about this meridian (in the --angles form, or D:M:S) instead of "
                   "the zone's");
    app.add_option("--zone", o.zone, "N: every point in zone N, not the one the rule picks");
    app.add_flag("--no-prefix", o.noPrefix,
                 "Y carries no zone number in its millions (needs --central-meridian or --zone)");
    app.add_option("--scale", o.scale, "K: scale on the central meridian, 0.9 to 1.1 (default 1)");
    app.add_option("--false-easting", o.falseEasting,
                   "M: metres added to Y, within 1e8 (default 500000)");
    app.add_option("--false-northing", o.falseNorthing,
                   "M: metres added to X, within 1e8 (default 0)");
    app.add_option("--columns", o.columns,
                   "the fields of a record in order: name, B L (forward) or X Y, - passed "
                   "through");
    app.add_option("--angles", o.angles,
                   "packed DDD.MMSSsss (default), deg (decimal degrees) or dms (D:M:S)")
        ->check(CLI::IsMember({"packed", "deg", "dms"}));
    app.add_option("--precision", o.precision,
                   "decimals written: metres 4, packed and degrees 10, D:M:S seconds 6")
        ->check(CLI::Range(0, 17));
    app.add_flag("--exact", o.exact,
                 "shortest fixed-notation text that reads back to the same double");
    app.add_option(
        "-d,--delimiter", o.delimiter,
        "field delimiter; default: what each input's first record uses (comma, tab, blanks)");
    app.add_flag("--header", o.header, "pass the first line of each input through unchanged");
    app.add_option("-o,--output", o.output, "write to FILE instead of standard output");
    AddCrsOptions(app, o.crs);
    // ---- datum, plane and fit: their options (cli/datum_options.h) ----
    DatumOptions datum;
    AddDatumOptions(app, datum);
    // ---- end of the datum options ----

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        return Usage(e.what());
    }
    // ---- fit: the two files are read as datum (B L H) or plane (X Y) records ----
    if (o.operation == "fit") {
        const std::optional<FitModel> model =
            o.files.size() == 1 ? ModelByName(o.files[0]) : std::nullopt;
        if (!model) {
            return Usage("fit needs its model and no input: helmert7, helmert3 or plane4");
        }
        const std::string modelName = o.files[0];
        o.operation = IsHelmert(*model) ? "datum" : "plane";
        Settings reading;
        if (const std::string error = MakeSettings(o, app, reading); !error.empty()) {
            return Usage(error);
        }
        return RunFitCommand(modelName, datum, app, reading, o.output);
    }
    // ---- end of fit ----
    if (o.operation == "describe") {
        if (const std::optional<int> status = DescribeParameterFile(datum, app)) {
            return *status;
        }
    }
    Settings settings;
    if (const std::string error = MakeSettings(o, app, settings); !error.empty()) {
        return Usage(error);
    }
    if (o.operation == "describe") {
        Describe(settings, stdout);
        return 0;
    }
    // ---- the transformations of datum and plane, and forward's and inverse's ----
    if (const auto failure = MakeDatumSettings(datum, app, settings)) {
        if (failure->status == kExitUsage) {
            return Usage(failure->message);
        }
        std::fprintf(stderr, "gkconv: %s\n", failure->message.c_str());
        return failure->status;
    }
    // ---- end of the transformations ----
    if (o.exact && o.precision >= 0) {
        return Usage("--exact and --precision exclude each other");
    }

    if (o.files.empty()) {
        o.files.push_back("-");
    }
    Progress progress;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    RunCallbacks callbacks;
    CatchStopSignals();
    callbacks.stop = &g_stop;
    callbacks.failed = [&](const RecordError& error) {
        progress.Clear();
        std::fprintf(stderr, "%s:%lld: %s\n", error.file.c_str(),
                     static_cast<long long>(error.problem.line), English(error.problem).c_str());
    };
    if (terminal) {
        callbacks.progress = [&](const std::string& name, std::int64_t done, std::int64_t total) {
            if (total >= kProgressFrom) {
                progress.Show(name, done, total);
            }
        };
    }
    const RunResult result = ConvertFiles(o.files, o.output, settings, callbacks);
    progress.Clear();
    if (result.status == RunStatus::Stopped) {
        return 128 + static_cast<int>(g_signal);
    }
    PrintNotes(result.notes);
    switch (result.status) {
    case RunStatus::Converted:
        return 0;
    case RunStatus::RecordsFailed:
        std::fprintf(stderr, "gkconv: %lld of %lld records failed\n",
                     static_cast<long long>(result.failed),
                     static_cast<long long>(result.failed + result.converted));
        return kExitFailedRecords;
    case RunStatus::SettingsRefused:
        return Usage(English(result.problem));
    case RunStatus::FileError:
    case RunStatus::Stopped:
        break;
    }
    std::fprintf(stderr, "gkconv: %s\n", English(result.problem).c_str());
    return kExitFileError;
}
