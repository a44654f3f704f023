// The text of a fit's report, and gkconv's words for it.
#include "conversion/fit_report.h"

#include <algorithm>

#include "conversion/number_text.h"

const FitReportWords kEnglishFitReport{
    .model = ModelName,
    .positionVector = ", position vector",
    .coordinateFrame = ", coordinate frame",
    .exactRotation = ", exact rotation",
    .smallAngleRotation = ", small-angle rotation",
    .countBefore = ", from ",
    .countAfter = " common points",
    .noFitRecord = ", no fit recorded in the file",
    .leftOut = "left out: ",
    .why = {"in the source only", "in the target only", "excluded"},
    .parameterHeading = "parameter        value    std. dev.",
    .unitInKey = true,
    .metre = "m",
    .arcsecond = "arcsec",
    .ppm = "ppm",
    .redundancy = "redundancy ",
    .m0 = ", m0 ",
    .metres = " m",
    .exactFit = "- (no redundancy: exact fit)",
    .flagRule = "flag: T compares each point with the fit of all the other points (externally\n"
                "      studentized; F-distributed when the point is sound);\n",
    .flagThreshold = {"      flagged when T > F(", ", ", ") at ",
                      " % = ", ", the others' m0 taken as at least ", " mm\n"},
    .nothingTestable = "      no point can be tested: the others would have no redundancy left\n",
    .pointHeading = "point",
    .pointHeadingPad = 0,
    .planeResidualHeadings = "      vx_m      vy_m",
    .helmertResidualHeadings = "      vN_m      vE_m      vU_m",
    .statisticHeadings = "        T  flag",
    .flagMark = "  GROSS ERROR?",
    .noneFlagged = "no point flagged",
    .flaggedBefore = "",
    .flaggedOne = " point flagged",
    .flaggedMany = " points flagged",
};

namespace {

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendNumber(out, value, decimals);
    return out;
}

// text right-aligned in width columns (counted in bytes: the report's numbers are ASCII; a
// point's name is padded after it instead).
std::string Right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

enum class Unit { Metre, Arcsecond, Ppm };

struct Row {
    const char* symbol;
    Unit unit;
    double value;
    std::optional<double> sigma;
    int decimals;
};

// The model, and for seven parameters the convention and the rotation.
std::string ModelLine(const DatumParameters& parameters, const FitReportWords& words) {
    std::string out = words.model(parameters.model);
    if (parameters.model == FitModel::Helmert7) {
        const HelmertParams& h = parameters.helmert;
        out += h.convention == RotationConvention::CoordinateFrame ? words.coordinateFrame
                                                                   : words.positionVector;
        out += h.exactRotation ? words.exactRotation : words.smallAngleRotation;
    }
    return out;
}

// The table of parameters, with their standard deviations when there are any.
std::string ParameterRows(const DatumParameters& parameters,
                          const std::optional<HelmertParams>& helmertSigma,
                          const std::optional<PlaneSimilarityParams>& planeSigma,
                          const FitReportWords& words) {
    std::vector<Row> rows;
    if (parameters.model == FitModel::Plane4) {
        const PlaneSimilarityParams& p = parameters.plane;
        const auto& s = planeSigma;
        rows = {{"dx", Unit::Metre, p.dx, s ? std::optional(s->dx) : std::nullopt, 4},
                {"dy", Unit::Metre, p.dy, s ? std::optional(s->dy) : std::nullopt, 4},
                {"theta", Unit::Arcsecond, p.theta, s ? std::optional(s->theta) : std::nullopt, 6},
                {"scale", Unit::Ppm, p.s, s ? std::optional(s->s) : std::nullopt, 6}};
    } else {
        const HelmertParams& p = parameters.helmert;
        const auto& s = helmertSigma;
        rows = {{"tx", Unit::Metre, p.tx, s ? std::optional(s->tx) : std::nullopt, 4},
                {"ty", Unit::Metre, p.ty, s ? std::optional(s->ty) : std::nullopt, 4},
                {"tz", Unit::Metre, p.tz, s ? std::optional(s->tz) : std::nullopt, 4}};
        if (parameters.model == FitModel::Helmert7) {
            rows.push_back(
                {"rx", Unit::Arcsecond, p.rx, s ? std::optional(s->rx) : std::nullopt, 6});
            rows.push_back(
                {"ry", Unit::Arcsecond, p.ry, s ? std::optional(s->ry) : std::nullopt, 6});
            rows.push_back(
                {"rz", Unit::Arcsecond, p.rz, s ? std::optional(s->rz) : std::nullopt, 6});
            rows.push_back({"scale", Unit::Ppm, p.s, s ? std::optional(s->s) : std::nullopt, 6});
        }
    }
    std::string out = std::string("\n") + words.parameterHeading + "\n";
    for (const Row& row : rows) {
        const char* unit = row.unit == Unit::Metre       ? words.metre
                           : row.unit == Unit::Arcsecond ? words.arcsecond
                                                         : words.ppm;
        std::string line = row.symbol;
        if (words.unitInKey) {
            line += std::string("_") + unit;
        }
        line.resize(12, ' ');
        line += Right(Fixed(row.value, row.decimals), 14);
        line += Right(row.sigma ? Fixed(*row.sigma, row.decimals) : "-", 13);
        if (!words.unitInKey) {
            line += std::string("  ") + unit;
        }
        out += line + "\n";
    }
    return out;
}

} // namespace

std::string FitReport(const DatumParameters& parameters, const FitReportWords& words) {
    const FitRecord& record = *parameters.fit;
    const CommonPointFit& fit = record.fit;
    std::string out = ModelLine(parameters, words) + words.countBefore +
                      std::to_string(fit.points.size()) + words.countAfter + "\n";
    for (const LeftOutPoint& point : record.leftOut) {
        out += words.leftOut + point.name + " (" + words.Why(point.why) + ")\n";
    }

    out += ParameterRows(parameters, fit.helmertSigma, fit.planeSigma, words);

    out += std::string("\n") + words.redundancy + std::to_string(fit.redundancy) + words.m0 +
           (fit.m0 ? Fixed(*fit.m0, 4) + words.metres : std::string(words.exactFit)) + "\n";
    out += words.flagRule;
    if (fit.flagThreshold) {
        const char* const* piece = words.flagThreshold;
        out += piece[0] + std::to_string(fit.flagDims) + piece[1] +
               std::to_string(fit.flagRedundancy) + piece[2] + Fixed(kFlagSignificance * 100, 1) +
               piece[3] + Fixed(*fit.flagThreshold, 2) + piece[4] + Fixed(kFlagFloor * 1000, 1) +
               piece[5];
    } else {
        out += words.nothingTestable;
    }

    const bool plane = parameters.model == FitModel::Plane4;
    std::size_t nameWidth = 5;
    for (const PointFit& point : fit.points) {
        nameWidth = std::max(nameWidth, point.name.size());
    }
    std::string head = words.pointHeading;
    head.resize(nameWidth + words.pointHeadingPad, ' ');
    head += plane ? words.planeResidualHeadings : words.helmertResidualHeadings;
    head += words.statisticHeadings;
    out += "\n" + head + "\n";
    int flagged = 0;
    for (const PointFit& point : fit.points) {
        std::string line = point.name;
        line.resize(nameWidth, ' ');
        const std::array<double, 3>& v = plane ? point.v : *point.neu;
        for (int k = 0; k < (plane ? 2 : 3); ++k) {
            line += Right(Fixed(v[k], 4), 10);
        }
        line += Right(point.statistic ? Fixed(*point.statistic, 2) : "-", 9);
        if (point.flagged) {
            line += words.flagMark;
            ++flagged;
        }
        out += line + "\n";
    }
    out += flagged == 0 ? std::string(words.noneFlagged)
                        : words.flaggedBefore + std::to_string(flagged) +
                              (flagged == 1 ? words.flaggedOne : words.flaggedMany);
    return out + "\n";
}

std::string ParameterReport(const DatumParameters& parameters, const FitReportWords& words) {
    return ModelLine(parameters, words) + words.noFitRecord + "\n" +
           ParameterRows(parameters, std::nullopt, std::nullopt, words);
}
