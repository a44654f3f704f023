// Reading two files of common points, matching them by name, and fitting.
#include "conversion/common_points.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
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
        RecordFault fault;
        switch (m_converter.ReadPoint(line, record.point, fault)) {
        case RecordConverter::Result::Converted:
            if (record.point.name.empty()) {
                fault.message = "a common point needs a name to be matched by";
                Report(number, fault);
                return;
            }
            record.line = number;
            m_records.push_back(std::move(record));
            break;
        case RecordConverter::Result::PassedThrough:
            break;
        case RecordConverter::Result::Failed:
            Report(number, fault);
            break;
        }
    }
    void TooLong(std::int64_t number) override {
        RecordFault fault;
        fault.message = "line longer than " + std::to_string(kMaxLineBytes) + " bytes, skipped";
        Report(number, fault);
    }
    void Report(std::int64_t number, const RecordFault& fault) {
        m_errors.push_back({m_name, number, fault.field, fault.message});
    }

    const Settings& m_settings;
    RecordConverter m_converter;
    std::string m_name;
    std::vector<NamedRecord>& m_records;
    std::vector<RecordError>& m_errors;
};

// Reads path's records; returns the system's reason when it cannot be read.
std::string ReadRecords(const std::string& path, const Settings& settings,
                        std::vector<NamedRecord>& records, std::vector<RecordError>& errors) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = fd >= 0 && S_ISDIR(info.st_mode) ? EISDIR : errno;
        if (fd >= 0) {
            close(fd);
        }
        return "cannot read " + path + ": " + std::strerror(error);
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
            return "cannot read " + path + ": " + std::strerror(error);
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
        if (std::string error = ReadRecords(*path, reading, *records, run.badRecords);
            !error.empty()) {
            run.status = FitRun::Status::FileError;
            run.fileError = std::move(error);
            return run;
        }
    }
    auto refuse = [&](DatumProblem problem) {
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
                return refuse(DatumProblem(DatumProblemCode::NameTwice, record.point.name, *path,
                                           static_cast<int>(seen[record.point.name]),
                                           static_cast<int>(record.line)));
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
            return refuse(DatumProblem(DatumProblemCode::ExcludedNotFound, name));
        }
    }

    const FitOutcome outcome =
        request.model == FitModel::Plane4 ? FitPlane4(points)
        : request.model == FitModel::Helmert3
            ? FitHelmert3(points, request.to->ellipsoid)
            : FitHelmert7(points, request.convention, request.exactRotation, request.to->ellipsoid);
    if (const DatumProblem* problem = std::get_if<DatumProblem>(&outcome)) {
        return refuse(*problem);
    }
    const CommonPointFit& fit = std::get<CommonPointFit>(outcome);
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
