// The datum options of gkconv and its fit command.
#include "cli/datum_options.h"

#include <cstdio>

#include "cli/english_words.h"
#include "conversion/common_points.h"
#include "conversion/fit_report.h"
#include "conversion/number_text.h"

namespace {

constexpr int kExitFailedRecords = 1;
constexpr int kExitUsage = 2;
constexpr int kExitFileError = 3;

const std::string kDatumGroup = "datum (datum, plane, fit; forward and inverse --datum, --plane)";

OptionFailure Usage(std::string message) {
    return {kExitUsage, std::move(message)};
}

// A refusal on stderr, with the pointer to --help after a usage error; returns the status.
int Fail(int status, const std::string& message) {
    std::fprintf(stderr, "gkconv: %s\n", message.c_str());
    if (status == kExitUsage) {
        std::fputs("Try 'gkconv --help'.\n", stderr);
    }
    return status;
}

// A comma-separated list of decimal numbers; false when an item is not one.
bool NumberList(const std::string& text, std::vector<double>& values) {
    values.clear();
    std::string_view rest = text;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const Result<double> value = ParseNumber(rest.substr(0, comma));
        if (!value) {
            return false;
        }
        values.push_back(*value);
        if (comma == std::string_view::npos) {
            return true;
        }
        rest.remove_prefix(comma + 1);
    }
}

bool SameEllipsoid(const Ellipsoid& a, const Ellipsoid& b) {
    return a.a() == b.a() && a.f() == b.f();
}

std::optional<OptionFailure> EllipsoidOption(const CLI::App& app, const char* name,
                                             const std::string& text,
                                             std::optional<NamedEllipsoid>& ellipsoid) {
    if (app.count(name) == 0) {
        return std::nullopt;
    }
    ellipsoid = EllipsoidFromText(text);
    if (!ellipsoid) {
        return Usage(std::string(name) +
                     " takes a preset (wgs84, xian80, beijing54, cgcs2000) or A,INVF: got '" +
                     text + "'");
    }
    return std::nullopt;
}

// A parameter file's problem in words: one reading the file names it itself; one of its
// content is told after the file's name.
std::string FileWords(const Problem& problem, const std::string& file) {
    switch (problem.code) {
    case ProblemCode::CannotRead:
    case ProblemCode::CannotWrite:
    case ProblemCode::InputNotRegular:
        return English(problem);
    default:
        return file + ": " + English(problem);
    }
}

// The parameters of a file of any model.
std::optional<OptionFailure> ReadAnyFile(const std::string& path, DatumParameters& parameters) {
    const ParameterFileOutcome outcome = ReadParameterFile(path);
    if (!outcome) {
        const ProblemCode code = outcome.problem().code;
        const bool unreadable =
            code == ProblemCode::CannotRead || code == ProblemCode::InputNotRegular;
        return OptionFailure{unreadable ? kExitFileError : kExitUsage,
                             FileWords(outcome.problem(), path)};
    }
    parameters = *outcome;
    return std::nullopt;
}

// The parameters of a file, which must be of a Helmert model (helmert) or plane4.
std::optional<OptionFailure> ReadFile(const std::string& path, bool helmert,
                                      DatumParameters& parameters) {
    if (auto failure = ReadAnyFile(path, parameters)) {
        return failure;
    }
    if (IsHelmert(parameters.model) != helmert) {
        return Usage(FileWords(Problem{.code = ProblemCode::ParameterWrongModel,
                                       .text = ModelName(parameters.model),
                                       .other = helmert ? "helmert7 or helmert3" : "plane4"},
                               path));
    }
    return std::nullopt;
}

std::optional<OptionFailure> HelmertFromOptions(const DatumOptions& o, const CLI::App& app,
                                                HelmertParams& h) {
    std::vector<double> v;
    if (!NumberList(o.helmert, v) || (v.size() != 3 && v.size() != 7)) {
        return Usage("--helmert takes TX,TY,TZ or TX,TY,TZ,RX,RY,RZ,S (metres, arc-seconds, "
                     "ppm): got '" +
                     o.helmert + "'");
    }
    h = {};
    h.tx = v[0];
    h.ty = v[1];
    h.tz = v[2];
    if (v.size() == 7) {
        h.rx = v[3];
        h.ry = v[4];
        h.rz = v[5];
        h.s = v[6];
    }
    if (app.count("--convention") > 0) {
        h.convention = o.convention == "position_vector" ? RotationConvention::PositionVector
                                                         : RotationConvention::CoordinateFrame;
    }
    h.exactRotation = o.exactRotation;
    if (Result<void> check = Helmert::Check(h); !check) {
        return Usage("--helmert: " + English(check.problem()) +
                     (check.problem().code == ProblemCode::RotationWithoutConvention
                          ? " (give --convention)"
                          : ""));
    }
    return std::nullopt;
}

std::optional<OptionFailure> DatumOperation(const DatumOptions& o, const CLI::App& app,
                                            Settings& s) {
    const bool file = app.count("--params") > 0;
    if (file == (app.count("--helmert") > 0) || app.count("--similarity") > 0) {
        return Usage("datum takes its parameters from --params FILE or --helmert, one of them");
    }
    std::optional<NamedEllipsoid> from;
    std::optional<NamedEllipsoid> to;
    if (auto failure = EllipsoidOption(app, "--from-ellipsoid", o.fromEllipsoid, from)) {
        return failure;
    }
    if (auto failure = EllipsoidOption(app, "--to-ellipsoid", o.toEllipsoid, to)) {
        return failure;
    }
    HelmertParams h;
    if (file) {
        if (app.count("--convention") > 0 || o.exactRotation) {
            return Usage("the convention and rotation come from the parameter file");
        }
        DatumParameters parameters;
        if (auto failure = ReadFile(o.params, true, parameters)) {
            return failure;
        }
        if ((from && !SameEllipsoid(from->ellipsoid, parameters.source->ellipsoid)) ||
            (to && !SameEllipsoid(to->ellipsoid, parameters.target->ellipsoid))) {
            return Usage("--from-ellipsoid and --to-ellipsoid must agree with " + o.params +
                         "'s source and target ellipsoids");
        }
        from = parameters.source;
        to = parameters.target;
        h = parameters.helmert;
    } else {
        if (!from || !to) {
            return Usage("--helmert needs --from-ellipsoid and --to-ellipsoid");
        }
        if (auto failure = HelmertFromOptions(o, app, h)) {
            return failure;
        }
    }
    s.datum.emplace(from->ellipsoid, h, to->ellipsoid);
    s.undo = o.inverse;
    return std::nullopt;
}

std::optional<OptionFailure> PlaneOperation(const DatumOptions& o, const CLI::App& app,
                                            Settings& s) {
    const bool file = app.count("--params") > 0;
    if (file == (app.count("--similarity") > 0) || app.count("--helmert") > 0) {
        return Usage("plane takes its parameters from --params FILE or --similarity, one of them");
    }
    PlaneSimilarityParams p;
    if (file) {
        DatumParameters parameters;
        if (auto failure = ReadFile(o.params, false, parameters)) {
            return failure;
        }
        p = parameters.plane;
    } else {
        std::vector<double> v;
        if (!NumberList(o.similarity, v) || v.size() != 4) {
            return Usage("--similarity takes DX,DY,THETA,S (metres, arc-seconds, ppm): got '" +
                         o.similarity + "'");
        }
        p = {v[0], v[1], v[2], v[3]};
        if (Result<void> check = PlaneSimilarity::Check(p); !check) {
            return Usage("--similarity: " + English(check.problem()));
        }
    }
    s.plane.emplace(p);
    s.undo = o.inverse;
    return std::nullopt;
}

} // namespace

void AddDatumOptions(CLI::App& app, DatumOptions& o) {
    app.add_option("--params", o.params,
                   "FILE: the datum or plane parameters (JSON); describe prints their PROJ "
                   "pipeline")
        ->group(kDatumGroup);
    app.add_option("--helmert", o.helmert,
                   "TX,TY,TZ[,RX,RY,RZ,S]: metres, arc-seconds, ppm (datum)")
        ->group(kDatumGroup);
    app.add_option("--similarity", o.similarity, "DX,DY,THETA,S: metres, arc-seconds, ppm (plane)")
        ->group(kDatumGroup);
    app.add_option("--convention", o.convention,
                   "position_vector or coordinate_frame: the rotations' sign (datum, fit)")
        ->check(CLI::IsMember({"position_vector", "coordinate_frame"}))
        ->group(kDatumGroup);
    app.add_flag("--exact-rotation", o.exactRotation,
                 "the exact rotation matrix, not the small-angle one (datum, fit)")
        ->group(kDatumGroup);
    app.add_option("--from-ellipsoid", o.fromEllipsoid, "E: the source datum's, a preset or A,INVF")
        ->group(kDatumGroup);
    app.add_option("--to-ellipsoid", o.toEllipsoid, "E: the target datum's, a preset or A,INVF")
        ->group(kDatumGroup);
    app.add_flag("--inverse", o.inverse, "undo the transformation (datum, plane)")
        ->group(kDatumGroup);
    app.add_option("--datum", o.datumFile,
                   "FILE: forward changes the datum before projecting, inverse after")
        ->group(kDatumGroup);
    app.add_option("--plane", o.planeFile,
                   "FILE: forward applies plane4 parameters after projecting, inverse before")
        ->group(kDatumGroup);
    app.add_option("--source", o.source, "FILE: fit's common points in the source system")
        ->group(kDatumGroup);
    app.add_option("--target", o.target, "FILE: fit's common points in the target system")
        ->group(kDatumGroup);
    app.add_option("--exclude", o.exclude, "NAME,...: common points fit leaves out")
        ->group(kDatumGroup);
}

std::optional<OptionFailure> MakeDatumSettings(const DatumOptions& o, const CLI::App& app,
                                               Settings& s) {
    const bool datum = s.operation == Operation::Datum;
    const bool plane = s.operation == Operation::Plane;
    const bool projecting = s.operation == Operation::Forward || s.operation == Operation::Inverse;
    const auto given = [&](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (app.count(name) > 0) {
                return std::string(name);
            }
        }
        return std::string();
    };
    if (std::string name = given({"--source", "--target", "--exclude"}); !name.empty()) {
        return Usage(name + " belongs to fit");
    }
    if (!datum && !plane) {
        if (std::string name = given({"--params", "--helmert", "--similarity", "--inverse"});
            !name.empty()) {
            return Usage(name + " belongs to the datum and plane operations");
        }
    }
    if (!datum) {
        if (std::string name =
                given({"--convention", "--exact-rotation", "--from-ellipsoid", "--to-ellipsoid"});
            !name.empty()) {
            return Usage(name + " belongs to the datum operation and fit");
        }
    }
    if (!projecting) {
        if (std::string name = given({"--datum", "--plane"}); !name.empty()) {
            return Usage(name + " belongs to forward and inverse");
        }
    }
    if (datum) {
        return DatumOperation(o, app, s);
    }
    if (plane) {
        return PlaneOperation(o, app, s);
    }
    if (app.count("--datum") > 0) {
        DatumParameters parameters;
        if (auto failure = ReadFile(o.datumFile, true, parameters)) {
            return failure;
        }
        const bool ellipsoidGiven = app.count("--ellipsoid") > 0 || app.count("--a") > 0;
        if (ellipsoidGiven && !SameEllipsoid(s.ellipsoid, parameters.target->ellipsoid)) {
            return Usage("the projection's ellipsoid must be " + o.datumFile +
                         "'s target ellipsoid; leave --ellipsoid out to take it from there");
        }
        s.ellipsoid = parameters.target->ellipsoid;
        s.datum.emplace(parameters.source->ellipsoid, parameters.helmert,
                        parameters.target->ellipsoid);
    }
    if (app.count("--plane") > 0) {
        DatumParameters parameters;
        if (auto failure = ReadFile(o.planeFile, false, parameters)) {
            return failure;
        }
        s.plane.emplace(parameters.plane);
    }
    return std::nullopt;
}

std::optional<int> DescribeParameterFile(const DatumOptions& o, const CLI::App& app) {
    if (app.count("--params") == 0) {
        for (const CLI::Option* option : app.get_options()) {
            if (option->count() > 0 && option->get_group() == kDatumGroup) {
                return Fail(kExitUsage, option->get_name() +
                                            " does not belong to describe, which takes a "
                                            "parameter file as --params FILE");
            }
        }
        return std::nullopt;
    }
    // The pipeline is the whole answer: an option beside the file would change nothing.
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0 && !option->check_name("--params") &&
            !option->check_name("operation")) {
            return Fail(kExitUsage, "describe --params FILE takes no other option: got " +
                                        option->get_name(option->get_positional(), false));
        }
    }
    DatumParameters parameters;
    if (auto failure = ReadAnyFile(o.params, parameters)) {
        return Fail(failure->status, failure->message);
    }
    std::printf("%s\n", ProjPipeline(parameters).c_str());
    std::puts(IsHelmert(parameters.model)
                  ? "order: B L H (latitude, longitude in degrees; height in metres), as gkconv "
                    "datum --angles deg --columns B,L,H; cct -z 0 for B L alone"
                  : "order: X Y (northing, easting in metres), as gkconv plane; cct -z 0 for X Y "
                    "alone");
    return 0;
}

int RunFitCommand(const std::string& modelName, const DatumOptions& o, const CLI::App& app,
                  const Settings& reading, const std::string& output) {
    FitRequest request;
    request.model = *ModelByName(modelName);
    request.reading = reading;
    if (app.count("--source") == 0 || app.count("--target") == 0) {
        return Fail(kExitUsage, "fit needs --source FILE and --target FILE");
    }
    request.sourcePath = o.source;
    request.targetPath = o.target;
    for (const char* name :
         {"--params", "--helmert", "--similarity", "--inverse", "--datum", "--plane"}) {
        if (app.count(name) > 0) {
            return Fail(kExitUsage, std::string(name) + " does not belong to fit");
        }
    }
    const bool helmert = IsHelmert(request.model);
    if (helmert) {
        if (auto failure =
                EllipsoidOption(app, "--from-ellipsoid", o.fromEllipsoid, request.from)) {
            return Fail(failure->status, failure->message);
        }
        if (auto failure = EllipsoidOption(app, "--to-ellipsoid", o.toEllipsoid, request.to)) {
            return Fail(failure->status, failure->message);
        }
        if (!request.from || !request.to) {
            return Fail(kExitUsage, "fit " + modelName +
                                        " reads B L H on two ellipsoids: give --from-ellipsoid "
                                        "and --to-ellipsoid");
        }
        if (request.model == FitModel::Helmert7 && app.count("--convention") == 0) {
            return Fail(kExitUsage, "fit helmert7 needs --convention position_vector or "
                                    "coordinate_frame");
        }
    } else {
        for (const char* name :
             {"--from-ellipsoid", "--to-ellipsoid", "--convention", "--exact-rotation"}) {
            if (app.count(name) > 0) {
                return Fail(kExitUsage, std::string(name) + " does not belong to fit plane4");
            }
        }
    }
    request.convention = o.convention == "coordinate_frame" ? RotationConvention::CoordinateFrame
                                                            : RotationConvention::PositionVector;
    request.exactRotation = o.exactRotation;
    if (app.count("--exclude") > 0) {
        std::string_view rest = o.exclude;
        for (;;) {
            const std::size_t comma = rest.find(',');
            request.exclude.emplace_back(rest.substr(0, comma));
            if (comma == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(comma + 1);
        }
    }

    const FitRun run = RunFit(request);
    for (const RecordError& error : run.badRecords) {
        std::fprintf(stderr, "%s:%lld: %s\n", error.file.c_str(),
                     static_cast<long long>(error.problem.line), English(error.problem).c_str());
    }
    switch (run.status) {
    case FitRun::Status::FileError:
        return Fail(kExitFileError, English(run.problem));
    case FitRun::Status::Refused:
        return Fail(kExitUsage, "fit " + modelName + ": " + English(run.problem));
    case FitRun::Status::Fitted:
        break;
    }
    std::fputs(FitReport(run.parameters).c_str(), stdout);
    std::fputs(("proj: " + ProjString(run.parameters) + "\n").c_str(), stdout);
    std::fflush(stdout);
    if (!output.empty()) {
        if (Result<void> written = WriteParameterFile(output, run.parameters); !written) {
            return Fail(kExitFileError, English(written.problem()));
        }
    }
    if (!run.badRecords.empty()) {
        std::fprintf(stderr, "gkconv: %zu records could not be read; their points are left out\n",
                     run.badRecords.size());
        return kExitFailedRecords;
    }
    return 0;
}
