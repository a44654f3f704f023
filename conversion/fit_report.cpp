// The text of a fit's report.
#include "conversion/fit_report.h"

#include <algorithm>

#include "conversion/number_text.h"

namespace {

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendNumber(out, value, decimals);
    return out;
}

// text right-aligned in width columns (counted in bytes: the report's numbers and units are
// ASCII; a point's name is padded after it instead).
std::string Right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

struct Row {
    const char* key;
    double value;
    std::optional<double> sigma;
    int decimals;
};

} // namespace

std::string FitReport(const DatumParameters& parameters) {
    const FitRecord& record = *parameters.fit;
    const CommonPointFit& fit = record.fit;
    std::string out;
    out += ModelName(parameters.model);
    if (parameters.model == FitModel::Helmert7) {
        const HelmertParams& h = parameters.helmert;
        out += h.convention == RotationConvention::CoordinateFrame ? ", coordinate frame"
                                                                   : ", position vector";
        out += h.exactRotation ? ", exact rotation" : ", small-angle rotation";
    }
    out += ", from " + std::to_string(fit.points.size()) + " common points\n";
    for (const LeftOutPoint& point : record.leftOut) {
        const char* why = point.why == LeftOutPoint::Why::SourceOnly   ? "in the source only"
                          : point.why == LeftOutPoint::Why::TargetOnly ? "in the target only"
                                                                       : "excluded";
        out += "left out: " + point.name + " (" + why + ")\n";
    }

    std::vector<Row> rows;
    if (parameters.model == FitModel::Plane4) {
        const PlaneSimilarityParams& p = parameters.plane;
        const auto& s = fit.planeSigma;
        rows = {{"dx_m", p.dx, s ? std::optional(s->dx) : std::nullopt, 4},
                {"dy_m", p.dy, s ? std::optional(s->dy) : std::nullopt, 4},
                {"theta_arcsec", p.theta, s ? std::optional(s->theta) : std::nullopt, 6},
                {"scale_ppm", p.s, s ? std::optional(s->s) : std::nullopt, 6}};
    } else {
        const HelmertParams& p = parameters.helmert;
        const auto& s = fit.helmertSigma;
        rows = {{"tx_m", p.tx, s ? std::optional(s->tx) : std::nullopt, 4},
                {"ty_m", p.ty, s ? std::optional(s->ty) : std::nullopt, 4},
                {"tz_m", p.tz, s ? std::optional(s->tz) : std::nullopt, 4}};
        if (parameters.model == FitModel::Helmert7) {
            rows.push_back({"rx_arcsec", p.rx, s ? std::optional(s->rx) : std::nullopt, 6});
            rows.push_back({"ry_arcsec", p.ry, s ? std::optional(s->ry) : std::nullopt, 6});
            rows.push_back({"rz_arcsec", p.rz, s ? std::optional(s->rz) : std::nullopt, 6});
            rows.push_back({"scale_ppm", p.s, s ? std::optional(s->s) : std::nullopt, 6});
        }
    }
    out += "\nparameter        value    std. dev.\n";
    for (const Row& row : rows) {
        std::string line = row.key;
        line.resize(12, ' ');
        line += Right(Fixed(row.value, row.decimals), 14);
        line += Right(row.sigma ? Fixed(*row.sigma, row.decimals) : "-", 13);
        out += line + "\n";
    }
    out += "\nredundancy " + std::to_string(fit.redundancy) + ", m0 " +
           (fit.m0 ? Fixed(*fit.m0, 4) + " m" : std::string("- (no redundancy: exact fit)")) + "\n";
    out += "flag: T compares each point with the fit of all the other points (externally\n"
           "      studentized; F-distributed when the point is sound);\n";
    if (fit.flagThreshold) {
        out += "      flagged when T > F(" + std::to_string(fit.flagDims) + ", " +
               std::to_string(fit.flagRedundancy) + ") at " + Fixed(kFlagSignificance * 100, 1) +
               " % = " + Fixed(*fit.flagThreshold, 2) + ", the others' m0 taken as at least " +
               Fixed(kFlagFloor * 1000, 1) + " mm\n";
    } else {
        out += "      no point can be tested: the others would have no redundancy left\n";
    }

    const bool plane = parameters.model == FitModel::Plane4;
    std::size_t nameWidth = 5;
    for (const PointFit& point : fit.points) {
        nameWidth = std::max(nameWidth, point.name.size());
    }
    std::string head = "point";
    head.resize(nameWidth, ' ');
    head += plane ? "      vx_m      vy_m" : "      vN_m      vE_m      vU_m";
    head += "        T  flag\n";
    out += "\n" + head;
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
            line += "  GROSS ERROR?";
            ++flagged;
        }
        out += line + "\n";
    }
    out += flagged == 0
               ? "no point flagged\n"
               : std::to_string(flagged) + (flagged == 1 ? " point" : " points") + " flagged\n";
    return out;
}
