// The parameter window's report of a fit.
#include "app/fit_report_text.h"

#include <algorithm>

#include "conversion/number_text.h"

namespace {

std::string Fixed(double value, int decimals) {
    std::string out;
    AppendNumber(out, value, decimals);
    return out;
}

// text right-aligned in width columns (the numbers are ASCII; a name is padded after it).
std::string Right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

struct Row {
    const char* key;
    const char* unit;
    double value;
    std::optional<double> sigma;
    int decimals;
};

const char* ModelText(FitModel model) {
    switch (model) {
    case FitModel::Helmert7:
        return "七参数 (布尔莎)";
    case FitModel::Helmert3:
        return "三参数";
    case FitModel::Plane4:
        return "四参数 (平面)";
    }
    return "";
}

const char* WhyText(LeftOutPoint::Why why) {
    switch (why) {
    case LeftOutPoint::Why::SourceOnly:
        return "仅在源文件中";
    case LeftOutPoint::Why::TargetOnly:
        return "仅在目标文件中";
    case LeftOutPoint::Why::Excluded:
        return "未选用";
    }
    return "";
}

// The table of parameters, with their standard deviations when there are any.
std::string ParameterRows(const DatumParameters& parameters,
                          const std::optional<HelmertParams>& helmertSigma,
                          const std::optional<PlaneSimilarityParams>& planeSigma) {
    std::vector<Row> rows;
    if (parameters.model == FitModel::Plane4) {
        const PlaneSimilarityParams& p = parameters.plane;
        const auto& s = planeSigma;
        rows = {{"dx", "米", p.dx, s ? std::optional(s->dx) : std::nullopt, 4},
                {"dy", "米", p.dy, s ? std::optional(s->dy) : std::nullopt, 4},
                {"theta", "秒", p.theta, s ? std::optional(s->theta) : std::nullopt, 6},
                {"scale", "ppm", p.s, s ? std::optional(s->s) : std::nullopt, 6}};
    } else {
        const HelmertParams& p = parameters.helmert;
        const auto& s = helmertSigma;
        rows = {{"tx", "米", p.tx, s ? std::optional(s->tx) : std::nullopt, 4},
                {"ty", "米", p.ty, s ? std::optional(s->ty) : std::nullopt, 4},
                {"tz", "米", p.tz, s ? std::optional(s->tz) : std::nullopt, 4}};
        if (parameters.model == FitModel::Helmert7) {
            rows.push_back({"rx", "秒", p.rx, s ? std::optional(s->rx) : std::nullopt, 6});
            rows.push_back({"ry", "秒", p.ry, s ? std::optional(s->ry) : std::nullopt, 6});
            rows.push_back({"rz", "秒", p.rz, s ? std::optional(s->rz) : std::nullopt, 6});
            rows.push_back({"scale", "ppm", p.s, s ? std::optional(s->s) : std::nullopt, 6});
        }
    }
    std::string out = "\n参数               值       中误差  单位\n";
    for (const Row& row : rows) {
        std::string line = row.key;
        line.resize(12, ' ');
        line += Right(Fixed(row.value, row.decimals), 14);
        line += Right(row.sigma ? Fixed(*row.sigma, row.decimals) : "-", 13);
        out += line + "  " + row.unit + "\n";
    }
    return out;
}

} // namespace

std::string Millimetres(double metres) {
    std::string text = Fixed(metres, 4);
    const std::size_t point = text.find('.');
    if (point == std::string::npos || text.size() - point != 5) {
        return text; // not a finite number: shown as the report shows it
    }
    // d.dddd m -> dddd.d mm: three digits move before the point.
    std::string digits = text.substr(0, point) + text.substr(point + 1, 3);
    const bool negative = digits[0] == '-';
    std::size_t first = negative ? 1 : 0;
    while (first + 1 < digits.size() && digits[first] == '0') {
        ++first;
    }
    return (negative ? "-" : "") + digits.substr(first) + "." + text.substr(point + 4);
}

std::string ChineseFitReport(const DatumParameters& parameters) {
    const FitRecord& record = *parameters.fit;
    const CommonPointFit& fit = record.fit;
    std::string out = ModelText(parameters.model);
    if (parameters.model == FitModel::Helmert7) {
        const HelmertParams& h = parameters.helmert;
        out += h.convention == RotationConvention::CoordinateFrame ? ", 坐标框架" : ", 位置矢量";
        out += h.exactRotation ? ", 严格旋转" : ", 小角度旋转";
    }
    out += ", 公共点 " + std::to_string(fit.points.size()) + " 个\n";
    for (const LeftOutPoint& point : record.leftOut) {
        out += std::string("未参与计算: ") + point.name + " (" + WhyText(point.why) + ")\n";
    }

    out += ParameterRows(parameters, fit.helmertSigma, fit.planeSigma);

    out += "\n多余观测数 " + std::to_string(fit.redundancy) + ", 单位权中误差 m0 " +
           (fit.m0 ? Fixed(*fit.m0, 4) + " 米" : std::string("- (没有多余观测: 精确拟合)")) + "\n";
    out += "粗差检验: T 为该点残差相对其余点拟合结果的标准化值;\n";
    if (fit.flagThreshold) {
        out += "      T > F(" + std::to_string(fit.flagDims) + ", " +
               std::to_string(fit.flagRedundancy) + "), 显著水平 " +
               Fixed(kFlagSignificance * 100, 1) + " %, 即 T > " + Fixed(*fit.flagThreshold, 2) +
               " 时标记 (其余点的 m0 至少取 " + Fixed(kFlagFloor * 1000, 1) + " 毫米)\n";
    } else {
        out += "      没有可检验的点: 去掉任何一点, 其余点都将没有多余观测\n";
    }

    const bool plane = parameters.model == FitModel::Plane4;
    std::size_t nameWidth = 5;
    for (const PointFit& point : fit.points) {
        nameWidth = std::max(nameWidth, point.name.size());
    }
    std::string head = "点名";
    head.resize(nameWidth + 1, ' '); // two wide characters take the room of four bytes' less
    head += plane ? "     vx/米     vy/米" : "     vN/米     vE/米     vU/米";
    head += "        T  粗差\n";
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
            line += "  ※ 疑有粗差";
            ++flagged;
        }
        out += line + "\n";
    }
    out += flagged == 0 ? "没有点被标记\n" : "标记 " + std::to_string(flagged) + " 个点\n";
    return out;
}

std::string ChineseParameterReport(const DatumParameters& parameters) {
    std::string out = ModelText(parameters.model);
    if (parameters.model == FitModel::Helmert7) {
        const HelmertParams& h = parameters.helmert;
        out += h.convention == RotationConvention::CoordinateFrame ? ", 坐标框架" : ", 位置矢量";
        out += h.exactRotation ? ", 严格旋转" : ", 小角度旋转";
    }
    out += ", 文件中没有拟合记录\n";
    return out + ParameterRows(parameters, std::nullopt, std::nullopt);
}
