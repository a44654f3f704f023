// The parameter window over gk_batch: fits, saved files, and the points' places for the plot.
#include "app/fit_backend.h"

#include "app/chinese_words.h"
#include "app/file_reading.h"
#include "app/fit_report_text.h"
#include "app/saved_fit.h"
#include "conversion/atomic_file.h"
#include "conversion/number_text.h"
#include "conversion/parameter_file.h"
#include "engine/packed_angle.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <numbers>

namespace {

FitModel ModelOf(FitModelChoice model) {
    switch (model) {
    case FitModelChoice::Helmert7:
        return FitModel::Helmert7;
    case FitModelChoice::Helmert3:
        return FitModel::Helmert3;
    case FitModelChoice::Plane4:
        break;
    }
    return FitModel::Plane4;
}

// How both files are read, as gkconv fit reads them: the operation whose records they hold.
Result<Settings> ReadingSettings(const FitInput& input) {
    Settings s;
    s.operation = input.model == FitModelChoice::Plane4 ? Operation::Plane : Operation::Datum;
    if (const Result<void> reading = SetFileReading(s, input.angles, input.header, input.columns);
        !reading) {
        return reading.problem();
    }
    return s;
}

// A point's place in the plot: plane x (north) and y (east) as they are; B and L as metres
// east and north of the points' middle on a sphere of the mean radius, which is the figure the
// points make to well within what a plot shows.
struct Place {
    double east;
    double north;
};

struct Places {
    std::map<std::string, Place> byName;
    std::vector<std::string> order; // the file's order
};

Places ReadPlaces(const std::string& path, const Settings& reading, bool helmert) {
    Settings s = reading;
    // Only the layout matters for reading; the converter wants a transformation to exist.
    s.datum.emplace(Wgs1984().ellipsoid(), HelmertParams{}, Wgs1984().ellipsoid());
    s.plane.emplace(PlaneSimilarityParams{});
    Places read;
    std::map<std::string, Place>& places = read.byName;
    std::ifstream file(path);
    if (!file) {
        return read;
    }
    const RecordConverter converter(s);
    std::string line;
    bool first = true;
    RecordConverter::Point point;
    Problem problem;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (std::exchange(first, false) && s.header) {
            continue;
        }
        if (converter.ReadPoint(line, point, problem) != RecordConverter::Outcome::Converted) {
            continue;
        }
        if (!places.count(point.name)) {
            read.order.push_back(point.name);
        }
        places[point.name] =
            helmert ? Place{PackedToDegrees(point.second), PackedToDegrees(point.first)}
                    : Place{point.second, point.first};
    }
    if (helmert && !places.empty()) {
        constexpr double kRadius = 6371000.0;
        constexpr double kRadian = std::numbers::pi / 180.0;
        double meanLatitude = 0.0;
        for (const auto& [name, place] : places) {
            meanLatitude += place.north;
        }
        meanLatitude /= static_cast<double>(places.size());
        const double east = std::cos(meanLatitude * kRadian) * kRadius * kRadian;
        for (auto& [name, place] : places) {
            place = {place.east * east, place.north * kRadius * kRadian};
        }
    }
    return read;
}

std::string Statistic(const PointFit& point) {
    if (!point.statistic) {
        return "-";
    }
    std::string out;
    AppendNumber(out, *point.statistic, 2);
    return out;
}

FitRow UsedRow(const PointFit& point, bool helmert) {
    FitRow row;
    row.name = point.name;
    const std::array<double, 3>& v = helmert ? *point.neu : point.v;
    const int dims = helmert ? 3 : 2;
    double sum = 0.0;
    for (int k = 0; k < dims; ++k) {
        row.residuals.push_back(Millimetres(v[static_cast<size_t>(k)]));
        sum += v[static_cast<size_t>(k)] * v[static_cast<size_t>(k)];
    }
    row.total = Millimetres(std::sqrt(sum));
    row.statistic = Statistic(point);
    row.flagged = point.flagged;
    row.reason = point.flagged ? "疑有粗差" : "";
    // East and north: a Helmert fit's local residual (north, east, up), a plane fit's y and x.
    row.vx = v[1];
    row.vy = v[0];
    return row;
}

// The rows of a fit: the matched points in the source file's order, used or left out by the
// user (so unticking a point does not move it), then the points found in one file only.
FitView ViewOfParameters(const DatumParameters& parameters, const Places& places) {
    FitView view;
    view.fitted = true;
    view.helmert = IsHelmert(parameters.model);
    view.report = ChineseFitReport(parameters);
    view.parameterText = ParameterText(parameters);
    const FitRecord& record = *parameters.fit;
    view.used = record.fit.points.size();
    std::map<std::string, FitRow> matched;
    for (const PointFit& point : record.fit.points) {
        matched[point.name] = UsedRow(point, view.helmert);
    }
    std::vector<FitRow> oneSided;
    for (const LeftOutPoint& point : record.leftOut) {
        FitRow row;
        row.name = point.name;
        row.used = false;
        row.matched = point.why == LeftOutPoint::Why::Excluded;
        row.reason = kChineseFitReport.Why(point.why);
        if (row.matched) {
            matched[point.name] = std::move(row);
        } else {
            oneSided.push_back(std::move(row));
        }
    }
    auto take = [&](const std::string& name) {
        const auto at = matched.find(name);
        if (at == matched.end()) {
            return;
        }
        FitRow row = std::move(at->second);
        matched.erase(at);
        if (const auto place = places.byName.find(name); place != places.byName.end()) {
            row.placed = true;
            row.x = place->second.east;
            row.y = place->second.north;
        }
        view.rows.push_back(std::move(row));
    };
    for (const std::string& name : places.order) {
        take(name);
    }
    // Without the file's order (a saved file's points): the fit's, then the excluded ones.
    for (const PointFit& point : record.fit.points) {
        take(point.name);
    }
    for (const LeftOutPoint& point : record.leftOut) {
        take(point.name);
    }
    std::move(oneSided.begin(), oneSided.end(), std::back_inserter(view.rows));
    return view;
}

FitView Refused(std::string message) {
    FitView view;
    view.message = std::move(message);
    return view;
}

FitView Compute(const FitInput& input) {
    Result<FitRequest> request = MakeFitRequest(input);
    if (!request) {
        return Refused(Chinese(request.problem()));
    }
    const FitRun run = RunFit(*request);
    return ViewOfFit(run, input);
}

FitView Load(const std::string& path) {
    const ParameterFileOutcome outcome = ReadParameterFile(path);
    if (!outcome) {
        return Refused(Chinese(outcome.problem()));
    }
    DatumParameters parameters = *outcome;
    parameters.fit = ReadFitRecord(path, parameters.model);
    if (!parameters.fit) {
        // Parameters given by hand, not estimated: they alone are shown.
        FitView view;
        view.fitted = true;
        view.helmert = IsHelmert(parameters.model);
        view.report = ChineseParameterReport(parameters);
        view.parameterText = ParameterText(parameters);
        return view;
    }
    return ViewOfParameters(parameters, Places{});
}

std::string Save(const std::string& path, const std::string& text) {
    if (const int error = WriteFileAtomically(path, text); error != 0) {
        return Chinese(Problem{.code = ProblemCode::CannotWrite, .text = path, .error = error});
    }
    return {};
}

} // namespace

Result<FitRequest> MakeFitRequest(const FitInput& input) {
    Result<Settings> reading = ReadingSettings(input);
    if (!reading) {
        return reading.problem();
    }
    FitRequest request;
    request.model = ModelOf(input.model);
    request.sourcePath = input.source;
    request.targetPath = input.target;
    request.reading = *reading;
    if (IsHelmert(request.model)) {
        request.from = EllipsoidFromText(input.fromEllipsoid);
        request.to = EllipsoidFromText(input.toEllipsoid);
    }
    request.convention = input.coordinateFrame ? RotationConvention::CoordinateFrame
                                               : RotationConvention::PositionVector;
    request.exclude = input.exclude;
    return request;
}

FitView ViewOfFit(const FitRun& run, const FitInput& input) {
    if (run.status != FitRun::Status::Fitted) {
        return Refused(Chinese(run.problem));
    }
    const bool helmert = IsHelmert(run.parameters.model);
    Result<Settings> reading = ReadingSettings(input);
    const Places places = reading ? ReadPlaces(input.source, *reading, helmert) : Places{};
    return ViewOfParameters(run.parameters, places);
}

FitBackend CommonPointBackend() {
    FitBackend backend;
    backend.compute = Compute;
    backend.load = Load;
    backend.save = Save;
    return backend;
}
