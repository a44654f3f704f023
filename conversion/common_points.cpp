// Reading two files of common points, matching them by name, and fitting.
#include "conversion/common_points.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/packed_angle.h"

namespace {

struct NamedRecord {
    RecordConverter::Point point;
    std::int64_t line = 0;
};

// Collects the records of one file.
class PointCollector : public LineHandler {
public:
    PointCollector(const Settings& settings, std::string name, std::vector<NamedRecord>& records,
                   std::vector<RecordError>& errors)
        : m_settings(settings), m_converter(settings), m_name(std::move(name)), m_records(records),
          m_errors(errors) {}

private:
    void ByteOrderMark() override {}
    void Line(std::int64_t number, std::string_view line, std::string_view) override {
        if (number == 1 && m_settings.header) {
            return;
        }
        NamedRecord record;
        Problem problem;
        switch (m_converter.ReadPoint(line, record.point, problem)) {
        case RecordConverter::Outcome::Converted:
            if (record.point.name.empty()) {
                Report(number, Problem{.code = ProblemCode::CommonPointWithoutName});
                return;
            }
            record.line = number;
            m_records.push_back(std::move(record));
            break;
        case RecordConverter::Outcome::PassedThrough:
            break;
        case RecordConverter::Outcome::Failed:
            Report(number, std::move(problem));
            break;
        }
    }
    void TooLong(std::int64_t number) override {
        Report(number, Problem{.code = ProblemCode::LineTooLong,
                               .bound = static_cast<double>(kMaxLineBytes)});
    }
    void Report(std::int64_t number, Problem problem) {
        problem.line = number;
        m_errors.push_back({m_name, std::move(problem)});
    }

    const Settings& m_settings;
    RecordConverter m_converter;
    std::string m_name;
    std::vector<NamedRecord>& m_records;
    std::vector<RecordError>& m_errors;
};

// Reads path's records; the problem when it cannot be read.
Result<void> ReadRecords(const std::string& path, const Settings& settings,
                         std::vector<NamedRecord>& records, std::vector<RecordError>& errors) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = fd >= 0 && S_ISDIR(info.st_mode) ? EISDIR : errno;
        if (fd >= 0) {
            close(fd);
        }
        return Problem{.code = ProblemCode::CannotRead, .text = path, .error = error};
    }
    PointCollector collector(settings, path, records, errors);
    LineReader reader(collector);
    reader.Begin();
    const std::unique_ptr<char[]> buffer(new char[1 << 16]);
    for (;;) {
        const ssize_t n = read(fd, buffer.get(), 1 << 16);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            const int error = errno;
            close(fd);
            return Problem{.code = ProblemCode::CannotRead, .text = path, .error = error};
        }
        if (n == 0) {
            break;
        }
        reader.Feed(std::string_view(buffer.get(), static_cast<std::size_t>(n)));
    }
    reader.End();
    close(fd);
    return {};
}

std::array<double, 3> Coordinates(const RecordConverter::Point& point, bool helmert,
                                  const std::optional<Geocentric>& geocentric) {
    if (!helmert) {
        return {point.first, point.second, 0.0};
    }
    const GeocentricPoint x = geocentric->Forward(
        {PackedToDegrees(point.first), PackedToDegrees(point.second), point.height});
    return {x.X, x.Y, x.Z};
}

} // namespace

FitRun RunFit(const FitRequest& request) {
    FitRun run;
    const bool helmert = IsHelmert(request.model);
    Settings reading = request.reading;
    reading.operation = helmert ? Operation::Datum : Operation::Plane;
    // Only the layout matters for reading; the converter wants a transformation to exist.
    reading.datum.emplace(Wgs1984().ellipsoid(), HelmertParams{}, Wgs1984().ellipsoid());
    reading.plane.emplace(PlaneSimilarityParams{});

    std::vector<NamedRecord> source;
    std::vector<NamedRecord> target;
    for (auto [path, records] :
         {std::pair{&request.sourcePath, &source}, std::pair{&request.targetPath, &target}}) {
        if (Result<void> read = ReadRecords(*path, reading, *records, run.badRecords); !read) {
            run.status = FitRun::Status::FileError;
            run.problem = read.problem();
            return run;
        }
    }
    auto refuse = [&](Problem problem) {
        run.status = FitRun::Status::Refused;
        run.problem = std::move(problem);
        return run;
    };
    // A name twice in one file is refused: which of the two is the common point is unknown.
    std::map<std::string, const NamedRecord*> targetByName;
    for (auto [records, path] :
         {std::pair{&source, &request.sourcePath}, std::pair{&target, &request.targetPath}}) {
        std::map<std::string, std::int64_t> seen;
        for (const NamedRecord& record : *records) {
            if (!seen.emplace(record.point.name, record.line).second) {
                return refuse(Problem{.code = ProblemCode::CommonPointNameTwice,
                                      .text = record.point.name,
                                      .other = *path,
                                      .count = seen[record.point.name],
                                      .needed = record.line});
            }
        }
    }
    for (const NamedRecord& record : target) {
        targetByName[record.point.name] = &record;
    }
    std::optional<Geocentric> from;
    std::optional<Geocentric> to;
    if (helmert) {
        from.emplace(request.from->ellipsoid);
        to.emplace(request.to->ellipsoid);
    }
    std::vector<CommonPoint> points;
    std::vector<LeftOutPoint> leftOut;
    std::map<std::string, bool> matched;
    for (const NamedRecord& record : source) {
        const std::string& name = record.point.name;
        const auto other = targetByName.find(name);
        if (other == targetByName.end()) {
            leftOut.push_back({name, LeftOutPoint::Why::SourceOnly});
            continue;
        }
        matched[name] = true;
        if (std::find(request.exclude.begin(), request.exclude.end(), name) !=
            request.exclude.end()) {
            leftOut.push_back({name, LeftOutPoint::Why::Excluded});
            continue;
        }
        points.push_back({name, Coordinates(record.point, helmert, from),
                          Coordinates(other->second->point, helmert, to)});
    }
    for (const NamedRecord& record : target) {
        if (!matched.count(record.point.name)) {
            leftOut.push_back({record.point.name, LeftOutPoint::Why::TargetOnly});
        }
    }
    for (const std::string& name : request.exclude) {
        if (!matched.count(name)) {
            return refuse(Problem{.code = ProblemCode::ExcludedPointUnknown, .text = name});
        }
    }

    const FitOutcome outcome =
        request.model == FitModel::Plane4 ? FitPlane4(points)
        : request.model == FitModel::Helmert3
            ? FitHelmert3(points, request.to->ellipsoid)
            : FitHelmert7(points, request.convention, request.exactRotation, request.to->ellipsoid);
    if (!outcome) {
        return refuse(outcome.problem());
    }
    const CommonPointFit& fit = *outcome;
    DatumParameters& parameters = run.parameters;
    parameters.model = request.model;
    if (helmert) {
        parameters.helmert = fit.helmert;
        parameters.source = request.from;
        parameters.target = request.to;
    } else {
        parameters.plane = fit.plane;
    }
    parameters.fit = FitRecord{fit, leftOut};
    return run;
}
