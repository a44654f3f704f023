// The batch window over gk_batch: the window's choices become Settings exactly as gkconv's
// options do, and a run or a preview is one call into the shared file conversion.
#include "app/batch_backend.h"

#include "app/chinese_words.h"
#include "app/crs_text.h"
#include "app/file_reading.h"
#include "conversion/crs_settings.h"
#include "conversion/file_conversion.h"
#include "conversion/parameter_file.h"
#include "engine/epsg_crs.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

// Preview lines read from the input.
constexpr int kPreviewLines = 20;

// The shortest text that reads back as the same number, as a user typing it into gkconv's
// --a and --alfa would give it.
std::string NumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Operation OperationOf(BatchOperation operation) {
    switch (operation) {
    case BatchOperation::Forward:
        return Operation::Forward;
    case BatchOperation::Inverse:
        return Operation::Inverse;
    case BatchOperation::Adjacent:
        return Operation::Adjacent;
    case BatchOperation::ThreeToSix:
        return Operation::ThreeToSix;
    case BatchOperation::SixToThree:
        return Operation::SixToThree;
    case BatchOperation::Datum:
        return Operation::Datum;
    case BatchOperation::Plane:
        break;
    }
    return Operation::Plane;
}

// The settings that decide how a line splits: the operation, the header and the column list.
std::string LayoutSettings(const BatchRequest& request, Settings& s) {
    s.operation = OperationOf(request.operation);
    const Result<void> reading = SetFileReading(s, request.angles, request.header, request.columns);
    return reading ? std::string() : Chinese(reading.problem());
}

const char* RoleText(FieldRole role) {
    switch (role) {
    case FieldRole::Name:
        return "点名";
    case FieldRole::B:
        return "B";
    case FieldRole::L:
        return "L";
    case FieldRole::X:
        return "X";
    case FieldRole::Y:
        return "Y";
    case FieldRole::H:
        return "H";
    case FieldRole::Other:
        break;
    }
    return "其他";
}

BatchPreview Preview(const BatchRequest& request) {
    BatchPreview preview;
    // The projection plays no part in how a line splits, so a half-typed meridian does not
    // hide the preview.
    Settings s;
    preview.message = LayoutSettings(request, s);
    if (!preview.message.empty()) {
        return preview;
    }
    // Nor do a datum change's or plane transformation's parameters: the converter only wants
    // them to exist.
    if (s.operation == Operation::Datum) {
        s.datum.emplace(Wgs1984().ellipsoid(), HelmertParams{}, Wgs1984().ellipsoid());
    } else if (s.operation == Operation::Plane) {
        s.plane.emplace(PlaneSimilarityParams{});
    }
    const Result<std::vector<PreviewLine>> lines = PreviewFile(request.input, s, kPreviewLines);
    if (!lines) {
        preview.message = Chinese(lines.problem());
        return preview;
    }
    for (const PreviewLine& line : *lines) {
        if (line.note && preview.hint.empty()) {
            preview.hint = Chinese(line.note);
        }
        std::vector<std::string>& row = preview.rows.emplace_back();
        // A line that passes through shows whole in the first column.
        if (line.fields.empty()) {
            row.push_back(line.text);
        }
        for (const SplitField& field : line.fields) {
            if (row.size() == preview.headings.size()) {
                preview.headings.push_back(RoleText(field.role));
            }
            row.push_back(field.text);
        }
    }
    if (preview.headings.empty() && !preview.rows.empty()) {
        preview.headings.push_back(RoleText(FieldRole::Other));
    }
    return preview;
}

// The code a text names, or why it names none the program knows (in the window's words).
Result<const EpsgCrs*> CodeOf(const std::string& text) {
    const std::optional<int> code = ParseEpsgCode(text);
    if (!code) {
        return Problem{.code = ProblemCode::CrsNotACode, .text = text};
    }
    const EpsgCrs* crs = FindEpsgCrs(*code);
    if (crs == nullptr) {
        std::string nearest;
        for (const int other : NearestEpsgCodes(*code)) {
            nearest += (nearest.empty() ? "" : "、") + ("EPSG:" + std::to_string(other));
        }
        return Problem{
            .code = ProblemCode::CrsUnknown, .other = nearest, .value = static_cast<double>(*code)};
    }
    return crs;
}

BatchCrs CrsOfCode(const std::string& text) {
    BatchCrs fill;
    const Result<const EpsgCrs*> found = CodeOf(text);
    if (!found) {
        fill.message = Chinese(found.problem());
        return fill;
    }
    const EpsgCrs* crs = *found;
    fill.found = true;
    fill.zoneWidth = crs->zoneWidth;
    fill.ellipsoid = std::string(crs->Preset().key);
    fill.centralMeridian = NumberText(crs->centralMeridian);
    fill.noPrefix = !crs->prefix;
    if (crs->Deprecated()) {
        fill.message = Chinese(Problem{.code = ProblemCode::CrsDeprecated,
                                       .text = "EPSG:" + std::to_string(crs->code),
                                       .other = "EPSG:" + std::to_string(crs->replacedBy)});
    }
    return fill;
}

BatchOutcome Outcome(const RunResult& result) {
    BatchOutcome outcome;
    outcome.converted = static_cast<std::uint64_t>(result.converted);
    outcome.failed = static_cast<std::uint64_t>(result.failed);
    if (result.problem) {
        outcome.message = Chinese(result.problem);
    }
    outcome.outputKept = result.outputKept;
    switch (result.status) {
    case RunStatus::Converted:
    case RunStatus::RecordsFailed:
        outcome.status = BatchOutcome::Status::Done;
        break;
    case RunStatus::Stopped:
        outcome.status = BatchOutcome::Status::Stopped;
        break;
    case RunStatus::FileError:
    case RunStatus::SettingsRefused:
        outcome.status = BatchOutcome::Status::Failed;
        break;
    }
    return outcome;
}

BatchOutcome Run(const BatchRequest& request, const Settings& settings,
                 const BatchJobHooks& hooks) {
    // A pipe would hold the worker in open() or read() where no stop reaches it.
    std::error_code error;
    const auto status = std::filesystem::status(request.input, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {
        BatchOutcome outcome;
        outcome.status = BatchOutcome::Status::Failed;
        outcome.message =
            Chinese(Problem{.code = ProblemCode::InputNotRegular, .text = request.input});
        return outcome;
    }
    RunCallbacks callbacks;
    callbacks.stop = hooks.stop;
    // A mistaken run (every record refused) must not wipe out yesterday's good output.
    callbacks.keepOutputUnlessConverted = true;
    if (hooks.progress) {
        callbacks.progress = [&](const std::string&, std::int64_t done, std::int64_t total) {
            hooks.progress(static_cast<std::uint64_t>(done),
                           static_cast<std::uint64_t>(total > 0 ? total : 0));
        };
    }
    if (hooks.failed) {
        callbacks.failed = [&](const RecordError& record) {
            const Problem& problem = record.problem;
            hooks.failed(
                {record.file, static_cast<std::uint64_t>(problem.line),
                 problem.field == 0 ? "整行" : "第 " + std::to_string(problem.field) + " 列",
                 Chinese(problem)});
        };
    }
    return Outcome(ConvertFile(request.input, request.output, settings, callbacks));
}

// A parameter file's transformation, as gkconv's --params, --datum and --plane read it: a
// datum change needs a Helmert model's file, a plane transformation a plane4 file.
Result<DatumParameters> ReadParameters(const std::string& path, bool helmert) {
    Result<DatumParameters> parameters = ReadParameterFile(path);
    if (!parameters) {
        Problem problem = parameters.problem();
        if (problem.text.empty()) {
            problem.text = path;
        }
        return problem;
    }
    if (IsHelmert(parameters->model) != helmert) {
        return Problem{.code = ProblemCode::ParameterWrongModel,
                       .text = ModelName(parameters->model),
                       .other = helmert ? "helmert7, helmert3" : "plane4"};
    }
    return parameters;
}

// The datum change and the plane transformation of a request.
std::string TransformSettings(const BatchRequest& request, Settings& s) {
    if (s.operation == Operation::Datum && request.datumParams.empty()) {
        return "坐标系转换需要参数文件：请在“坐标系转换参数”中选择。";
    }
    if (s.operation == Operation::Plane && request.planeParams.empty()) {
        return "平面四参数转换需要参数文件：请在“平面四参数”中选择。";
    }
    if (!request.datumParams.empty()) {
        const Result<DatumParameters> datum = ReadParameters(request.datumParams, true);
        if (!datum) {
            return Chinese(datum.problem());
        }
        // Forward and inverse project on the file's target ellipsoid, as gkconv does when its
        // --datum comes without an --ellipsoid.
        if (s.operation != Operation::Datum) {
            s.ellipsoid = datum->target->ellipsoid;
        }
        s.datum.emplace(datum->source->ellipsoid, datum->helmert, datum->target->ellipsoid);
    }
    if (!request.planeParams.empty()) {
        const Result<DatumParameters> plane = ReadParameters(request.planeParams, false);
        if (!plane) {
            return Chinese(plane.problem());
        }
        s.plane.emplace(plane->plane);
    }
    return {};
}

// 3° <-> 6° into the one zone of a target code, refused as gkconv --crs refuses it: a code
// of the other zone width, or an ellipsoid other than the code's.
std::string TargetCrsSettings(const BatchRequest& request, Settings& s) {
    const Result<const EpsgCrs*> found = CodeOf(request.targetCrs);
    if (!found) {
        return Chinese(found.problem());
    }
    const EpsgCrs& crs = **found;
    const std::string code = "EPSG:" + std::to_string(crs.code);
    const bool toSix = s.operation == Operation::ThreeToSix;
    if (crs.zoneWidth != (toSix ? 6 : 3)) {
        return Chinese(Problem{.code = ProblemCode::CrsTargetWidth,
                               .text = toSix ? "三度带 --> 六度带" : "六度带 --> 三度带",
                               .other = code,
                               .width = toSix ? 6 : 3});
    }
    const EllipsoidPreset& preset = crs.Preset();
    if (s.ellipsoid.a() != preset.a || s.ellipsoid.f() != preset.f()) {
        return Chinese(
            Problem{.code = ProblemCode::CrsOptionDiffers, .text = "参考椭球", .other = code});
    }
    ApplyCrs(crs, s);
    return {};
}

} // namespace

std::string BatchSettings(const BatchRequest& request, Settings& s) {
    if (std::string error = LayoutSettings(request, s); !error.empty()) {
        return error;
    }
    s.zoneWidth = request.zoneWidth == 3 ? 3 : 6;
    if (request.ellipsoid.empty()) {
        const Result<Ellipsoid> ellipsoid =
            MakeEllipsoid(NumberText(request.a), NumberText(request.alfa));
        if (!ellipsoid) {
            return Chinese(ellipsoid.problem());
        }
        s.ellipsoid = *ellipsoid;
    } else if (const EllipsoidPreset* preset = FindEllipsoidPreset(request.ellipsoid)) {
        s.ellipsoid = preset->ellipsoid();
    }
    s.method = request.method == BatchMethod::Krueger ? Method::Krueger : Method::Series;
    s.zoneRule =
        request.zoneRule == BatchZoneRule::Standard ? ZoneRule::Standard : ZoneRule::WholeDegree;
    if (std::string error = TransformSettings(request, s); !error.empty()) {
        return error;
    }
    const bool zoneChange =
        s.operation == Operation::ThreeToSix || s.operation == Operation::SixToThree;
    if (zoneChange && !request.targetCrs.empty()) {
        return TargetCrsSettings(request, s);
    }
    // The zone transforms work in the standard zones: the window does not offer them these.
    if (s.operation != Operation::Forward && s.operation != Operation::Inverse) {
        return {};
    }
    s.prefix = !request.noPrefix;
    if (!request.centralMeridian.empty()) {
        const Result<double> degrees = ParseCentralMeridian(request.centralMeridian, s.angles);
        if (!degrees) {
            return Chinese(degrees.problem());
        }
        s.centralMeridian = *degrees;
    }
    if (const Result<void> check = CheckProjection(s); !check) {
        return Chinese(check.problem());
    }
    return {};
}

BatchBackend FileConversionBackend() {
    BatchBackend backend;
    backend.problem = [](const BatchRequest& request) {
        Settings settings;
        return BatchSettings(request, settings);
    };
    backend.makeJob = [](const BatchRequest& request) -> BatchJob {
        Settings settings;
        if (!BatchSettings(request, settings).empty()) {
            return {};
        }
        return [request, settings](const BatchJobHooks& hooks) {
            return Run(request, settings, hooks);
        };
    };
    backend.preview = Preview;
    backend.crsText = [](const BatchRequest& request) -> std::string {
        Settings settings;
        if (!BatchSettings(request, settings).empty()) {
            return {};
        }
        return ChineseCrsText(DescribeProjection(settings), settings);
    };
    backend.crs = CrsOfCode;
    return backend;
}
