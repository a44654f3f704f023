// The batch window over gk_batch: the window's choices become Settings exactly as gkconv's
// options do, and a run or a preview is one call into the shared file conversion.
#include "app/batch_backend.h"

#include "conversion/file_conversion.h"

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
        break;
    }
    return Operation::SixToThree;
}

AngleFormat AnglesOf(BatchAngles angles) {
    switch (angles) {
    case BatchAngles::Packed:
        return AngleFormat::Packed;
    case BatchAngles::Degrees:
        return AngleFormat::Degrees;
    case BatchAngles::Dms:
        break;
    }
    return AngleFormat::Dms;
}

// The settings that decide how a line splits: the operation, the header and the column list.
std::string LayoutSettings(const BatchRequest& request, Settings& s) {
    s.operation = OperationOf(request.operation);
    s.angles = AnglesOf(request.angles);
    s.header = request.header;
    if (request.columns.empty())
        return {};
    if (std::string error = ParseColumns(request.columns, s.operation, s.columns); !error.empty())
        return "各列含义须按文件中的顺序逐列写出：name 为点名，" +
               std::string(s.operation == Operation::Forward ? "B 和 L" : "X 和 Y") +
               " 为两个坐标（各写一次），- 为照抄的列，以逗号分隔。（" + error + "）";
    return {};
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
    std::vector<PreviewLine> lines;
    if (!preview.message.empty() ||
        !PreviewFile(request.input, s, kPreviewLines, lines, preview.message))
        return preview;
    for (const PreviewLine& line : lines) {
        std::vector<std::string>& row = preview.rows.emplace_back();
        // A line that passes through shows whole in the first column.
        if (line.fields.empty())
            row.push_back(line.text);
        for (const SplitField& field : line.fields) {
            if (row.size() == preview.headings.size())
                preview.headings.push_back(RoleText(field.role));
            row.push_back(field.text);
        }
    }
    if (preview.headings.empty() && !preview.rows.empty())
        preview.headings.push_back(RoleText(FieldRole::Other));
    return preview;
}

BatchOutcome Outcome(const RunResult& result) {
    BatchOutcome outcome;
    outcome.converted = static_cast<std::uint64_t>(result.converted);
    outcome.failed = static_cast<std::uint64_t>(result.failed);
    outcome.message = result.message;
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
        outcome.message = "cannot read " + request.input + ": not a regular file";
        return outcome;
    }
    RunCallbacks callbacks;
    callbacks.stop = hooks.stop;
    // A mistaken run (every record refused) must not wipe out yesterday's good output.
    callbacks.keepOutputUnlessConverted = true;
    if (hooks.progress)
        callbacks.progress = [&](const std::string&, std::int64_t done, std::int64_t total) {
            hooks.progress(static_cast<std::uint64_t>(done),
                           static_cast<std::uint64_t>(total > 0 ? total : 0));
        };
    if (hooks.failed)
        callbacks.failed = [&](const RecordError& record) {
            hooks.failed({record.file, static_cast<std::uint64_t>(record.line),
                          record.field == 0 ? "整行" : "第 " + std::to_string(record.field) + " 列",
                          record.message});
        };
    return Outcome(ConvertFile(request.input, request.output, settings, callbacks));
}

} // namespace

std::string BatchSettings(const BatchRequest& request, Settings& s) {
    if (std::string error = LayoutSettings(request, s); !error.empty())
        return error;
    s.zoneWidth = request.zoneWidth == 3 ? 3 : 6;
    if (request.ellipsoid.empty()) {
        std::optional<Ellipsoid> ellipsoid;
        if (!MakeEllipsoid(NumberText(request.a), NumberText(request.alfa), ellipsoid).empty())
            return "自定义椭球的参数不成立：长半轴 a 须是正的米数，扁率倒数 alfa 须大于 1"
                   "（圆球为 0）。";
        s.ellipsoid = *ellipsoid;
    } else if (const EllipsoidPreset* preset = FindEllipsoidPreset(request.ellipsoid)) {
        s.ellipsoid = preset->ellipsoid();
    }
    s.method = request.method == BatchMethod::Krueger ? Method::Krueger : Method::Series;
    // The zone transforms work in the standard zones: the window does not offer them these.
    if (s.operation != Operation::Forward && s.operation != Operation::Inverse)
        return {};
    s.prefix = !request.noPrefix;
    if (!request.centralMeridian.empty()) {
        double degrees = 0.0;
        if (!ParseCentralMeridian(request.centralMeridian, degrees).empty())
            return "中央子午线须是 -180° 到 360° 之间的经度，写作十进制度（114.5）或 "
                   "度:分:秒（114:30:00）。";
        s.centralMeridian = degrees;
    }
    if (ProjectionProblem(s).empty())
        return {};
    if (s.centralMeridian && s.prefix)
        return "中央子午线 " + request.centralMeridian + " 不是" + std::to_string(s.zoneWidth) +
               "度带中某一带的中央子午线。按自己的中央子午线投影时，请勾选“Y 不带带号”。";
    if (!s.prefix && !s.centralMeridian)
        return "Y 不带带号时，须给出中央子午线：否则 Y 说不出它的投影带。";
    return ProjectionProblem(s);
}

BatchBackend FileConversionBackend() {
    BatchBackend backend;
    backend.problem = [](const BatchRequest& request) {
        Settings settings;
        return BatchSettings(request, settings);
    };
    backend.makeJob = [](const BatchRequest& request) -> BatchJob {
        Settings settings;
        if (!BatchSettings(request, settings).empty())
            return {};
        return [request, settings](const BatchJobHooks& hooks) {
            return Run(request, settings, hooks);
        };
    };
    backend.preview = Preview;
    return backend;
}
